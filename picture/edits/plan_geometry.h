#pragma once

#include "engine/error.h"

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSizeF>

#include <array>

namespace centrafix {

// A photo straightened: the picture with the perspective removed, and the
// scale (length units per pixel) its known rectangle gives.
struct StraightenedPlan {
    QImage picture;
    double unitsPerPixel = 1.0;
    // Where the rectangle of known size lies in `picture`: from the pixel of
    // its top left corner to that of its bottom right one.
    QRect rectangle;
};

// Removes the perspective of a photographed drawing: `corners` are the four
// corners of a rectangle on the drawing, clockwise from the top left, in
// pixels of `picture` (the point (x, y) is the centre of the pixel in column
// x and row y, as the scale line reads a click); `size` is that rectangle's width and height in the
// user's length unit. Resampled so that flat colours stay flat (see the
// implementation for how). Refused, with nothing made: a degenerate,
// self-crossing, not convex or counterclockwise quadrilateral, a corner
// outside the picture, a zero, negative or non-finite size, a result beyond
// the picture limit.
Result<StraightenedPlan> StraightenPicture(const QImage& picture, const std::array<QPointF, 4>& corners, QSizeF size);

// Turned so that the line from `from` to `to` runs horizontally. Refused when
// the two points are less than a pixel apart or lie outside the picture.
Result<QImage> LevelPicture(const QImage& picture, QPointF from, QPointF to);

// A half planform completed: the half on one side of row `row` (the one
// holding more drawing) mirrored onto the other side about that row, the
// picture grown where the mirrored half needs room. Refused for a row
// outside the picture.
Result<QImage> MirrorAboutRow(const QImage& picture, int row);

// The part of the picture inside `rect`. Refused for an empty rectangle or
// one not inside the picture.
Result<QImage> CropPicture(const QImage& picture, QRect rect);

} // namespace centrafix
