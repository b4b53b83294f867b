// The batch command's option parser on any argument list: one argument a
// line. It must either accept the arguments or name what is wrong, in either
// language.

#include "cli/batch_options.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QStringList arguments = text.split('\n');
    arguments.prepend(QStringLiteral("centrafix-cli"));
    centrafix::BatchOptions options;
    if (const std::optional<centrafix::Error> error = centrafix::ParseBatchOptions(arguments, options)) {
        (void)centrafix::ErrorText(*error, centrafix::kGerman);
        (void)centrafix::ErrorText(*error, centrafix::kEnglish);
    }
    return 0;
}
