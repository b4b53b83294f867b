// The expression evaluator on any text, in both decimal conventions. A text
// it accepts must give a finite number, and the number's own text (as the
// program writes it back, general format) must read back to the same value.

#include "engine/eval_number.h"
#include "engine/number_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const char* separator : {".", ","}) {
        const centrafix::Result<double> value = centrafix::EvalNumber(text, centrafix::Field::ScaleFactor, separator);
        if (!value) {
            (void)centrafix::ErrorText(value.error(), centrafix::kGerman);
            continue;
        }
        if (!std::isfinite(*value))
            std::abort();
        const std::string written = centrafix::FormatGeneral(*value, separator);
        const centrafix::Result<double> again =
            centrafix::EvalNumber(written, centrafix::Field::ScaleFactor, separator);
        // 15 significant digits: the text stands for the value to that precision.
        if (!again || std::fabs(*again - *value) > std::fabs(*value) * 1e-14)
            std::abort();
    }
    (void)centrafix::TypedLeadingNumber(text, ",");
    return 0;
}
