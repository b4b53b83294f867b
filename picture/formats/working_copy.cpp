#include "picture/formats/working_copy.h"

#include "picture/formats/working_words.h"

namespace centrafix {

namespace {

// Composites non-premultiplied or premultiplied ARGB32 onto white, in place,
// and relabels the result as RGB32: no second copy of a large picture.
void CompositeOntoWhite(QImage& image)
{
    const bool premultiplied = image.format() == QImage::Format_ARGB32_Premultiplied;
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb c = row[x];
            const int a = qAlpha(c);
            if (a == 255)
                continue;
            auto over = [&](int channel) {
                return premultiplied ? channel + 255 - a
                                     : static_cast<int>(OverWhite(static_cast<std::uint32_t>(channel),
                                                                  static_cast<std::uint32_t>(a)));
            };
            row[x] = qRgb(over(qRed(c)), over(qGreen(c)), over(qBlue(c)));
        }
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
}

QRgb EntryOverWhite(QRgb c)
{
    const auto a = static_cast<std::uint32_t>(qAlpha(c));
    return qRgb(static_cast<int>(OverWhite(static_cast<std::uint32_t>(qRed(c)), a)),
                static_cast<int>(OverWhite(static_cast<std::uint32_t>(qGreen(c)), a)),
                static_cast<int>(OverWhite(static_cast<std::uint32_t>(qBlue(c)), a)));
}

} // namespace

QImage ToWorkingCopy(QImage&& image)
{
    if (image.isNull() || image.format() == QImage::Format_RGB32)
        return std::move(image);
    if (image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_ARGB32_Premultiplied) {
        CompositeOntoWhite(image);
        return std::move(image);
    }
    if (!image.hasAlphaChannel()) {
        image.convertTo(QImage::Format_RGB32);
        return std::move(image);
    }
    if (image.colorCount() > 0) {
        // A palette with transparent entries: blending the few entries is
        // the same as blending every pixel, and far cheaper.
        QList<QRgb> table = image.colorTable();
        for (QRgb& entry : table)
            entry = EntryOverWhite(entry);
        image.setColorTable(table);
        image.convertTo(QImage::Format_RGB32);
        return std::move(image);
    }
    image.convertTo(QImage::Format_ARGB32);
    CompositeOntoWhite(image);
    return std::move(image);
}

QImage ToWorkingCopy(const QImage& image)
{
    return ToWorkingCopy(QImage(image));
}

RasterView RasterViewOf(const QImage& image)
{
    Q_ASSERT(image.format() == QImage::Format_RGB32 || image.isNull());
    RasterView view;
    if (image.isNull())
        return view;
    view.bits = reinterpret_cast<const std::uint32_t*>(image.constBits());
    view.width = image.width();
    view.height = image.height();
    view.stride = image.bytesPerLine() / 4;
    return view;
}

} // namespace centrafix
