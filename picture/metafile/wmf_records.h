#pragma once

#include "engine/error.h"

#include <QByteArrayView>
#include <QColor>
#include <QPointF>
#include <QtEndian>

#include <optional>

// The parts of the Windows metafile player, whose face to the rest of the
// program is wmf_player.h.
namespace centrafix::wmf {

// Record functions: the low byte names the record, the high byte is the
// parameter count Windows assumes for it.
enum class Fn : quint16 {
    Eof = 0x0000,
    SaveDc = 0x001E,
    CreatePalette = 0x00F7,
    SetBkMode = 0x0102,
    SetRop2 = 0x0104,
    SetPolyFillMode = 0x0106,
    RestoreDc = 0x0127,
    SelectClipRegion = 0x012C,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DibCreatePatternBrush = 0x0142,
    DeleteObject = 0x01F0,
    CreatePatternBrush = 0x01F9,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    OffsetWindowOrg = 0x020F,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    ScaleWindowExt = 0x0410,
    ExcludeClipRect = 0x0415,
    IntersectClipRect = 0x0416,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    SetPixel = 0x041F,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    PatBlt = 0x061D,
    CreateRegion = 0x06FF,
    Arc = 0x0817,
    Pie = 0x081A,
    Chord = 0x0830,
    DibBitBlt = 0x0940,
    ExtTextOut = 0x0A32,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
};

inline quint16 ReadU16(QByteArrayView b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.data() + at);
}

inline quint32 ReadU32(QByteArrayView b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.data() + at);
}

inline qint16 ReadS16(QByteArrayView b, qsizetype at)
{
    return qFromLittleEndian<qint16>(b.data() + at);
}

// One record's parameters. Accessors do not check: the player tests words()
// before it reads, and the walk has already checked the record against the file.
struct Record {
    quint16 function = 0;
    QByteArrayView params;

    Fn fn() const { return static_cast<Fn>(function); }
    int words() const { return static_cast<int>(params.size() / 2); }
    quint16 u(int i) const { return ReadU16(params, 2 * qsizetype(i)); }
    qint16 s(int i) const { return ReadS16(params, 2 * qsizetype(i)); }
    quint32 u32(int i) const { return ReadU32(params, 2 * qsizetype(i)); }
    // COLORREF: red, green, blue, then a flags byte we ignore.
    QColor color(int i) const { return QColor(u(i) & 0xFF, u(i) >> 8, u(i + 1) & 0xFF); }
    // Points are stored x first; most other coordinate pairs y first.
    QPointF point(int i) const { return QPointF(s(i), s(i + 1)); }
    QByteArrayView from(int word) const { return params.sliced(2 * qsizetype(word)); }
};

// Why a record cannot be played, e.g. "a pen needs 10 bytes, its record holds
// 2"; nothing when it can.
using Problem = std::optional<Error>;

// The problem when the record has fewer than `words` parameter words for
// `what` it holds.
Problem NeedWords(const Record& r, qint64 words, const Message& what);

// The refusal of a damaged file for `problem`, without the file's name.
Error Damaged(ErrorArg problem);

// Walks the record chain. A record is handed out only after its size has been
// checked against the bytes left, so nothing later can read past the end.
class RecordWalk {
public:
    RecordWalk(QByteArrayView bytes, qsizetype start) : m_bytes(bytes), m_pos(start) {}

    // The next record; nothing at the end record or on a problem.
    std::optional<Record> next();
    // Why the walk stopped before the end record; nothing if it did not.
    const Problem& problem() const { return m_problem; }
    // The count (from 1) and the byte offset of the record last handed out.
    qint64 index() const { return m_index; }
    qsizetype offset() const { return m_offset; }

private:
    std::optional<Record> fail(const Message& problem, std::vector<ErrorArg> more = {});

    QByteArrayView m_bytes;
    qsizetype m_pos;
    qsizetype m_offset = 0;
    qint64 m_index = 0;
    bool m_done = false;
    Problem m_problem;
};

} // namespace centrafix::wmf
