#pragma once

#include "error.h"

#include <string>
#include <string_view>

namespace centrafix {

// The scale a line over a known length gives, as the window's scale line and
// the batch command's --scale-from both set it: the real length divided by the
// distance between two pixel centres.

// The distance between the centres of the pixels at (x1, y1) and (x2, y2).
double PixelDistance(double x1, double y1, double x2, double y2);

// The real length as the user typed it: a number or expression in either
// decimal convention the locale allows, above zero. The error names the length.
Result<double> ReadRealLength(std::string_view text, std::string_view localeSeparator);

// The scale field's text for `length` over `pixels` (above zero): the factor
// in the general format, up to 15 significant digits, which the field reads
// back to the same factor. `decimalSeparator` is the one the user writes.
std::string ScaleTextFromLine(double length, double pixels, std::string_view decimalSeparator);

} // namespace centrafix
