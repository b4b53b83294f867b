// The eyedropper and colour mapping: a tinted scan brought onto the object
// colours by the analysis's colour-distance rule.

#include "engine/color_object.h"
#include "engine/raster.h"
#include "picture/edits/colour_map.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <random>

using namespace centrafix;

namespace {

QRgb Colour(int index)
{
    return ToRasterWord(kObjectColors[static_cast<std::size_t>(index)]);
}

int Distance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// A scan with a pink tint where red was painted, and noise on everything:
// each pixel a random colour near one of three inks.
QImage TintedScan(std::mt19937& random)
{
    const QRgb inks[] = {qRgb(230, 40, 50), qRgb(250, 250, 245), qRgb(30, 30, 200)};
    QImage scan(97, 61, QImage::Format_RGB32);
    std::uniform_int_distribution<int> noise(-25, 25);
    std::uniform_int_distribution<int> pick(0, 2);
    const auto clamp = [](int v) { return std::clamp(v, 0, 255); };
    for (int y = 0; y < scan.height(); ++y) {
        for (int x = 0; x < scan.width(); ++x) {
            const QRgb ink = inks[pick(random)];
            scan.setPixel(x, y,
                          qRgb(clamp(qRed(ink) + noise(random)), clamp(qGreen(ink) + noise(random)),
                               clamp(qBlue(ink) + noise(random))));
        }
    }
    return scan;
}

TEST(ColourMap, TintedScanMapsWhatTheDistanceRuleTakes)
{
    std::mt19937 random(22);
    for (const double tolerance : {60.0, 30.5, 1.0}) {
        const QImage scan = TintedScan(random);
        QImage mapped = scan;
        const QRgb picked = *PickColour(mapped, {0, 0});
        const std::int64_t changed = MapColour(mapped, picked, 2, tolerance);

        std::int64_t expected = 0;
        for (int y = 0; y < scan.height(); ++y) {
            for (int x = 0; x < scan.width(); ++x) {
                const bool near = Distance(scan.pixel(x, y), picked) < tolerance;
                expected += near ? 1 : 0;
                ASSERT_EQ(mapped.pixel(x, y), near ? Colour(2) : scan.pixel(x, y)) << x << "," << y << " " << tolerance;
            }
        }
        EXPECT_EQ(changed, expected) << tolerance;
        EXPECT_GT(expected, 0);
    }
}

TEST(ColourMap, ToleranceIsStrictAndUnchangedPixelsAreNotCounted)
{
    QImage picture(4, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(100, 100, 100));
    picture.setPixel(1, 0, qRgb(120, 120, 119)); // 59 away
    picture.setPixel(2, 0, qRgb(120, 120, 120)); // 60 away
    picture.setPixel(3, 0, qRgb(0, 0, 0));       // already the target
    EXPECT_EQ(MapColour(picture, qRgb(100, 100, 100), 1, 60.0), 2);
    EXPECT_EQ(picture.pixel(2, 0), qRgb(120, 120, 120));
    EXPECT_EQ(MapColour(picture, qRgb(10, 0, 0), 1, 60.0), 0);

    // White is a target too: paper noise cleaned away.
    EXPECT_EQ(MapColour(picture, qRgb(120, 120, 120), 0, 1.0), 1);
    EXPECT_EQ(picture.pixel(2, 0), qRgb(255, 255, 255));

    const QImage before = picture;
    EXPECT_EQ(MapColour(picture, qRgb(0, 0, 0), 8, 60.0), 0);
    EXPECT_EQ(MapColour(picture, qRgb(0, 0, 0), -1, 60.0), 0);
    EXPECT_EQ(MapColour(picture, qRgb(0, 0, 0), 2, 0.0), 0);
    EXPECT_TRUE(picture == before);
}

TEST(ColourMap, LargePictureIsMappedInEveryRow)
{
    // Tall enough to be split over threads: no strip may be left out.
    QImage picture(50, 1000, QImage::Format_RGB32);
    picture.fill(qRgb(200, 10, 10));
    EXPECT_EQ(MapColour(picture, qRgb(200, 10, 10), 2, 60.0), 50 * 1000);
    EXPECT_EQ(picture.pixel(0, 0), Colour(2));
    EXPECT_EQ(picture.pixel(49, 999), Colour(2));

    QImage palette = picture.convertToFormat(QImage::Format_RGB888);
    EXPECT_EQ(MapColour(palette, Colour(2), 3, 60.0), 50 * 1000);
    EXPECT_EQ(palette.pixel(25, 500), Colour(3));
}

TEST(ColourMap, PickReadsThePixelAndRefusesOutside)
{
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(2, 1, qRgb(12, 34, 56));
    const auto picked = PickColour(picture, {2, 1});
    ASSERT_TRUE(picked);
    EXPECT_EQ(*picked, qRgb(12, 34, 56));
    for (const QPoint outside : {QPoint(3, 1), QPoint(2, 2), QPoint(-1, 0)}) {
        const auto refused = PickColour(picture, outside);
        ASSERT_FALSE(refused);
        EXPECT_NE(ErrorText(refused.error(), kEnglish).find("is outside the picture (3 x 2 pixels)"),
                  std::string::npos);
        EXPECT_NE(ErrorText(refused.error(), kGerman).find("außerhalb"), std::string::npos);
    }
    EXPECT_FALSE(PickColour(QImage(), {0, 0}));
}

} // namespace
