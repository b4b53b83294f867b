#pragma once

#include "engine/raster.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace centrafix {

// A picture read from somewhere, or the reason it could not be.
struct PictureLoad {
    QImage image; // Format_RGB32 when loaded
    QString error;

    bool ok() const { return error.isEmpty(); }
};

// The largest working copy we accept. A 500-megapixel scan must still load,
// but a header that claims ten gigapixels must be refused before a single
// byte is committed for it: the limit is checked against the header's size.
inline constexpr qint64 kMaxPicturePixels = 600'000'000;

// Empty when a picture of this size can become a working copy; otherwise the
// reason, e.g. "100000 x 100000 pixels is larger than the 600-megapixel limit".
QString PictureSizeProblem(QSize size);

// Qt's decoders refuse anything above 128 MB by default, which is a mere
// 32 megapixels. Our own size check runs first, so Qt's limit is raised to fit
// our largest working copy and no further. Idempotent; never lowers the limit.
void RaiseImageAllocationLimit();

// Reads a picture file into a working copy (32-bit RGB, transparency
// composited onto white). On failure the message names the file and the
// problem; nothing else is touched.
PictureLoad LoadPictureFile(const QString& path);

// The built-in example, present from start-up without any file.
QImage ExamplePicture();

// Turns any decoded image into a working copy: 32-bit RGB, palettes expanded,
// transparent pixels composited onto white. The rvalue form converts in place
// where it can, so a large picture is not held twice.
QImage ToWorkingCopy(const QImage& image);
QImage ToWorkingCopy(QImage&& image);

// The engine's read-only view of a working copy. The image must be
// Format_RGB32 and outlive the view.
RasterView RasterViewOf(const QImage& image);

} // namespace centrafix
