#pragma once

#include "wmf_records.h"
#include "wmf_state.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <cmath>

class QPainterPath;

namespace centrafix::wmf {

// Draws records one after another onto a picture, keeping the drawing state
// (device context, saved states, object table) records change.
class RecordPlayer {
public:
    RecordPlayer(QImage& target, const DeviceContext& start, int objectsHint);

    // Draws one record; the problem when its parameters do not fit it.
    // Records we do not draw are skipped.
    Problem play(const Record& r);

private:
    using Handler = Problem (RecordPlayer::*)(const Record&);
    struct Rule;
    static const Rule* ruleFor(quint16 function);

    // State records (wmf_record_player.cpp).
    Problem setWindowOrg(const Record& r);
    Problem offsetWindowOrg(const Record& r);
    Problem setWindowExt(const Record& r);
    Problem scaleWindowExt(const Record& r);
    Problem setPolyFillMode(const Record& r);
    Problem setBkMode(const Record& r);
    Problem setBkColor(const Record& r);
    Problem createPen(const Record& r);
    Problem createBrush(const Record& r);
    Problem createPatternBrush(const Record& r);
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
    Problem points(const Record& r, bool closed);
    QPointF map(QPointF p) const;
    QRectF mapRect(double left, double top, double right, double bottom) const;
    double scaleX() const { return std::abs(m_device.width() / m_dc.windowExt.width()); }
    double scaleY() const { return std::abs(m_device.height() / m_dc.windowExt.height()); }
    QPolygonF polygonAt(const Record& r, int firstWord, int count) const;
    void draw(const QPainterPath& path, bool filled);

    // Bitmap transfers (wmf_blit.cpp).
    Problem blit(const Record& r);
    void fillByRasterOp(quint32 rop, const QRectF& target);

    QPainter m_painter;
    QSizeF m_device;
    DeviceContext m_dc;
    SavedStates m_saved;
    ObjectTable m_objects;
};

} // namespace centrafix::wmf
