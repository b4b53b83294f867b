#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

#include <cstdint>
#include <optional>
#include <vector>

namespace centrafix {

// The pixel work behind the picture area's drawing: exact colours, no
// anti-aliasing, and coordinates far off the picture costing nothing.

// Beyond this a coordinate cannot touch any picture, and the integer maths
// would lose its footing; such drawing is simply off-screen.
inline constexpr double kFarAway = 1e15;

// The pixel containing coordinate v, or nothing for NaN and the far distance
// (a zero scale or an origin miles away must not hang or crash the drawing).
std::optional<std::int64_t> PixelOf(double v);

bool Inside(const QImage& image, std::int64_t x, std::int64_t y);
void Put(QImage& image, std::int64_t x, std::int64_t y, QRgb word);

// Integer line with both end points. Only the stretch of the major axis that
// lies inside the picture is walked, so a line from far off-screen costs no
// more than one across the picture.
void DrawLine(QImage& image, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, QRgb word);

// The rectangle from (left, top) to (right, bottom), both included, within
// the image; empty when nothing of it is.
QRect Clipped(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, const QImage& image);

// Source index for each destination index of a nearest-neighbour stretch;
// -1 where the source has no pixel.
std::vector<int> NearestMap(std::int64_t first, std::int64_t last, std::int64_t destStart, std::int64_t destSize,
                            bool mirrored, std::int64_t sourceStart, double sourceSize, int sourceExtent);

// A circle of `radius` pixels around a centre pixel, or an arc of it: from
// the start angle to the end angle (radians, counter-clockwise from three
// o'clock on screen); a negative angle also draws the radius to that end.
class CircleShape {
public:
    CircleShape(std::int64_t cx, std::int64_t cy, double radius, std::optional<double> startAngle,
                std::optional<double> endAngle);

    // How far from the centre its pixels can lie.
    std::int64_t reach() const;
    // A whole disc, or a pie slice closed by both radii: the shapes that fill.
    bool closed() const;
    // Draws the ring in `outline` and, with `fill`, the inside, within `box`.
    void draw(QImage& image, const QRect& box, QRgb outline, const QRgb* fill) const;

private:
    bool inDisc(std::int64_t dx, std::int64_t dy) const;
    bool onRing(std::int64_t dx, std::int64_t dy) const;
    bool inArc(std::int64_t dx, std::int64_t dy) const;
    void drawRadius(QImage& image, double angle, QRgb outline) const;

    std::int64_t m_cx;
    std::int64_t m_cy;
    double m_radius;
    double m_limit;
    std::optional<double> m_start;
    std::optional<double> m_end;
    double m_from = 0.0;
    double m_span = 0.0;
};

} // namespace centrafix
