#include "picture/edits/plan_geometry.h"

#include "picture/edits/geometry_checks.h"
#include "picture/edits/resample.h"
#include "picture/formats/working_copy.h"

#include <QTransform>

#include <cmath>
#include <numbers>

namespace centrafix {

namespace {

constexpr Message kPointsTooClose{
    "die beiden Punkte der Linie, (%1, %2) und (%3, %4), liegen weniger als ein Pixel auseinander",
    "the line's two points, (%1, %2) and (%3, %4), are less than a pixel apart"};

// Pixels needed for `extent` (a length in pixels): a turn by a quarter or
// half leaves a whole number, which rounding error must not push over.
int PixelsFor(double extent)
{
    return std::max(1, static_cast<int>(std::ceil(extent - 1e-6)));
}

} // namespace

// Turned by the smaller of the two angles that make the line horizontal, so
// the order of its points does not matter and a picture is never put upside
// down. Resampled as a straightened photo is.
Result<QImage> LevelPicture(const QImage& picture, QPointF from, QPointF to)
{
    if (auto problem = NoPictureProblem(picture))
        return *problem;
    for (const QPointF point : {from, to})
        if (auto problem = PointProblem(picture, point))
            return *problem;
    const QPointF d = to - from;
    if (std::hypot(d.x(), d.y()) < 1.0)
        return Described(
            {}, kPointsTooClose,
            {CoordinateText(from.x()), CoordinateText(from.y()), CoordinateText(to.x()), CoordinateText(to.y())});
    const QImage photo = ToWorkingCopy(picture);
    if (photo.isNull())
        return ResultMemoryError(picture.width(), picture.height());

    double angle = std::atan2(d.y(), d.x());
    if (angle > std::numbers::pi / 2)
        angle -= std::numbers::pi;
    else if (angle <= -std::numbers::pi / 2)
        angle += std::numbers::pi;
    if (angle == 0.0)
        return photo;
    double c = std::cos(angle);
    const double s = std::sin(angle);
    if (std::abs(c) < 1e-12)
        c = 0.0; // a quarter turn, pixel for pixel

    const int w = picture.width(), h = picture.height();
    const int outW = PixelsFor(std::abs(c) * w + std::abs(s) * h);
    const int outH = PixelsFor(std::abs(s) * w + std::abs(c) * h);
    if (auto problem = ResultSizeProblem(outW, outH))
        return *problem;
    // Centre onto centre: output pixel q comes from centre + R(angle) (q - centre').
    const double cx = (w - 1) / 2.0, cy = (h - 1) / 2.0, ox = (outW - 1) / 2.0, oy = (outH - 1) / 2.0;
    const QTransform toSource(c, s, 0.0, -s, c, 0.0, cx - c * ox + s * oy, cy - s * ox - c * oy, 1.0);
    QImage levelled = ResampledPicture(photo, QSize(outW, outH), toSource, ResamplingFor(photo));
    if (levelled.isNull())
        return ResultMemoryError(outW, outH);
    return levelled;
}

} // namespace centrafix
