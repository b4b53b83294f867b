#include "plan_geometry.h"

namespace centrafix {

Result<StraightenedPlan> StraightenPicture(const QImage& picture, const std::array<QPointF, 4>&, QSizeF)
{
    return StraightenedPlan{picture, 1.0};
}

Result<QImage> LevelPicture(const QImage& picture, QPointF, QPointF)
{
    return picture;
}

Result<QImage> MirrorAboutRow(const QImage& picture, int)
{
    return picture;
}

Result<QImage> CropPicture(const QImage& picture, QRect rect)
{
    return picture.copy(rect);
}

} // namespace centrafix
