#include "metafile_builder.h"

namespace centrafix::test {

namespace {

// A COLORREF's first word: red, then green.
int RedGreen(quint32 rgb)
{
    return static_cast<int>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00));
}

int Blue(quint32 rgb)
{
    return static_cast<int>(rgb & 0xFF);
}

// Strings are stored padded to whole words.
QByteArray Padded(const QByteArray& text)
{
    return text.size() % 2 == 0 ? text : text + '\0';
}

} // namespace

QByteArray Words(std::initializer_list<int> values)
{
    QByteArray out;
    for (const int v : values)
        out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    return out;
}

QByteArray RunLengthDib(int width, int height, int bitCount)
{
    constexpr int kRle8 = 1;
    return Words({40,
                  0,
                  width & 0xFFFF,
                  width >> 16,
                  height & 0xFFFF,
                  height >> 16,
                  1,
                  bitCount,
                  kRle8,
                  0,
                  2,
                  0,
                  0,
                  0,
                  0,
                  0,
                  1,
                  0,
                  0,
                  0}) +
           Words({0x00FF, 0x0000}) + Words({0x0100}); // a blue palette entry, then the end mark
}

Metafile& Metafile::placeable(int left, int top, int right, int bottom, int unitsPerInch)
{
    m_placeable = Words({0xCDD7, 0x9AC6, 0, left, top, right, bottom, unitsPerInch, 0, 0, 0});
    return *this;
}

Metafile& Metafile::raw(quint16 function, const QByteArray& params)
{
    const int size = 3 + static_cast<int>(params.size() / 2);
    m_records += Words({size & 0xFFFF, size >> 16, function}) + params;
    return *this;
}

Metafile& Metafile::brush(quint32 rgb)
{
    return record(kCreateBrushIndirect, {0, RedGreen(rgb), Blue(rgb), 0});
}

Metafile& Metafile::pen(int style, quint32 rgb)
{
    return record(kCreatePenIndirect, {style, 0, 0, RedGreen(rgb), Blue(rgb)});
}

Metafile& Metafile::window(int x, int y, int w, int h)
{
    return record(kSetWindowOrg, {y, x}).record(kSetWindowExt, {h, w});
}

Metafile& Metafile::patBlt(const int (&rop)[2], int l, int t, int w, int h)
{
    return record(kPatBlt, {rop[0], rop[1], h, w, t, l});
}

Metafile& Metafile::pixel(int x, int y, quint32 rgb)
{
    return record(kSetPixel, {RedGreen(rgb), Blue(rgb), y, x});
}

Metafile& Metafile::font(int height, int weight, bool italic, const QByteArray& face)
{
    QByteArray name = face.left(31);
    name.append(QByteArray(32 - name.size(), '\0'));
    return raw(kCreateFontIndirect, Words({height, 0, 0, 0, weight, italic ? 1 : 0, 0, 0, 0}) + name);
}

Metafile& Metafile::textColour(quint32 rgb)
{
    return record(kSetTextColor, {RedGreen(rgb), Blue(rgb)});
}

Metafile& Metafile::background(quint32 rgb)
{
    return record(kSetBkColor, {RedGreen(rgb), Blue(rgb)});
}

Metafile& Metafile::text(int x, int y, const QByteArray& text)
{
    return raw(kTextOut, Words({int(text.size())}) + Padded(text) + Words({y, x}));
}

Metafile& Metafile::extText(int x, int y, const QByteArray& text, int options, std::initializer_list<int> box,
                            std::initializer_list<int> advances)
{
    return raw(kExtTextOut, Words({y, x, int(text.size()), options}) + Words(box) + Padded(text) + Words(advances));
}

QByteArray Metafile::bytes() const
{
    return m_placeable + Words({1, 9, 0x0300, 0, 0, 8, 0, 0, 0}) + m_records + Words({3, 0, 0});
}

} // namespace centrafix::test
