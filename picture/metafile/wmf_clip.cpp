// The records that narrow, widen or reset where drawing reaches.

#include "picture/metafile/wmf_record_player.h"

#include <cmath>

namespace centrafix::wmf {

namespace {

// The device pixels a mapped rectangle covers: Windows includes its left and
// top edges and leaves out its right and bottom ones.
QRect DevicePixels(const QRectF& box, const QRectF& canvas)
{
    const QRectF inside = box & canvas;
    if (!inside.isValid())
        return {};
    const QPoint topLeft(int(std::lround(inside.left())), int(std::lround(inside.top())));
    const QPoint bottomRight(int(std::lround(inside.right())), int(std::lround(inside.bottom())));
    return QRect(topLeft, bottomRight - QPoint(1, 1));
}

} // namespace

// Both store the rectangle bottom, right, top, left.
Problem RecordPlayer::intersectClipRect(const Record& r)
{
    const QRect pixels = DevicePixels(mapRect(r.s(3), r.s(2), r.s(1), r.s(0)), m_budget.canvas());
    return clipTo(m_dc.clip.value_or(QRegion(m_budget.canvas().toRect())).intersected(pixels));
}

Problem RecordPlayer::excludeClipRect(const Record& r)
{
    const QRect pixels = DevicePixels(mapRect(r.s(3), r.s(2), r.s(1), r.s(0)), m_budget.canvas());
    return clipTo(m_dc.clip.value_or(QRegion(m_budget.canvas().toRect())).subtracted(pixels));
}

// Only the null region is played: it lifts all clipping. A region object's
// shape is not kept, so selecting one leaves the clipping as it was; any
// index that names no region stands for the null region.
Problem RecordPlayer::selectClipRegion(const Record& r)
{
    const GdiObject* object = m_objects.find(r.u(0));
    if (object != nullptr && object->kind == GdiObject::Kind::Region)
        return std::nullopt;
    m_dc.clip.reset();
    applyClip();
    return std::nullopt;
}

// A region cut into many rectangles costs on every later change.
Problem RecordPlayer::clipTo(const QRegion& region)
{
    if (Problem problem = m_budget.spend(cost::kClipRect * (region.rectCount() + 1)))
        return problem;
    m_dc.clip = region;
    applyClip();
    return std::nullopt;
}

void RecordPlayer::applyClip()
{
    if (m_dc.clip)
        m_painter.setClipRegion(*m_dc.clip);
    else
        m_painter.setClipping(false);
}

} // namespace centrafix::wmf
