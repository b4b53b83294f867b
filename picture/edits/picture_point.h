#pragma once

#include "engine/error.h"

#include <QImage>
#include <QPoint>

#include <optional>

namespace centrafix {

// The refusal of a point a tool was given outside the picture, naming the
// point and the picture's size; nothing when the point is a pixel of it.
std::optional<Error> PointOutsidePicture(const QImage& picture, QPoint point);

} // namespace centrafix
