#pragma once

#include "bmp_header.h"

#include "engine/error.h"

#include <optional>

class QIODevice;

namespace centrafix {

// Qt's bitmap reader declines to report the size of, or to read, anything
// above 16384 x 16384 pixels, and fills the rows a short file lacks with
// black, a colour we measure. So the header is judged here: to name the size
// when refusing, and to refuse a truncated file rather than analyse a picture
// with a black band. Nothing when Qt's reader may go ahead.
std::optional<ErrorArg> BitmapFileProblem(const BmpHeader& header, const QIODevice& device);

} // namespace centrafix
