#pragma once

#include "engine/error.h"

#include <QImage>
#include <QPointF>

#include <optional>
#include <string>

namespace centrafix {

// What the picture's geometric edits (straighten, level, mirror, crop) share
// in refusing their input, so that each problem reads the same in all four.

// A coordinate as a message shows it: "12", "12.5".
std::string CoordinateText(double value);

// Nothing to work on.
std::optional<Error> NoPictureProblem(const QImage& picture);

// `point` is given in pixels of `picture`: (x, y) is the centre of the pixel
// in column x and row y, as a click or the scale line gives it, so a point on
// the picture lies between 0 and width - 1, and 0 and height - 1.
std::optional<Error> PointProblem(const QImage& picture, QPointF point);

// A picture of this size could not be held whole.
std::optional<Error> ResultSizeProblem(qint64 width, qint64 height);

// No memory for a result of this size: an error of the kind OutOfMemory.
Error ResultMemoryError(qint64 width, qint64 height);

} // namespace centrafix
