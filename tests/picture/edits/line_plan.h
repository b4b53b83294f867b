#pragma once

// Line plans as drafting programs and PDF renderers draw them: black
// anti-aliased lines on white, laid out in millimetres at a given resolution.

#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QPolygonF>
#include <QRgb>

#include <cstdint>

namespace centrafix::testing {

inline constexpr double kPlanDpi = 150.0;
inline constexpr double kPenMm = 0.5;

inline double PixelsPerMm(double dpi = kPlanDpi)
{
    return dpi / 25.4;
}

// A white page of `widthMm` x `heightMm`, and a painter on it that draws in
// millimetres with a 0.5 mm black pen.
class LinePlan {
public:
    LinePlan(double widthMm, double heightMm, double dpi = kPlanDpi);
    ~LinePlan();

    QPainter& painter() { return m_painter; }
    // Ends the drawing and hands over the page.
    QImage finish();

    // A dimension line from `a` to `b` with filled arrow heads at both ends
    // and its figure written above it.
    void dimension(QPointF a, QPointF b, const QString& figure);
    // Parallel diagonal lines inside the rectangle, as a section is hatched.
    void hatching(const QRectF& box, double spacingMm);
    void text(QPointF at, const QString& words, double heightMm);

private:
    QImage m_page;
    QPainter m_painter;
};

// The enclosed area by the shoelace formula.
double ShoelaceArea(const QPolygonF& polygon);

// Pixels of exactly this colour (alpha ignored).
std::int64_t CountColour(const QImage& picture, QRgb colour);

// Pixels (in mm^2 at the page's resolution) of exactly this colour.
double AreaMm2(const QImage& picture, QRgb colour, double dpi = kPlanDpi);

} // namespace centrafix::testing
