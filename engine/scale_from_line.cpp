#include "scale_from_line.h"

#include "eval_number.h"
#include "number_text.h"

#include <cmath>

namespace centrafix {

double PixelDistance(double x1, double y1, double x2, double y2)
{
    return std::hypot(x2 - x1, y2 - y1);
}

Result<double> ReadRealLength(std::string_view text, std::string_view localeSeparator)
{
    Result<double> length = EvalNumber(text, Field::Length, localeSeparator);
    // A length of nothing, or less, gives no scale a picture can be measured in.
    if (length && !(*length > 0.0))
        return FieldError(ErrorKind::NotAboveZero, Field::Length, text);
    return length;
}

std::string ScaleTextFromLine(double length, double pixels, std::string_view decimalSeparator)
{
    return FormatGeneral(length / pixels, decimalSeparator);
}

} // namespace centrafix
