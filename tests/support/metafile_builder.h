#pragma once

#include <QByteArray>

#include <initializer_list>

namespace centrafix::test {

// Record functions the tests write.
inline constexpr quint16 kSaveDc = 0x001E, kSetPolyFillMode = 0x0106, kRestoreDc = 0x0127,
                         kSelectObject = 0x012D, kDeleteObject = 0x01F0, kSetWindowOrg = 0x020B,
                         kSetWindowExt = 0x020C, kLineTo = 0x0213, kMoveTo = 0x0214,
                         kCreatePenIndirect = 0x02FA, kCreateBrushIndirect = 0x02FC, kPolygon = 0x0324,
                         kEllipse = 0x0418, kRectangle = 0x041B, kPolyPolygon = 0x0538, kPie = 0x081A,
                         kDibStretchBlt = 0x0B41, kStretchDib = 0x0F43;

// Little-endian 16-bit words, the unit metafiles are written in.
QByteArray Words(std::initializer_list<int> values);

// Builds Windows metafile bytes record by record; every parameter is one
// word. Colours are 0xRRGGBB.
class Metafile {
public:
    Metafile& placeable(int left, int top, int right, int bottom, int unitsPerInch);
    Metafile& record(quint16 function, std::initializer_list<int> params) { return raw(function, Words(params)); }
    Metafile& raw(quint16 function, const QByteArray& params);
    Metafile& brush(quint32 rgb);
    Metafile& pen(int style, quint32 rgb);
    Metafile& select(int index) { return record(kSelectObject, {index}); }
    // Left, top, right, bottom as the caller thinks of them; the file stores them reversed.
    Metafile& rectangle(int l, int t, int r, int b) { return record(kRectangle, {b, r, t, l}); }
    Metafile& window(int x, int y, int w, int h);
    // The file: placeable header if any, standard header, records, end record.
    QByteArray bytes() const;

private:
    QByteArray m_placeable;
    QByteArray m_records;
};

} // namespace centrafix::test
