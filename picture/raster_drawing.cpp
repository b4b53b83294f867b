#include "picture/raster_drawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace centrafix {
namespace {

constexpr double kFullTurn = 2.0 * std::numbers::pi;

double NormalisedAngle(double a)
{
    double r = std::fmod(std::fabs(a), kFullTurn);
    return r < 0.0 ? r + kFullTurn : r;
}

} // namespace

std::optional<std::int64_t> PixelOf(double v)
{
    if (!std::isfinite(v) || std::fabs(v) > kFarAway)
        return std::nullopt;
    return static_cast<std::int64_t>(std::floor(v));
}

bool Inside(const QImage& image, std::int64_t x, std::int64_t y)
{
    return x >= 0 && y >= 0 && x < image.width() && y < image.height();
}

void Put(QImage& image, std::int64_t x, std::int64_t y, QRgb word)
{
    if (Inside(image, x, y))
        reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)))[x] = word;
}

void DrawLine(QImage& image, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, QRgb word)
{
    const std::int64_t dx = x1 - x0;
    const std::int64_t dy = y1 - y0;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t n = alongX ? std::llabs(dx) : std::llabs(dy);
    if (n == 0) {
        Put(image, x0, y0, word);
        return;
    }
    const std::int64_t majorStart = alongX ? x0 : y0;
    const std::int64_t majorStep = (alongX ? dx : dy) > 0 ? 1 : -1;
    const std::int64_t minorStart = alongX ? y0 : x0;
    const double minorDelta = static_cast<double>(alongX ? dy : dx);
    const std::int64_t extent = alongX ? image.width() : image.height();

    std::int64_t tFirst = 0;
    std::int64_t tLast = n;
    if (majorStep > 0) {
        tFirst = std::max<std::int64_t>(tFirst, -majorStart);
        tLast = std::min<std::int64_t>(tLast, extent - 1 - majorStart);
    } else {
        tFirst = std::max<std::int64_t>(tFirst, majorStart - (extent - 1));
        tLast = std::min<std::int64_t>(tLast, majorStart);
    }
    for (std::int64_t t = tFirst; t <= tLast; ++t) {
        const std::int64_t major = majorStart + majorStep * t;
        const auto minor =
            minorStart +
            static_cast<std::int64_t>(std::floor(static_cast<double>(t) * minorDelta / static_cast<double>(n) + 0.5));
        if (alongX)
            Put(image, major, minor, word);
        else
            Put(image, minor, major, word);
    }
}

QRect Clipped(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, const QImage& image)
{
    left = std::max<std::int64_t>(left, 0);
    top = std::max<std::int64_t>(top, 0);
    right = std::min<std::int64_t>(right, image.width() - 1);
    bottom = std::min<std::int64_t>(bottom, image.height() - 1);
    if (left > right || top > bottom)
        return {};
    return QRect(QPoint(static_cast<int>(left), static_cast<int>(top)),
                 QPoint(static_cast<int>(right), static_cast<int>(bottom)));
}

std::vector<int> NearestMap(std::int64_t first, std::int64_t last, std::int64_t destStart, std::int64_t destSize,
                            bool mirrored, std::int64_t sourceStart, double sourceSize, int sourceExtent)
{
    std::vector<int> map;
    map.reserve(static_cast<std::size_t>(std::max<std::int64_t>(0, last - first + 1)));
    for (std::int64_t d = first; d <= last; ++d) {
        const std::int64_t k = d - destStart;
        const std::int64_t step = mirrored ? destSize - 1 - k : k;
        const std::int64_t s =
            sourceStart + static_cast<std::int64_t>(std::floor((static_cast<double>(step) + 0.5) * sourceSize /
                                                               static_cast<double>(destSize)));
        map.push_back(s >= 0 && s < sourceExtent ? static_cast<int>(s) : -1);
    }
    return map;
}

CircleShape::CircleShape(std::int64_t cx, std::int64_t cy, double radius, std::optional<double> startAngle,
                         std::optional<double> endAngle)
    // A disc of radius r around the centre pixel holds the pixels whose
    // centres lie within r + 0.5: the same outline a midpoint circle gives,
    // and a ring (disc pixels with a neighbour outside) without gaps.
    : m_cx(cx),
      m_cy(cy),
      m_radius(radius),
      m_limit((radius + 0.5) * (radius + 0.5)),
      m_start(startAngle),
      m_end(endAngle)
{
    m_from = startAngle ? NormalisedAngle(*startAngle) : 0.0;
    const double to = endAngle ? NormalisedAngle(*endAngle) : 0.0;
    m_span = to - m_from;
    if (m_span <= 0.0)
        m_span += kFullTurn;
}

std::int64_t CircleShape::reach() const
{
    return static_cast<std::int64_t>(std::ceil(m_radius + 0.5));
}

bool CircleShape::closed() const
{
    const bool isArc = m_start || m_end;
    return !isArc || (m_start && *m_start < 0.0 && m_end && *m_end < 0.0);
}

bool CircleShape::inDisc(std::int64_t dx, std::int64_t dy) const
{
    const auto fx = static_cast<double>(dx);
    const auto fy = static_cast<double>(dy);
    return fx * fx + fy * fy <= m_limit;
}

bool CircleShape::onRing(std::int64_t dx, std::int64_t dy) const
{
    return inDisc(dx, dy) && (!inDisc(dx + 1, dy) || !inDisc(dx - 1, dy) || !inDisc(dx, dy + 1) || !inDisc(dx, dy - 1));
}

bool CircleShape::inArc(std::int64_t dx, std::int64_t dy) const
{
    if ((!m_start && !m_end) || (dx == 0 && dy == 0))
        return true;
    // Angles run counter-clockwise on screen, where y grows downwards.
    double theta = std::atan2(-static_cast<double>(dy), static_cast<double>(dx));
    if (theta < 0.0)
        theta += kFullTurn;
    double offset = theta - m_from;
    if (offset < 0.0)
        offset += kFullTurn;
    return offset <= m_span + 1e-12;
}

void CircleShape::drawRadius(QImage& image, double angle, QRgb outline) const
{
    const double a = std::fabs(angle);
    DrawLine(image, m_cx, m_cy, m_cx + std::llround(m_radius * std::cos(a)),
             m_cy - std::llround(m_radius * std::sin(a)), outline);
}

void CircleShape::draw(QImage& image, const QRect& box, QRgb outline, const QRgb* fill) const
{
    for (int py = box.top(); py <= box.bottom(); ++py) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(py));
        for (int px = box.left(); px <= box.right(); ++px) {
            const std::int64_t dx = px - m_cx;
            const std::int64_t dy = py - m_cy;
            if (!inDisc(dx, dy) || !inArc(dx, dy))
                continue;
            if (onRing(dx, dy))
                row[px] = outline;
            else if (fill)
                row[px] = *fill;
        }
    }
    // The straight sides go over the fill, so a slice is closed in the
    // outline colour even where its edge runs between pixel centres.
    if (m_start && *m_start < 0.0)
        drawRadius(image, *m_start, outline);
    if (m_end && *m_end < 0.0)
        drawRadius(image, *m_end, outline);
}

} // namespace centrafix
