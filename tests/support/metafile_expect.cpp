#include "metafile_expect.h"

#include "picture/metafile/wmf_player.h"

#include <gtest/gtest.h>

namespace centrafix::test {

Metafile Sample()
{
    Metafile m;
    m.placeable(0, 0, 200, 100, 96).window(0, 0, 200, 100).brush(kRed).pen(5, kBlack).select(0).select(1);
    return m;
}

QImage ExpectPicture(const Metafile& metafile, QSize size, std::initializer_list<Probe> probes,
                     const std::set<QRgb>& palette)
{
    const PictureLoad load = PlayWindowsMetafile(metafile.bytes());
    EXPECT_TRUE(load.ok()) << ErrorText(load.error(), kEnglish);
    if (!load.ok())
        return {};
    const QImage& image = *load;
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.size(), size);
    if (image.size() != size)
        return {};
    for (const Probe& p : probes)
        EXPECT_EQ(image.pixel(p.x, p.y) & 0xFFFFFFu, p.colour) << "at " << p.x << "," << p.y;
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            // Raster operations must leave the picture opaque, as every later step expects.
            EXPECT_EQ(qAlpha(image.pixel(x, y)), 255) << "at " << x << "," << y;
            colours.insert(image.pixel(x, y) & 0xFFFFFFu);
        }
    }
    EXPECT_EQ(colours, palette);
    return image;
}

QRect Ink(const QImage& image, QRgb colour)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) == colour)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

int InkCount(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFFu) == colour ? 1 : 0;
    return count;
}

} // namespace centrafix::test
