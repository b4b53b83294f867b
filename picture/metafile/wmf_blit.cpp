// The records that copy bitmaps, or fill with a raster operation where they
// carry none.

#include "picture/metafile/wmf_dib.h"
#include "picture/metafile/wmf_names.h"
#include "picture/metafile/wmf_record_player.h"

#include <cmath>

namespace centrafix::wmf {

namespace {

// Where a blit record keeps its coordinates and its bitmap (-1: none).
struct BlitLayout {
    int srcH, srcW, ySrc, xSrc, destH, destW, yDest, xDest, bitmap;
};

BlitLayout LayoutOf(Fn fn, bool withoutBitmap)
{
    switch (fn) {
    case Fn::DibBitBlt:
        return withoutBitmap ? BlitLayout{5, 6, 2, 3, 5, 6, 7, 8, -1} : BlitLayout{4, 5, 2, 3, 4, 5, 6, 7, 8};
    case Fn::DibStretchBlt:
        return withoutBitmap ? BlitLayout{2, 3, 4, 5, 7, 8, 9, 10, -1} : BlitLayout{2, 3, 4, 5, 6, 7, 8, 9, 10};
    default: return BlitLayout{3, 4, 5, 6, 7, 8, 9, 10, 11};
    }
}

QPainter::CompositionMode CompositionFor(quint32 rop)
{
    constexpr quint32 kSrcAnd = 0x008800C6, kSrcPaint = 0x00EE0086, kSrcInvert = 0x00660046, kNotSrcCopy = 0x00330008;
    switch (rop) {
    case kSrcAnd: return QPainter::RasterOp_SourceAndDestination;
    case kSrcPaint: return QPainter::RasterOp_SourceOrDestination;
    case kSrcInvert: return QPainter::RasterOp_SourceXorDestination;
    case kNotSrcCopy: return QPainter::RasterOp_NotSource;
    default: return QPainter::CompositionMode_Source; // copies, and operations we approximate by a copy
    }
}

bool Patterned(const QBrush& brush)
{
    return brush.style() != Qt::SolidPattern && brush.style() != Qt::NoBrush;
}

} // namespace

Problem RecordPlayer::fillByRasterOp(quint32 rop, const QRectF& target)
{
    constexpr quint32 kPatCopy = 0x00F00021, kPatInvert = 0x005A0049, kDstInvert = 0x00550009, kBlackness = 0x00000042,
                      kWhiteness = 0x00FF0062;
    const double factor = Patterned(m_dc.brush) ? cost::kPatternFactor : 1.0;
    if (Problem problem = m_budget.spend(ClippedArea(target, m_budget.canvas()) * factor))
        return problem;
    switch (rop) {
    case kPatCopy: m_painter.fillRect(target, m_dc.brush); break;
    case kBlackness: m_painter.fillRect(target, Qt::black); break;
    case kWhiteness: m_painter.fillRect(target, Qt::white); break;
    case kPatInvert:
        m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        m_painter.fillRect(target, m_dc.brush);
        break;
    case kDstInvert:
        m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        m_painter.fillRect(target, Qt::black);
        break;
    default: break;
    }
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    return std::nullopt;
}

// The rectangle is stored height, width, top, left, after the operation.
Problem RecordPlayer::patBlt(const Record& r)
{
    const double left = r.s(5), top = r.s(4);
    return fillByRasterOp(r.u32(0), mapRect(left, top, left + r.s(3), top + r.s(2)));
}

// The rule table has checked the words before the bitmap.
Problem RecordPlayer::blit(const Record& r)
{
    // Without a bitmap the record has exactly the words its function names,
    // one of them reserved; with one, the bitmap follows the fixed words.
    const bool withoutBitmap = r.fn() != Fn::StretchDib && r.words() == (r.function >> 8);
    const BlitLayout at = LayoutOf(r.fn(), withoutBitmap);
    const quint32 rop = r.u32(0);
    const QPointF corner = map({double(r.s(at.xDest)), double(r.s(at.yDest))});
    const QPointF opposite = map({double(r.s(at.xDest)) + r.s(at.destW), double(r.s(at.yDest)) + r.s(at.destH)});
    const QRectF target = QRectF(corner, opposite).normalized();
    if (withoutBitmap)
        return fillByRasterOp(rop, target);
    constexpr quint16 kPaletteIndices = 1;
    if (r.fn() == Fn::StretchDib && r.u(2) == kPaletteIndices)
        return std::nullopt; // colours as indices into a palette we do not keep

    const Dib dib = DecodeDib(r.from(at.bitmap), name::BitmapTransfer, m_budget);
    if (dib.problem)
        return dib.problem;
    if (dib.image.isNull() || target.isEmpty())
        return std::nullopt;
    const int srcW = std::abs(r.s(at.srcW)), srcH = std::abs(r.s(at.srcH));
    const int srcX = r.s(at.xSrc);
    // Source rows of a bottom-up bitmap count from its bottom edge.
    const int srcY = dib.bottomUp ? dib.image.height() - r.s(at.ySrc) - srcH : r.s(at.ySrc);
    const QRect source = QRect(srcX, srcY, srcW, srcH).intersected(dib.image.rect());
    if (source.isEmpty())
        return std::nullopt;
    if (Problem problem = m_budget.spend(ClippedArea(target, m_budget.canvas()) * cost::kPatternFactor))
        return problem;
    const QImage part = dib.image.copy(source).mirrored(opposite.x() < corner.x(), opposite.y() < corner.y());
    m_painter.setCompositionMode(CompositionFor(rop));
    m_painter.drawImage(target, part);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    return std::nullopt;
}

} // namespace centrafix::wmf
