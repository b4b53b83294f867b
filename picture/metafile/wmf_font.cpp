#include "picture/metafile/wmf_font.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace centrafix::wmf {

namespace {

constexpr int kFaceBytes = 32;
// A cell of 16 pixels: the size Windows gives a font of no height.
constexpr double kDefaultCellPixels = 16;
// Qt takes whole pixel sizes; text taller than the largest picture draws
// nothing more.
constexpr double kLargestPixels = 32767;

// What 0x80-0x9F hold in code page 1252; 0: unassigned, kept as it is.
constexpr char16_t kWindows1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                       0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The characters' height (em) of `font` whose cell is `cellPixels` tall.
double EmForCell(QFont font, double cellPixels)
{
    constexpr int kProbe = 256;
    font.setPixelSize(kProbe);
    const double cell = QFontMetricsF(font).height();
    return cell > 0 ? cellPixels * kProbe / cell : cellPixels;
}

} // namespace

LogicalFont ReadLogicalFont(const Record& r)
{
    LogicalFont font;
    font.height = r.s(0);
    font.width = r.s(1);
    font.escapement = r.s(2);
    font.weight = r.s(4);
    font.italic = (r.u(5) & 0xFF) != 0;
    font.underline = (r.u(5) >> 8) != 0;
    font.strikeOut = (r.u(6) & 0xFF) != 0;
    const QByteArrayView face = r.from(9).first(std::min<qsizetype>(r.from(9).size(), kFaceBytes));
    const qsizetype end = face.indexOf('\0');
    font.face = DecodeAnsi(end < 0 ? face : face.first(end));
    return font;
}

QFont DeviceFont(const LogicalFont& logical, double scaleX, double scaleY)
{
    QFont font;
    if (!logical.face.isEmpty())
        font.setFamilies({logical.face});
    font.setStyleStrategy(QFont::NoAntialias);
    font.setWeight(QFont::Weight(logical.weight <= 0 ? 400 : std::min(logical.weight, 1000)));
    font.setItalic(logical.italic);
    font.setUnderline(logical.underline);
    font.setStrikeOut(logical.strikeOut);
    const double height = std::min(std::abs(logical.height) * scaleY, kLargestPixels);
    double em = 0;
    if (logical.height < 0)
        em = height;
    else
        em = EmForCell(font, logical.height > 0 ? height : kDefaultCellPixels);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(std::min(em, kLargestPixels)))));
    if (logical.width != 0) {
        const double natural = QFontMetricsF(font).averageCharWidth();
        const double wanted = std::min(std::abs(logical.width) * scaleX, kLargestPixels);
        if (natural > 0)
            font.setStretch(std::clamp(static_cast<int>(std::lround(100 * wanted / natural)), 1, 4000));
    }
    return font;
}

bool FontsAvailable()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

QString DecodeAnsi(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const char16_t mapped = byte >= 0x80 && byte < 0xA0 ? kWindows1252[byte - 0x80] : 0;
        text.append(QChar(mapped != 0 ? mapped : char16_t(byte)));
    }
    return text;
}

} // namespace centrafix::wmf
