#pragma once

#include "picture/metafile/wmf_budget.h"
#include "picture/metafile/wmf_records.h"
#include "picture/metafile/wmf_state.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <cmath>
#include <vector>

class QFontMetricsF;
class QPainterPath;

namespace centrafix::wmf {

// Draws records one after another onto a picture, keeping the drawing state
// (device context, saved states, object table) records change.
class RecordPlayer {
public:
    RecordPlayer(QImage& target, const DeviceContext& start, int objectsHint);

    // Draws one record; the problem when its parameters do not fit it, or
    // when drawing it would pass the work limit (overBudget()). Records we
    // do not draw are skipped.
    Problem play(const Record& r);
    bool overBudget() const { return m_budget.exceeded(); }

private:
    using Handler = Problem (RecordPlayer::*)(const Record&);
    struct Rule;
    struct TextRun;
    struct TextLine;
    static const Rule* ruleFor(quint16 function);

    // State records (wmf_record_player.cpp).
    Problem setWindowOrg(const Record& r);
    Problem offsetWindowOrg(const Record& r);
    Problem setWindowExt(const Record& r);
    Problem scaleWindowExt(const Record& r);
    Problem setPolyFillMode(const Record& r);
    Problem setBkMode(const Record& r);
    Problem setBkColor(const Record& r);
    Problem setRop2(const Record& r);
    Problem setTextColor(const Record& r);
    Problem setTextAlign(const Record& r);
    Problem createPen(const Record& r);
    Problem createBrush(const Record& r);
    Problem createPatternBrush(const Record& r);
    Problem createFont(const Record& r);
    Problem createRegion(const Record& r);
    Problem createUndrawn(const Record& r);
    Problem selectObject(const Record& r);
    Problem deleteObject(const Record& r);
    Problem saveDc(const Record& r);
    Problem restoreDc(const Record& r);
    Problem moveTo(const Record& r);
    Problem addObject(GdiObject object);

    // Drawing records (wmf_drawing.cpp).
    Problem lineTo(const Record& r);
    Problem polygon(const Record& r);
    Problem polyline(const Record& r);
    Problem polyPolygon(const Record& r);
    Problem rectangle(const Record& r);
    Problem roundRect(const Record& r);
    Problem arc(const Record& r);
    Problem setPixel(const Record& r);
    Problem points(const Record& r, bool closed);
    QPointF map(QPointF p) const;
    QRectF mapRect(double left, double top, double right, double bottom) const;
    double scaleX() const { return std::abs(m_device.width() / m_dc.windowExt.width()); }
    double scaleY() const { return std::abs(m_device.height() / m_dc.windowExt.height()); }
    QPolygonF polygonAt(const Record& r, int firstWord, int count) const;
    Problem draw(const QPainterPath& path, bool filled);

    // Bitmap transfers and pattern fills (wmf_blit.cpp).
    Problem blit(const Record& r);
    Problem patBlt(const Record& r);
    Problem fillByRasterOp(quint32 rop, const QRectF& target);

    // Clipping (wmf_clip.cpp).
    Problem intersectClipRect(const Record& r);
    Problem excludeClipRect(const Record& r);
    Problem selectClipRegion(const Record& r);
    Problem clipTo(const QRegion& region);
    void applyClip();

    // Text (wmf_text.cpp).
    Problem textOut(const Record& r);
    Problem extTextOut(const Record& r);
    Problem drawText(const TextRun& run);
    TextLine layOut(const TextRun& run, const QString& text, const QFontMetricsF& metrics);
    Problem resolveFont();

    QPainter m_painter;
    QSizeF m_device;
    DeviceContext m_dc;
    SavedStates m_saved;
    ObjectTable m_objects;
    WorkBudget m_budget;
    // The Qt fonts made lately, newest last, and the one in use.
    struct MadeFont {
        LogicalFont logical;
        QSizeF scale;
        QFont font;
    };
    std::vector<MadeFont> m_madeFonts;
    QFont m_font;
};

} // namespace centrafix::wmf
