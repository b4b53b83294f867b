#pragma once

#include <QBrush>
#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRegion>
#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>
#include <queue>
#include <vector>

namespace centrafix::wmf {

// A logical pen stays in logical units: its width becomes pixels only with the
// mapping in force when something is drawn.
struct LogicalPen {
    quint16 style = 0;
    int width = 0;
    QColor color = Qt::black;
};

// The Qt pen that draws `pen` where one logical unit is `scale` pixels wide.
QPen DevicePen(const LogicalPen& pen, double scale);

// A brush as CreateBrushIndirect describes it.
QBrush LogicalBrush(quint16 style, const QColor& color, quint16 hatch);

// How a ROP2 mix mode combines pen and brush with the picture: a Qt
// composition, a colour that replaces theirs (R2_BLACK, R2_WHITE), or
// nothing drawn at all (R2_NOP).
struct Mix {
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    std::optional<QColor> colour;
    bool draws = true;
};

Mix MixFor(int rop2);

// A font as CreateFontIndirect describes it, in logical units: a negative
// height is the characters' height, a positive one the cell's (characters
// and the leading above them), 0 a default.
struct LogicalFont {
    int height = 0;
    int width = 0;      // average character width; 0: as the face has it
    int escapement = 0; // tenths of a degree, counter-clockwise
    int weight = 0;     // 0: normal, else 1 (thin) to 1000 (heaviest)
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QString face;

    bool operator==(const LogicalFont&) const = default;
};

// Everything SaveDC keeps and RestoreDC brings back.
struct DeviceContext {
    LogicalPen pen;
    QBrush brush{Qt::white};
    Qt::FillRule fillRule = Qt::OddEvenFill;
    QPointF windowOrg;
    QSizeF windowExt{1, 1};
    QPointF position;
    QColor background{Qt::white};
    bool opaqueBackground = true;
    int rop2 = 13; // R2_COPYPEN
    QColor textColor{Qt::black};
    quint16 textAlign = 0; // TA_LEFT | TA_TOP | TA_NOUPDATECP
    LogicalFont font;
    std::optional<QRegion> clip; // in device pixels; none: the whole picture
};

// The states SaveDC put aside.
class SavedStates {
public:
    void save(const DeviceContext& dc);
    // Negative: that many levels back; positive: the n-th state saved. The
    // state, and every later one dropped; nothing when there is no such state.
    std::optional<DeviceContext> restore(int which);

private:
    std::vector<DeviceContext> m_states;
};

struct GdiObject {
    enum class Kind { Free, Pen, Brush, Font, Region, Other };
    Kind kind = Kind::Free;
    LogicalPen pen;
    QBrush brush;
    LogicalFont font;
};

// The objects records create, select and delete by index.
class ObjectTable {
public:
    explicit ObjectTable(int announced);

    // Puts the object at the lowest free index, as Windows does: later records
    // count on that index. False when the table is full.
    bool add(GdiObject object);
    // The object at `index`; nothing beyond the table.
    const GdiObject* find(int index) const;
    void remove(int index);

    // Object indices are 16-bit.
    static constexpr int kMaxObjects = 65535;

private:
    std::vector<GdiObject> m_objects;
    std::priority_queue<int, std::vector<int>, std::greater<int>> m_freeSlots;
};

} // namespace centrafix::wmf
