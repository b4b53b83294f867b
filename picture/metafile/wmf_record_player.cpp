#include "picture/metafile/wmf_record_player.h"

#include "picture/metafile/wmf_dib.h"
#include "picture/metafile/wmf_font.h"
#include "picture/metafile/wmf_names.h"

#include <algorithm>
#include <string>

namespace centrafix::wmf {

namespace {

constexpr Message kTooManyObjects{"mehr als %1 Objekte bestehen gleichzeitig", "more than %1 objects exist at once"};

} // namespace

// How a record is checked and played: it needs `minWords` parameter words
// for `what` it holds before `handler` may read them.
struct RecordPlayer::Rule {
    Fn function;
    int minWords;
    const Message* what; // none where no word is needed
    Handler handler;
};

const RecordPlayer::Rule* RecordPlayer::ruleFor(quint16 function)
{
    using P = RecordPlayer;
    static constexpr Rule kRules[] = {
        {Fn::SetWindowOrg, 2, &name::WindowOrigin, &P::setWindowOrg},
        {Fn::OffsetWindowOrg, 2, &name::WindowOffset, &P::offsetWindowOrg},
        {Fn::SetWindowExt, 2, &name::WindowExtent, &P::setWindowExt},
        {Fn::ScaleWindowExt, 4, &name::WindowScaling, &P::scaleWindowExt},
        {Fn::SetPolyFillMode, 1, &name::FillMode, &P::setPolyFillMode},
        {Fn::SetBkMode, 1, &name::BackgroundMode, &P::setBkMode},
        {Fn::SetBkColor, 2, &name::BackgroundColour, &P::setBkColor},
        {Fn::SetRop2, 1, &name::MixMode, &P::setRop2},
        {Fn::SetTextColor, 2, &name::TextColour, &P::setTextColor},
        {Fn::SetTextAlign, 1, &name::TextAlignment, &P::setTextAlign},
        {Fn::CreatePenIndirect, 5, &name::Pen, &P::createPen},
        {Fn::CreateBrushIndirect, 4, &name::Brush, &P::createBrush},
        {Fn::DibCreatePatternBrush, 2, &name::PatternBrush, &P::createPatternBrush},
        {Fn::CreateFontIndirect, 9, &name::Font, &P::createFont},
        {Fn::CreatePalette, 0, nullptr, &P::createUndrawn},
        {Fn::CreatePatternBrush, 0, nullptr, &P::createUndrawn},
        {Fn::CreateRegion, 0, nullptr, &P::createRegion},
        {Fn::SelectObject, 1, &name::ObjectSelection, &P::selectObject},
        {Fn::DeleteObject, 1, &name::ObjectDeletion, &P::deleteObject},
        {Fn::SaveDc, 0, nullptr, &P::saveDc},
        {Fn::RestoreDc, 1, &name::StateRestore, &P::restoreDc},
        {Fn::MoveTo, 2, &name::Move, &P::moveTo},
        {Fn::LineTo, 2, &name::Line, &P::lineTo},
        {Fn::Polygon, 1, &name::Polygon, &P::polygon},
        {Fn::Polyline, 1, &name::Polyline, &P::polyline},
        {Fn::PolyPolygon, 1, &name::PolyPolygon, &P::polyPolygon},
        {Fn::Rectangle, 4, &name::Rectangle, &P::rectangle},
        {Fn::Ellipse, 4, &name::Rectangle, &P::rectangle},
        {Fn::RoundRect, 6, &name::RoundedRectangle, &P::roundRect},
        {Fn::Arc, 8, &name::Arc, &P::arc},
        {Fn::Pie, 8, &name::Arc, &P::arc},
        {Fn::Chord, 8, &name::Arc, &P::arc},
        {Fn::SetPixel, 4, &name::Pixel, &P::setPixel},
        {Fn::IntersectClipRect, 4, &name::ClipRectangle, &P::intersectClipRect},
        {Fn::ExcludeClipRect, 4, &name::ClipRectangle, &P::excludeClipRect},
        {Fn::SelectClipRegion, 1, &name::ClipRegion, &P::selectClipRegion},
        {Fn::TextOut, 1, &name::Text, &P::textOut},
        {Fn::ExtTextOut, 4, &name::Text, &P::extTextOut},
        {Fn::PatBlt, 6, &name::PatternFill, &P::patBlt},
        // Without a bitmap a blit has more words than these; with one, the
        // bitmap follows them.
        {Fn::DibBitBlt, 8, &name::BitmapTransfer, &P::blit},
        {Fn::DibStretchBlt, 10, &name::BitmapTransfer, &P::blit},
        {Fn::StretchDib, 11, &name::BitmapTransfer, &P::blit},
    };
    const auto* rule = std::find_if(std::begin(kRules), std::end(kRules),
                                    [function](const Rule& r) { return static_cast<quint16>(r.function) == function; });
    return rule == std::end(kRules) ? nullptr : rule;
}

RecordPlayer::RecordPlayer(QImage& target, const DeviceContext& start, int objectsHint)
    : m_painter(&target),
      m_device(target.size()),
      m_dc(start),
      m_objects(objectsHint),
      m_budget(target.size())
{
    // Measured drawings need exact colours: no blended edge pixels.
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, false);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    applyClip();
}

Problem RecordPlayer::play(const Record& r)
{
    if (Problem problem = m_budget.spend(cost::kRecord))
        return problem;
    const Rule* rule = ruleFor(r.function);
    if (rule == nullptr)
        return std::nullopt; // palettes, escapes, regions' shapes: not part of a planform
    if (r.words() < rule->minWords)
        return NeedWords(r, rule->minWords, *rule->what);
    return (this->*rule->handler)(r);
}

