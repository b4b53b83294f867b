// The records that draw lines and areas.

#include "picture/metafile/wmf_names.h"
#include "picture/metafile/wmf_record_player.h"

#include <QPainterPath>
#include <QtMath>

#include <cmath>
#include <string>

namespace centrafix::wmf {

namespace {

constexpr Message kNegativeCount{"%1 mit %2 Punkten", "%1 of %2 points"};

// The angle Qt's arc functions take (degrees, counter-clockwise from three
// o'clock, measured on the unit circle the ellipse is stretched from) at which
// the ray from the centre through `p` meets the ellipse.
double EllipseAngle(const QRectF& r, QPointF p)
{
    const double dx = (p.x() - r.center().x()) / (r.width() / 2);
    const double dy = (r.center().y() - p.y()) / (r.height() / 2);
    if (dx == 0 && dy == 0)
        return 0;
    return qRadiansToDegrees(std::atan2(dy, dx));
}

} // namespace

QPointF RecordPlayer::map(QPointF p) const
{
    return {(p.x() - m_dc.windowOrg.x()) * m_device.width() / m_dc.windowExt.width(),
            (p.y() - m_dc.windowOrg.y()) * m_device.height() / m_dc.windowExt.height()};
}

QRectF RecordPlayer::mapRect(double left, double top, double right, double bottom) const
{
    return QRectF(map({left, top}), map({right, bottom})).normalized();
}

QPolygonF RecordPlayer::polygonAt(const Record& r, int firstWord, int count) const
{
    QPolygonF polygon;
    polygon.reserve(count);
    for (int i = 0; i < count; ++i)
        polygon << map(r.point(firstWord + 2 * i));
    return polygon;
}

// Pen and brush through the mix mode in force, after the work is counted.
Problem RecordPlayer::draw(const QPainterPath& path, bool filled)
{
    QPen pen = DevicePen(m_dc.pen, scaleX());
    QBrush brush = filled ? m_dc.brush : QBrush(Qt::NoBrush);
    const double penWidth = pen.style() == Qt::NoPen ? 0.0 : std::max(pen.widthF(), 1.0);
    const bool patterned = brush.style() != Qt::SolidPattern && brush.style() != Qt::NoBrush;
    if (Problem problem =
            m_budget.spend(PathCost(path, penWidth, brush.style() != Qt::NoBrush, patterned, m_budget.canvas())))
        return problem;
    const Mix mix = MixFor(m_dc.rop2);
    if (!mix.draws)
        return std::nullopt;
    QColor background = m_dc.background;
    if (mix.colour) {
        pen.setColor(*mix.colour);
        // A bitmap brush turns into the colour alone; hatches keep their lines.
        brush = brush.style() == Qt::NoBrush          ? brush
                : brush.style() == Qt::TexturePattern ? QBrush(*mix.colour)
                                                      : QBrush(*mix.colour, brush.style());
        background = *mix.colour;
    }
    m_painter.setPen(pen);
    m_painter.setBrush(brush);
    m_painter.setBackgroundMode(m_dc.opaqueBackground ? Qt::OpaqueMode : Qt::TransparentMode);
    m_painter.setBackground(background);
    m_painter.setCompositionMode(mix.mode);
    m_painter.drawPath(path);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    return std::nullopt;
}

Problem RecordPlayer::lineTo(const Record& r)
{
    const QPointF to(r.s(1), r.s(0));
    QPainterPath path(map(m_dc.position));
    path.lineTo(map(to));
    m_dc.position = to;
    return draw(path, false);
}

Problem RecordPlayer::polygon(const Record& r)
{
    return points(r, true);
}

Problem RecordPlayer::polyline(const Record& r)
{
    return points(r, false);
}

Problem RecordPlayer::points(const Record& r, bool closed)
{
    const Message& what = closed ? name::Polygon : name::Polyline;
    const int count = r.s(0);
    if (count < 0)
        return Described({}, kNegativeCount, {what, std::to_string(count)});
    if (Problem problem = NeedWords(r, 1 + 2 * qint64(count), what))
        return problem;
    if (count < 2)
        return std::nullopt;
    QPainterPath path;
    path.setFillRule(m_dc.fillRule);
    path.addPolygon(polygonAt(r, 1, count));
    if (closed)
        path.closeSubpath();
    return draw(path, closed);
}

Problem RecordPlayer::polyPolygon(const Record& r)
{
    const int polygons = r.u(0);
    if (Problem problem = NeedWords(r, 1 + qint64(polygons), name::PolyPolygonCounts))
        return problem;
    qint64 total = 0;
    for (int i = 0; i < polygons; ++i)
        total += r.u(1 + i);
    if (Problem problem = NeedWords(r, 1 + qint64(polygons) + 2 * total, name::PolyPolygonPoints))
        return problem;
    QPainterPath path;
    path.setFillRule(m_dc.fillRule);
    int at = 1 + polygons;
    for (int i = 0; i < polygons; ++i) {
        const int count = r.u(1 + i);
        if (count >= 2) {
            path.addPolygon(polygonAt(r, at, count));
            path.closeSubpath();
        }
        at += 2 * count;
    }
    return draw(path, true);
}

// Rectangles and ellipses: the box is stored bottom, right, top, left.
Problem RecordPlayer::rectangle(const Record& r)
{
    QPainterPath path;
    const QRectF box = mapRect(r.s(3), r.s(2), r.s(1), r.s(0));
    if (r.fn() == Fn::Rectangle)
        path.addRect(box);
    else
        path.addEllipse(box);
    return draw(path, true);
}

Problem RecordPlayer::roundRect(const Record& r)
{
    QPainterPath path;
    path.addRoundedRect(mapRect(r.s(5), r.s(4), r.s(3), r.s(2)), std::abs(r.s(1)) * scaleX() / 2,
                        std::abs(r.s(0)) * scaleY() / 2);
    return draw(path, true);
}

// Arcs, pies and chords.
Problem RecordPlayer::arc(const Record& r)
{
    const QRectF box = mapRect(r.s(7), r.s(6), r.s(5), r.s(4));
    if (box.width() <= 0 || box.height() <= 0)
        return std::nullopt;
    // Windows draws from the start ray to the end ray counter-clockwise as
    // seen on the device, whatever the window's orientation.
    const double start = EllipseAngle(box, map({double(r.s(3)), double(r.s(2))}));
    const double end = EllipseAngle(box, map({double(r.s(1)), double(r.s(0))}));
    double sweep = end - start;
    while (sweep <= 0)
        sweep += 360;
    QPainterPath path;
    if (r.fn() == Fn::Pie) {
        path.moveTo(box.center());
        path.arcTo(box, start, sweep);
        path.closeSubpath();
    } else {
        path.arcMoveTo(box, start);
        path.arcTo(box, start, sweep);
        if (r.fn() == Fn::Chord)
            path.closeSubpath();
    }
    return draw(path, r.fn() != Fn::Arc);
}

// The colour is stored first, then y and x. One device pixel, whatever the
// mapping's scale, drawn as it is whatever the mix mode.
Problem RecordPlayer::setPixel(const Record& r)
{
    const QPointF at = map({double(r.s(3)), double(r.s(2))});
    if (!m_budget.canvas().contains(at))
        return std::nullopt;
    m_painter.fillRect(QRectF(std::floor(at.x()), std::floor(at.y()), 1, 1), r.color(0));
    return std::nullopt;
}

} // namespace centrafix::wmf
