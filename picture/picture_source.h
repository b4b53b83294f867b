#pragma once

#include "engine/raster.h"

#include <QImage>
#include <QString>

namespace centrafix {

// A picture read from somewhere, or the reason it could not be.
struct PictureLoad {
    QImage image; // Format_RGB32 when loaded
    QString error;

    bool ok() const { return error.isEmpty(); }
};

// Reads a picture file into a working copy (32-bit RGB, transparency
// composited onto white). On failure the message names the file and the
// problem; nothing else is touched.
PictureLoad LoadPictureFile(const QString& path);

// The built-in example, present from start-up without any file.
QImage ExamplePicture();

// Turns any decoded image into a working copy: 32-bit RGB, palettes expanded,
// transparent pixels composited onto white.
QImage ToWorkingCopy(const QImage& image);

// The engine's read-only view of a working copy. The image must be
// Format_RGB32 and outlive the view.
RasterView RasterViewOf(const QImage& image);

} // namespace centrafix
