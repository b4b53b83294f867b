#include "colour_map.h"

namespace centrafix {

std::int64_t MapColour(QImage&, QRgb, int, double)
{
    return 0;
}

Result<QRgb> PickColour(const QImage& picture, QPoint pixel)
{
    return picture.pixel(pixel);
}

} // namespace centrafix
