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

} // namespace

QByteArray Words(std::initializer_list<int> values)
{
    QByteArray out;
    for (const int v : values)
        out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    return out;
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

QByteArray Metafile::bytes() const
{
    return m_placeable + Words({1, 9, 0x0300, 0, 0, 8, 0, 0, 0}) + m_records + Words({3, 0, 0});
}

} // namespace centrafix::test
