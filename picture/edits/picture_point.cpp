#include "picture_point.h"

#include <string>

namespace centrafix {

namespace {
constexpr Message kPointOutside{"Der Punkt (%1, %2) liegt außerhalb des Bildes (%3 x %4 Pixel).",
                                "The point (%1, %2) is outside the picture (%3 x %4 pixels)."};
}

std::optional<Error> PointOutsidePicture(const QImage& picture, QPoint point)
{
    if (!picture.isNull() && picture.rect().contains(point))
        return std::nullopt;
    return Described({}, kPointOutside,
                     {std::to_string(point.x()), std::to_string(point.y()), std::to_string(picture.width()),
                      std::to_string(picture.height())});
}

} // namespace centrafix