Problem RecordPlayer::setWindowOrg(const Record& r)
{
    m_dc.windowOrg = QPointF(r.s(1), r.s(0));
    return std::nullopt;
}

Problem RecordPlayer::offsetWindowOrg(const Record& r)
{
    m_dc.windowOrg += QPointF(r.s(1), r.s(0));
    return std::nullopt;
}

Problem RecordPlayer::setWindowExt(const Record& r)
{
    if (r.s(0) != 0 && r.s(1) != 0) // Windows refuses an empty window
        m_dc.windowExt = QSizeF(r.s(1), r.s(0));
    return std::nullopt;
}

Problem RecordPlayer::scaleWindowExt(const Record& r)
{
    if (r.s(0) == 0 || r.s(2) == 0)
        return std::nullopt;
    // Extents are whole numbers, as in Windows: repeated scaling can neither
    // creep towards zero nor grow without bound.
    const qint64 w = static_cast<qint64>(m_dc.windowExt.width()) * r.s(3) / r.s(2);
    const qint64 h = static_cast<qint64>(m_dc.windowExt.height()) * r.s(1) / r.s(0);
    constexpr qint64 kLargest = 1 << 30;
    if (w != 0 && h != 0 && std::abs(w) <= kLargest && std::abs(h) <= kLargest)
        m_dc.windowExt = QSizeF(w, h);
    return std::nullopt;
}

Problem RecordPlayer::setPolyFillMode(const Record& r)
{
    m_dc.fillRule = r.u(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
    return std::nullopt;
}

Problem RecordPlayer::setBkMode(const Record& r)
{
    m_dc.opaqueBackground = r.u(0) == 2;
    return std::nullopt;
}

Problem RecordPlayer::setBkColor(const Record& r)
{
    m_dc.background = r.color(0);
    return std::nullopt;
}

Problem RecordPlayer::setRop2(const Record& r)
{
    // Windows refuses a mix mode it does not know and keeps the one in force.
    if (r.u(0) >= 1 && r.u(0) <= 16)
        m_dc.rop2 = r.u(0);
    return std::nullopt;
}

Problem RecordPlayer::setTextColor(const Record& r)
{
    m_dc.textColor = r.color(0);
    return std::nullopt;
}

Problem RecordPlayer::setTextAlign(const Record& r)
{
    m_dc.textAlign = r.u(0);
    return std::nullopt;
}

Problem RecordPlayer::addObject(GdiObject object)
{
    if (!m_objects.add(std::move(object)))
        return Described({}, kTooManyObjects, {std::to_string(ObjectTable::kMaxObjects)});
    return std::nullopt;
}

Problem RecordPlayer::createPen(const Record& r)
{
    GdiObject pen;
    pen.kind = GdiObject::Kind::Pen;
    pen.pen = LogicalPen{r.u(0), r.s(1), r.color(3)};
    return addObject(std::move(pen));
}

Problem RecordPlayer::createBrush(const Record& r)
{
    GdiObject brush;
    brush.kind = GdiObject::Kind::Brush;
    brush.brush = LogicalBrush(r.u(0), r.color(1), r.u(3));
    return addObject(std::move(brush));
}

Problem RecordPlayer::createPatternBrush(const Record& r)
{
    GdiObject brush;
    brush.kind = GdiObject::Kind::Other;
    // Only the two packed-bitmap styles carry a bitmap we can read here.
    constexpr quint16 kDibPattern = 5, kDibPatternPt = 6, kPaletteIndices = 1;
    if ((r.u(0) == kDibPattern || r.u(0) == kDibPatternPt) && r.u(1) != kPaletteIndices) {
        Dib dib = DecodeDib(r.from(2), name::PatternBrush, m_budget);
        if (dib.problem)
            return dib.problem;
        if (!dib.image.isNull()) {
            brush.kind = GdiObject::Kind::Brush;
            brush.brush = QBrush(dib.image);
        }
    }
    return addObject(std::move(brush));
}

Problem RecordPlayer::createFont(const Record& r)
{
    GdiObject font;
    font.kind = GdiObject::Kind::Font;
    font.font = ReadLogicalFont(r);
    return addObject(std::move(font));
}

// Its shape is not kept, but a selection must tell it from the null region.
Problem RecordPlayer::createRegion(const Record& /*r*/)
{
    GdiObject region;
    region.kind = GdiObject::Kind::Region;
    return addObject(std::move(region));
}

// Not drawn with, but it takes an index that later records count on.
Problem RecordPlayer::createUndrawn(const Record& /*r*/)
{
    GdiObject other;
    other.kind = GdiObject::Kind::Other;
    return addObject(std::move(other));
}

Problem RecordPlayer::selectObject(const Record& r)
{
    // Beyond the table Windows fails the call and changes nothing.
    if (const GdiObject* object = m_objects.find(r.u(0))) {
        if (object->kind == GdiObject::Kind::Pen)
            m_dc.pen = object->pen;
        else if (object->kind == GdiObject::Kind::Brush)
            m_dc.brush = object->brush;
        else if (object->kind == GdiObject::Kind::Font)
            m_dc.font = object->font;
    }
    return std::nullopt;
}

Problem RecordPlayer::deleteObject(const Record& r)
{
    m_objects.remove(r.u(0));
    return std::nullopt;
}

Problem RecordPlayer::saveDc(const Record& /*r*/)
{
    m_saved.save(m_dc);
    return std::nullopt;
}

Problem RecordPlayer::restoreDc(const Record& r)
{
    if (std::optional<DeviceContext> saved = m_saved.restore(r.s(0))) {
        m_dc = std::move(*saved);
        applyClip();
    }
    return std::nullopt;
}

Problem RecordPlayer::moveTo(const Record& r)
{
    m_dc.position = QPointF(r.s(1), r.s(0));
    return std::nullopt;
}

} // namespace centrafix::wmf
