#include "picture/edits/plan_geometry.h"

#include "engine/number_text.h"
#include "picture/edits/corner_quad.h"
#include "picture/edits/geometry_checks.h"
#include "picture/edits/resample.h"
#include "picture/formats/picture_load.h"
#include "picture/formats/working_copy.h"

#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <limits>

namespace centrafix {

namespace {

constexpr Message kBadSize{"Breite und Höhe des Rechtecks müssen endliche Zahlen über 0 sein, nicht %1 x %2",
                           "the rectangle's width and height must be finite numbers above 0, not %1 x %2"};
constexpr Message kRectangleTooLarge{
    "das entzerrte Rechteck hätte %1 x %2 Pixel, mehr als die Grenze von %3 Megapixeln für ein ganz gehaltenes "
    "Bild; passen Breite und Höhe (%4 x %5) zum Rechteck im Bild?",
    "the straightened rectangle would have %1 x %2 pixels, more than the %3-megapixel limit for a picture held "
    "whole; do the width and height (%4 x %5) fit the rectangle in the picture?"};
constexpr Message kNoMap{"aus diesen Ecken lässt sich die Perspektive nicht berechnen",
                         "the perspective cannot be worked out from these corners"};

// Around the rectangle, at most this many times its longer side is kept on
// each side: enough for a planform sticking out of a frame or a page, while
// a strong perspective (whose far parts grow without bound) stays bounded.
constexpr double kMarginSides = 1.0;
// And the whole result holds at most this many times the photo's pixels.
constexpr qint64 kPhotoMultiple = 4;

// The output grid: pixel (i, j) is the point (origin + (i, j)) of the space
// in which the rectangle runs from (0, 0) to `rect`.
struct Layout {
    QPointF origin;
    QSize size;
};

// The box of `space` (the photo as mapped, possibly unbounded) within `margin`
// around the rectangle, on whole pixel centres.
Layout LayoutFor(const QRectF& space, QSizeF rect, double margin)
{
    const double left = std::max(space.left(), -margin), right = std::min(space.right(), rect.width() + margin);
    const double top = std::max(space.top(), -margin), bottom = std::min(space.bottom(), rect.height() + margin);
    const double x0 = std::ceil(left), y0 = std::ceil(top);
    const auto columns = static_cast<int>(std::floor(right) - x0 + 1),
               rows = static_cast<int>(std::floor(bottom) - y0 + 1);
    return {QPointF(x0, y0), QSize(columns, rows)};
}

qint64 Pixels(const Layout& layout)
{
    return static_cast<qint64>(layout.size.width()) * layout.size.height();
}

// The photo's own extent as the map sends it; all of the plane when part of
// the photo lies behind the horizon of the drawing's plane. (Not by
// QTransform::map, which clamps the third coordinate near zero.)
QRectF MappedPhoto(const QImage& photo, const QTransform& m)
{
    const double r = photo.width() - 0.5, b = photo.height() - 0.5;
    QPolygonF mapped;
    for (const QPointF p : {QPointF(-0.5, -0.5), QPointF(r, -0.5), QPointF(r, b), QPointF(-0.5, b)}) {
        const double w = m.m13() * p.x() + m.m23() * p.y() + m.m33();
        if (!(w > 0.0)) {
            constexpr double kAll = 1e12;
            return QRectF(QPointF(-kAll, -kAll), QPointF(kAll, kAll));
        }
        mapped << QPointF((m.m11() * p.x() + m.m21() * p.y() + m.m31()) / w,
                          (m.m12() * p.x() + m.m22() * p.y() + m.m32()) / w);
    }
    return mapped.boundingRect();
}

// The same map with its third coordinate above zero at `inside`, which the
// resampler takes for the drawing's side of the horizon.
QTransform FacingForward(const QTransform& m, QPointF inside)
{
    if (m.m13() * inside.x() + m.m23() * inside.y() + m.m33() > 0.0)
        return m;
    return QTransform(-m.m11(), -m.m12(), -m.m13(), -m.m21(), -m.m22(), -m.m23(), -m.m31(), -m.m32(), -m.m33());
}

// The rectangle and as much around it as the margin and `budget` (a pixel
// count, raised to the rectangle's own when that is more) allow, within
// `space`.
Layout KeptLayout(const QRectF& space, QSizeF rect, qint64 budget)
{
    budget = std::min(kMaxPicturePixels, std::max(budget, Pixels(LayoutFor(space, rect, 0.0))));
    double fits = kMarginSides * std::max(rect.width(), rect.height());
    if (Pixels(LayoutFor(space, rect, fits)) > budget) {
        // The pixel count grows with the margin: the widest that fits.
        double tooWide = fits;
        fits = 0.0;
        for (int i = 0; i < 60; ++i) {
            const double middle = (fits + tooWide) / 2;
            (Pixels(LayoutFor(space, rect, middle)) <= budget ? fits : tooWide) = middle;
        }
    }
    return LayoutFor(space, rect, fits);
}

// A side that comes out a whole number of pixels but for rounding error
// keeps its last pixel.
double WholeIfClose(double pixels)
{
    const double whole = std::round(pixels);
    return std::abs(pixels - whole) < 1e-9 * std::max(1.0, whole) ? whole : pixels;
}

// The pixels per length unit: as many as the photo gives the rectangle along
// its most finely resolved side, so no side loses detail.
double PixelsPerUnit(const std::array<QPointF, 4>& c, QSizeF size)
{
    const auto length = [](QPointF v) { return std::hypot(v.x(), v.y()); };
    return std::max({length(c[1] - c[0]) / size.width(), length(c[2] - c[3]) / size.width(),
                     length(c[2] - c[1]) / size.height(), length(c[3] - c[0]) / size.height()});
}

std::optional<Error> InputProblem(const QImage& picture, const std::array<QPointF, 4>& corners, QSizeF size)
{
    if (auto problem = NoPictureProblem(picture))
        return problem;
    if (!(std::isfinite(size.width()) && std::isfinite(size.height()) && size.width() > 0 && size.height() > 0))
        return Described({}, kBadSize, {CoordinateText(size.width()), CoordinateText(size.height())});
    for (const QPointF& corner : corners)
        if (auto problem = PointProblem(picture, corner))
            return problem;
    return CornerQuadProblem(corners);
}

} // namespace

// The rectangle gets a whole number of pixels along its longer side, the
// same scale along both, and the photo around it is kept up to the margin
// above. Resampled by inverse mapping each output pixel into the photo:
// bilinear in whole numbers, which gives a flat area its colour exactly and
// mixes only along borders, or nearest for a picture already painted in the
// eight colours, which then gets no new colour at all.
Result<StraightenedPlan> StraightenPicture(const QImage& picture, const std::array<QPointF, 4>& corners, QSizeF size)
{
    if (auto problem = InputProblem(picture, corners, size))
        return *problem;
    const double longer = std::max(size.width(), size.height());
    const double longerPixels = std::max(1.0, std::ceil(PixelsPerUnit(corners, size) * longer - 1e-9));
    const double unitsPerPixel = longer / longerPixels;
    const QSizeF rect(WholeIfClose(size.width() / unitsPerPixel), WholeIfClose(size.height() / unitsPerPixel));
    const double rectPixels = (std::floor(rect.width()) + 1) * (std::floor(rect.height()) + 1);
    if (!(rectPixels <= static_cast<double>(kMaxPicturePixels)))
        return Described({}, kRectangleTooLarge,
                         {FormatGeneral(std::floor(rect.width()) + 1), FormatGeneral(std::floor(rect.height()) + 1),
                          std::to_string(kMaxPicturePixels / 1'000'000), CoordinateText(size.width()),
                          CoordinateText(size.height())});

    const QPolygonF quad{corners[0], corners[1], corners[2], corners[3]};
    const QPolygonF target{QPointF(0, 0), QPointF(rect.width(), 0), QPointF(rect.width(), rect.height()),
                           QPointF(0, rect.height())};
    QTransform toRect, toPhoto;
    if (!QTransform::quadToQuad(quad, target, toRect) || !QTransform::quadToQuad(target, quad, toPhoto))
        return Described({}, kNoMap);
    toRect = FacingForward(toRect, (corners[0] + corners[1] + corners[2] + corners[3]) / 4.0);
    toPhoto = FacingForward(toPhoto, QPointF(rect.width() / 2, rect.height() / 2));

    const Layout layout =
        KeptLayout(MappedPhoto(picture, toRect), rect, kPhotoMultiple * picture.width() * picture.height());
    const QImage photo = ToWorkingCopy(picture);
    if (photo.isNull())
        return ResultMemoryError(picture.width(), picture.height());
    const QTransform toSource = QTransform::fromTranslate(layout.origin.x(), layout.origin.y()) * toPhoto;
    QImage straightened = ResampledPicture(photo, layout.size, toSource, ResamplingFor(photo));
    if (straightened.isNull())
        return ResultMemoryError(layout.size.width(), layout.size.height());
    const QPoint topLeft(-static_cast<int>(layout.origin.x()), -static_cast<int>(layout.origin.y()));
    const QRect rectangle(topLeft, QPoint(topLeft.x() + static_cast<int>(std::floor(rect.width())),
                                          topLeft.y() + static_cast<int>(std::floor(rect.height()))));
    return StraightenedPlan{std::move(straightened), unitsPerPixel, rectangle};
}

} // namespace centrafix
