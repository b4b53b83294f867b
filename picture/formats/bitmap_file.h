#pragma once

#include "picture/formats/bmp_header.h"
#include "picture/formats/picture_load.h"

#include "engine/error.h"

#include <optional>

class QIODevice;

namespace centrafix {

// Why the bitmap file with this header cannot be read: too large for its
// kind, or truncated. Qt's bitmap reader declines to report the size of, or
// to read, anything above 16384 x 16384 pixels, and fills the rows a short
// file lacks with black, a colour we measure; so the header is judged here,
// to name the size when refusing and to refuse a truncated file rather than
// analyse a picture with a black band. Nothing when the file may be read.
std::optional<Error> BitmapFileProblem(const QString& name, const BmpHeader& header, const QIODevice& device);

// Whether a bitmap of this kind is read here rather than by Qt's reader:
// colour tables (1, 4 and 8 bits a pixel, plain or run-length coded), 24 and
// 32 bits, in the header of Windows or of OS/2. Qt's reader takes a colour
// table as long as the header announces, whatever the pixel offset says,
// so it reads pixels as colours when fewer are stored, and leaves what run
// lengths skip as it found it in memory: either gives another result every
// run. Bit fields and other compressions are left to Qt.
bool ReadsOwnBitmap(const BmpHeader& header);

// Reads a bitmap of such a kind whole from `device`, at the file's first byte;
// the device need not seek (a pipe). Refuses what BitmapFileProblem refuses
// and a file that ends before its pixels do.
PictureLoad ReadOwnBitmap(QIODevice* device, const BmpHeader& header, const QString& name);

} // namespace centrafix
