#pragma once

#include <QByteArray>

#include <initializer_list>

namespace centrafix::test {

// Record functions the tests write.
inline constexpr quint16 kSaveDc = 0x001E, kSetBkMode = 0x0102, kSetRop2 = 0x0104, kSetPolyFillMode = 0x0106,
                         kRestoreDc = 0x0127, kSelectClipRegion = 0x012C, kSelectObject = 0x012D,
                         kSetTextAlign = 0x012E, kDibCreatePatternBrush = 0x0142, kDeleteObject = 0x01F0,
                         kSetBkColor = 0x0201, kSetTextColor = 0x0209, kSetWindowOrg = 0x020B, kSetWindowExt = 0x020C,
                         kLineTo = 0x0213, kMoveTo = 0x0214, kCreatePenIndirect = 0x02FA, kCreateFontIndirect = 0x02FB,
                         kCreateBrushIndirect = 0x02FC, kPolygon = 0x0324, kExcludeClipRect = 0x0415,
                         kIntersectClipRect = 0x0416, kEllipse = 0x0418, kRectangle = 0x041B, kSetPixel = 0x041F,
                         kTextOut = 0x0521, kPolyPolygon = 0x0538, kPatBlt = 0x061D, kPie = 0x081A,
                         kExtTextOut = 0x0A32, kDibStretchBlt = 0x0B41, kStretchDib = 0x0F43;

// Raster operations of PatBlt and the blits, as their two words.
inline constexpr int kPatCopy[2] = {0x0021, 0x00F0}, kWhiteness[2] = {0x0062, 0x00FF}, kDstInvert[2] = {0x0009, 0x0055};

// Text alignments and ExtTextOut options.
inline constexpr int kTaTop = 0, kTaRight = 2, kTaCentre = 6, kTaBottom = 8, kTaBaseline = 24, kEtoOpaque = 2,
                     kEtoClipped = 4;

// Little-endian 16-bit words, the unit metafiles are written in.
QByteArray Words(std::initializer_list<int> values);

// A packed bitmap of `width` x `height` pixels, run-length encoded (8 bits a
// pixel) as a single end-of-bitmap mark: any size in a few bytes, every
// pixel the one palette colour. `bitCount` other than 8 makes it one no
// decoder takes.
QByteArray RunLengthDib(int width, int height, int bitCount = 8);

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
    Metafile& patBlt(const int (&rop)[2], int l, int t, int w, int h);
    Metafile& pixel(int x, int y, quint32 rgb);
    // CreateFontIndirect: height in logical units (negative: the characters'),
    // weight 400 normal, 700 bold; the face name as stored.
    Metafile& font(int height, int weight, bool italic, const QByteArray& face);
    Metafile& textColour(quint32 rgb);
    Metafile& background(quint32 rgb);
    Metafile& text(int x, int y, const QByteArray& text);
    // ExtTextOut with its rectangle (when the options name one) and a width
    // for each character (none: the font's own).
    Metafile& extText(int x, int y, const QByteArray& text, int options, std::initializer_list<int> box,
                      std::initializer_list<int> advances);
    // The file: placeable header if any, standard header, records, end record.
    QByteArray bytes() const;

private:
    QByteArray m_placeable;
    QByteArray m_records;
};

} // namespace centrafix::test
