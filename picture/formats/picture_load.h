#pragma once

#include "engine/error.h"

#include <QImage>
#include <QString>

#include <optional>

namespace centrafix {

// A picture read from somewhere as a working copy (Format_RGB32), or the
// reason it could not be: the error's subject is the file's path, empty for
// the clipboard (whose reasons name it).
using PictureLoad = Result<QImage>;

// The largest working copy we accept. A 500-megapixel scan must still load,
// but a header that claims ten gigapixels must be refused before a single
// byte is committed for it: the limit is checked against the header's size.
inline constexpr qint64 kMaxPicturePixels = 600'000'000;

// A picture measured as it is read (the batch command without an annotated
// picture) is never held whole: it may have up to 2 gigapixels, which keeps
// every sum of the sweep exact in 64 bits, and a million pixels a side. The
// sweep keeps a few numbers per row and the bands a few rows, so the side
// limit is what bounds one picture's memory whatever its header says.
inline constexpr qint64 kMaxStreamedSide = 1'000'000;
inline constexpr qint64 kMaxStreamedPixels = 2'000'000'000;

// Why a picture of this size cannot become a working copy (no pixels, or more
// than the limit, e.g. "100000 x 100000 pixels is larger than the
// 600-megapixel limit for a picture held whole"); nothing when it can. Says
// that pictures of this kind are always held whole, and how to save one so
// that the batch command measures it as it is read.
std::optional<Error> PictureSizeProblem(const QString& subject, qint64 width, qint64 height);

// The same for a picture of a kind the batch command measures as it is read
// (what the row readers take): says so, where its size allows.
std::optional<Error> StreamablePictureSizeProblem(const QString& subject, qint64 width, qint64 height);

// Why a picture of this size cannot be measured as it is read; nothing when
// it can.
std::optional<Error> StreamedPictureSizeProblem(const QString& subject, qint64 width, qint64 height);

// The refusal of the picture from `subject` (a file's path; empty for none)
// for `reason`, a message with its arguments.
Error PictureError(const QString& subject, ErrorArg reason);

// "damaged or unreadable PNG picture (why)": `format` as the user knows it
// ("PNG"), `why` in the decoding library's words.
Error UnreadablePictureError(const QString& subject, const std::string& format, const std::string& why);

// "damaged or incomplete PNG picture: the file ends before the picture does".
Error CutShortPictureError(const QString& subject, const std::string& format);

// "damaged or incomplete JPEG picture: its pixel data ends before the
// picture does": a file that ends where it should, but whose coded pixels
// run out (or go wrong and run into the next marker) before the last row.
Error DataEndsEarlyPictureError(const QString& subject, const std::string& format);

// The picture from `subject` could not be held in memory: an error of the
// kind OutOfMemory, which a script can tell from bad input.
Error PictureMemoryError(const QString& subject);

// Qt's decoders refuse anything above 128 MB by default, which is a mere
// 32 megapixels. Our own size check runs first, so Qt's limit is raised to fit
// our largest working copy and no further. A setting for the whole process:
// each program's main calls it once. Never lowers the limit.
void RaiseImageAllocationLimit();

} // namespace centrafix
