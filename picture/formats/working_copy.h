#pragma once

#include "engine/raster.h"

#include <QImage>

namespace centrafix {

// Turns any decoded image into a working copy: 32-bit RGB, palettes expanded,
// transparent pixels composited onto white. The rvalue form converts in place
// where it can, so a large picture is not held twice.
QImage ToWorkingCopy(const QImage& image);
QImage ToWorkingCopy(QImage&& image);

// The engine's read-only view of a working copy. The image must be
// Format_RGB32 and outlive the view.
RasterView RasterViewOf(const QImage& image);

} // namespace centrafix
