#include "line_plan.h"

#include <QPen>

#include <cmath>

namespace centrafix::testing {

LinePlan::LinePlan(double widthMm, double heightMm, double dpi)
    : m_page(static_cast<int>(std::lround(widthMm * PixelsPerMm(dpi))),
             static_cast<int>(std::lround(heightMm * PixelsPerMm(dpi))), QImage::Format_RGB32)
{
    m_page.fill(Qt::white);
    m_painter.begin(&m_page);
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::TextAntialiasing);
    m_painter.scale(PixelsPerMm(dpi), PixelsPerMm(dpi));
    QPen pen(Qt::black, kPenMm);
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
}

LinePlan::~LinePlan()
{
    if (m_painter.isActive())
        m_painter.end();
}

QImage LinePlan::finish()
{
    m_painter.end();
    return m_page;
}

void LinePlan::dimension(QPointF a, QPointF b, const QString& figure)
{
    const QPointF along = (b - a) / std::hypot(b.x() - a.x(), b.y() - a.y());
    const QPointF across(-along.y(), along.x());
    const double head = 3.0;
    m_painter.save();
    m_painter.setPen(QPen(Qt::black, 0.25));
    m_painter.drawLine(a, b);
    m_painter.setBrush(Qt::black);
    for (const auto& [tip, inward] : {std::pair{a, along}, std::pair{b, -along}}) {
        const QPointF base = tip + inward * head;
        m_painter.drawPolygon(QPolygonF{tip, base + across * 0.8, base - across * 0.8});
    }
    m_painter.restore();
    text((a + b) / 2 + across * 1.0 - along * 5.0, figure, 3.0);
}

void LinePlan::hatching(const QRectF& box, double spacingMm)
{
    m_painter.save();
    m_painter.setPen(QPen(Qt::black, 0.25));
    m_painter.drawRect(box);
    m_painter.setClipRect(box);
    for (double d = -box.height(); d < box.width(); d += spacingMm)
        m_painter.drawLine(QPointF(box.left() + d, box.bottom()), QPointF(box.left() + d + box.height(), box.top()));
    m_painter.restore();
}

void LinePlan::text(QPointF at, const QString& words, double heightMm)
{
    QFont font = m_painter.font();
    font.setPixelSize(1);
    m_painter.save();
    m_painter.translate(at);
    m_painter.scale(heightMm, heightMm);
    m_painter.setFont(font);
    m_painter.drawText(QPointF(0, 0), words);
    m_painter.restore();
}

double ShoelaceArea(const QPolygonF& polygon)
{
    double twice = 0.0;
    for (qsizetype i = 0; i < polygon.size(); ++i) {
        const QPointF& p = polygon[i];
        const QPointF& q = polygon[(i + 1) % polygon.size()];
        twice += p.x() * q.y() - q.x() * p.y();
    }
    return std::abs(twice) / 2.0;
}

std::int64_t CountColour(const QImage& picture, QRgb colour)
{
    std::int64_t n = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            n += (picture.pixel(x, y) & 0xFFFFFFu) == (colour & 0xFFFFFFu) ? 1 : 0;
    return n;
}

double AreaMm2(const QImage& picture, QRgb colour, double dpi)
{
    const double mmPerPixel = 25.4 / dpi;
    return static_cast<double>(CountColour(picture, colour)) * mmPerPixel * mmPerPixel;
}

} // namespace centrafix::testing
