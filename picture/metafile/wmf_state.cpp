#include "picture/metafile/wmf_state.h"

#include <algorithm>
#include <cmath>

namespace centrafix::wmf {

namespace {

// A hostile file could otherwise save states until memory runs out.
constexpr std::size_t kMaxSavedStates = 1024;

} // namespace

QPen DevicePen(const LogicalPen& lp, double scale)
{
    constexpr int kNullStyle = 5;
    const int style = lp.style & 0x0F;
    if (style == kNullStyle)
        return QPen(Qt::NoPen);
    QPen pen(lp.color);
    // Width 0 and anything thinner than a pixel draw one pixel wide; Qt takes
    // no pen wider than 32767 pixels, and none needs to be.
    const double width = std::min(std::abs(lp.width) * scale, 32767.0);
    pen.setWidthF(width < 1.5 ? 0.0 : std::round(width));
    switch (style) {
    case 1: pen.setStyle(Qt::DashLine); break;
    case 2:
    case 8: pen.setStyle(Qt::DotLine); break;
    case 3: pen.setStyle(Qt::DashDotLine); break;
    case 4: pen.setStyle(Qt::DashDotDotLine); break;
    default: break;
    }
    switch (lp.style & 0x0F00) {
    case 0x0100: pen.setCapStyle(Qt::SquareCap); break;
    case 0x0200: pen.setCapStyle(Qt::FlatCap); break;
    default: pen.setCapStyle(Qt::RoundCap); break;
    }
    switch (lp.style & 0xF000) {
    case 0x1000: pen.setJoinStyle(Qt::BevelJoin); break;
    case 0x2000: pen.setJoinStyle(Qt::MiterJoin); break;
    default: pen.setJoinStyle(Qt::RoundJoin); break;
    }
    return pen;
}

QBrush LogicalBrush(quint16 style, const QColor& color, quint16 hatch)
{
    constexpr quint16 kNull = 1, kHatched = 2;
    if (style == kNull)
        return QBrush(Qt::NoBrush);
    if (style == kHatched) {
        constexpr Qt::BrushStyle kHatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                               Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(color, hatch < 6 ? kHatches[hatch] : Qt::SolidPattern);
    }
    // Solid, and pattern styles whose bitmap this record cannot carry.
    return QBrush(color);
}

Mix MixFor(int rop2)
{
    using C = QPainter::CompositionMode;
    const auto op = [](C mode) { return Mix{mode, std::nullopt, true}; };
    switch (rop2) {
    case 1: return {C::CompositionMode_Source, QColor(Qt::black), true};
    case 2: return op(C::RasterOp_NotSourceAndNotDestination);            // R2_NOTMERGEPEN
    case 3: return op(C::RasterOp_NotSourceAndDestination);               // R2_MASKNOTPEN
    case 4: return op(C::RasterOp_NotSource);                             // R2_NOTCOPYPEN
    case 5: return op(C::RasterOp_SourceAndNotDestination);               // R2_MASKPENNOT
    case 6: return op(C::RasterOp_NotDestination);                        // R2_NOT
    case 7: return op(C::RasterOp_SourceXorDestination);                  // R2_XORPEN
    case 8: return op(C::RasterOp_NotSourceOrNotDestination);             // R2_NOTMASKPEN
    case 9: return op(C::RasterOp_SourceAndDestination);                  // R2_MASKPEN
    case 10: return op(C::RasterOp_NotSourceXorDestination);              // R2_NOTXORPEN
    case 11: return {C::CompositionMode_SourceOver, std::nullopt, false}; // R2_NOP
    case 12: return op(C::RasterOp_NotSourceOrDestination);               // R2_MERGENOTPEN
    case 14: return op(C::RasterOp_SourceOrNotDestination);               // R2_MERGEPENNOT
    case 15: return op(C::RasterOp_SourceOrDestination);                  // R2_MERGEPEN
    case 16: return {C::CompositionMode_Source, QColor(Qt::white), true};
    default: return {}; // R2_COPYPEN, and values Windows does not know
    }
}

void SavedStates::save(const DeviceContext& dc)
{
    if (m_states.size() < kMaxSavedStates)
        m_states.push_back(dc);
}

std::optional<DeviceContext> SavedStates::restore(int which)
{
    const qint64 target = which < 0 ? static_cast<qint64>(m_states.size()) + which : qint64(which) - 1;
    if (which == 0 || target < 0 || target >= static_cast<qint64>(m_states.size()))
        return std::nullopt;
    DeviceContext dc = m_states[static_cast<std::size_t>(target)];
    m_states.resize(static_cast<std::size_t>(target));
    return dc;
}

ObjectTable::ObjectTable(int announced)
{
    m_objects.reserve(static_cast<std::size_t>(std::min(announced, 4096)));
}

bool ObjectTable::add(GdiObject object)
{
    int slot = 0;
    if (!m_freeSlots.empty()) {
        slot = m_freeSlots.top();
        m_freeSlots.pop();
    } else {
        if (m_objects.size() >= static_cast<std::size_t>(kMaxObjects))
            return false;
        slot = static_cast<int>(m_objects.size());
        m_objects.emplace_back();
    }
    m_objects[static_cast<std::size_t>(slot)] = std::move(object);
    return true;
}

const GdiObject* ObjectTable::find(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_objects.size()))
        return nullptr;
    return &m_objects[static_cast<std::size_t>(index)];
}

void ObjectTable::remove(int index)
{
    if (index < 0 || index >= static_cast<int>(m_objects.size()))
        return;
    GdiObject& object = m_objects[static_cast<std::size_t>(index)];
    if (object.kind == GdiObject::Kind::Free)
        return;
    // What is selected stays in use: the context holds its own copy.
    object = GdiObject{};
    m_freeSlots.push(index);
}

} // namespace centrafix::wmf
