#include "picture/result_plot.h"

#include "engine/raster.h"

#include <gtest/gtest.h>

#include <QRect>

// The QGuiApplication that text drawing needs comes from the environment
// registered in picture_area_test.cpp, which is part of the same program.

using namespace centrafix;

namespace {

constexpr std::int32_t kGrey = Rgb(128, 128, 128);
constexpr std::int32_t kWhite = Rgb(255, 255, 255);
constexpr std::int32_t kBlack = Rgb(0, 0, 0);
constexpr std::int32_t kYellow = Rgb(255, 255, 0);
constexpr std::int32_t kShadow = Rgb(64, 64, 0);
constexpr std::int32_t kLabel = Rgb(255, 192, 64);

QImage Grey(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    return image;
}

std::int32_t At(const QImage& image, int x, int y)
{
    return FromRasterWord(image.pixel(x, y));
}

// The centre-of-gravity symbol around pixel (cx, cy), checked where no label
// can reach: black upper-right and lower-left quarters, white elsewhere in
// the disc, a black rim at radius 8, background beyond.
::testing::AssertionResult HasMarker(const QImage& image, int cx, int cy)
{
    struct Probe {
        int dx, dy;
        std::int32_t color;
    };
    const Probe probes[] = {
        {3, -3, kBlack},  {-3, 3, kBlack},  {-3, -3, kWhite}, {3, 3, kWhite},
        {5, -1, kBlack},  {-1, 5, kBlack},  {-5, -1, kWhite}, {1, 5, kWhite},
        {-7, -1, kWhite}, {8, 0, kBlack},   {-8, 0, kBlack},  {0, -8, kBlack},
        {0, 8, kBlack},   {-10, 0, kGrey},  {0, 10, kGrey},
    };
    for (const Probe& p : probes) {
        const std::int32_t seen = At(image, cx + p.dx, cy + p.dy);
        if (seen != p.color)
            return ::testing::AssertionFailure()
                   << "at (" << cx << "+" << p.dx << ", " << cy << "+" << p.dy << "): " << std::hex
                   << seen << " instead of " << p.color;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Untouched(const QImage& image, int cx, int cy)
{
    if (At(image, cx - 3, cy - 3) == kGrey && At(image, cx + 3, cy - 3) == kGrey)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "a marker at (" << cx << ", " << cy << ")";
}

QRect BoundsOf(const QImage& image, std::int32_t color, const QRect& within)
{
    QRect bounds;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (At(image, x, y) == color)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Three found entries at chosen pixel positions, handed over origin-relative
// as the summation leaves them.
struct Scene {
    static constexpr double Scale = 0.5;
    static constexpr double OriginX = 10; // pixel (20, 10)
    static constexpr double OriginY = 5;
    struct At {
        int entry;
        double cgX, cgY, acX; // pixels
    };
    static constexpr At kPlaces[] = {
        {0, 60.3, 50.6, 250.2},
        {2, 60.5, 150.5, 250.5},
        {4, 60.5, 250.5, 250.5},
    };

    ColorObjectTable objects = MakeColorObjects(kEnglish);
    RunValues values;

    Scene()
    {
        values.ScaleFactor = Scale;
        for (const At& p : kPlaces) {
            const auto i = static_cast<std::size_t>(p.entry);
            objects[i].Area = 10.0 + p.entry;
            values.CGPoint[i] = {p.cgX * Scale - OriginX, p.cgY * Scale - OriginY};
            values.ACPoint[i].x = p.acX * Scale - OriginX;
        }
    }

    QImage plot(PlotChoice choice) const
    {
        PictureArea picSide;
        picSide.setPicture(Grey(400, 300));
        PlotResults(picSide, objects, values, OriginX, OriginY, choice, kEnglish);
        EXPECT_TRUE(picSide.autoRedraw()) << "the plot stays in the retained image";
        return picSide.image();
    }
};

} // namespace

TEST(DrawMarker, IsTheCentreOfGravitySymbolOnThePixelHoldingTheCentre)
{
    PictureArea area;
    area.setPicture(Grey(40, 40));
    area.setAutoRedraw(true);
    DrawMarker(area, 20.9, 20.2);
    EXPECT_TRUE(HasMarker(area.image(), 20, 20));
    // Straight sides: the arms of the cross are black to the small radius.
    for (int d = 1; d <= 6; ++d) {
        EXPECT_EQ(area.point(20 + d, 20), kBlack) << d;
        EXPECT_EQ(area.point(20 - d, 20), kBlack) << d;
        EXPECT_EQ(area.point(20, 20 + d), kBlack) << d;
        EXPECT_EQ(area.point(20, 20 - d), kBlack) << d;
    }
    // Only the three marker colours, and nothing beyond radius 8.5.
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const std::int32_t c = area.point(x, y);
            const int d2 = (x - 20) * (x - 20) + (y - 20) * (y - 20);
            if (d2 > 72) {
                ASSERT_EQ(c, kGrey) << x << "," << y;
            } else {
                ASSERT_TRUE(c == kBlack || c == kWhite) << x << "," << y;
            }
        }
    }
}

TEST(PlotResults, CheckBoxesChooseTheMarkersAndEachEntrysMarkersShareARow)
{
    const Scene scene;
    struct Case {
        PlotChoice choice;
        bool objectAC, cg;
    };
    for (const Case& c : {Case{{false, false}, false, false}, Case{{false, true}, false, true},
                          Case{{true, false}, true, false}, Case{{true, true}, true, true}}) {
        const QImage image = scene.plot(c.choice);
        SCOPED_TRACE(::testing::Message() << "showAC " << c.choice.showAC << ", showCG " << c.choice.showCG);
        for (const Scene::At& p : Scene::kPlaces) {
            const int row = static_cast<int>(p.cgY); // the A.C. sits on the C.G.'s row
            const bool ac = p.entry == 0 || c.objectAC;
            const int acX = static_cast<int>(p.acX);
            const int cgX = static_cast<int>(p.cgX);
            EXPECT_TRUE(ac ? HasMarker(image, acX, row) : Untouched(image, acX, row))
                << "A.C. of " << p.entry;
            EXPECT_TRUE(c.cg ? HasMarker(image, cgX, row) : Untouched(image, cgX, row))
                << "C.G. of " << p.entry;
            // Labels: right of and above the C.G., right of and below the A.C.
            const QRect cgLabel(cgX + 6, row - 16, 110, 16);
            const QRect acLabel(acX + 6, row + 6, 110, 18);
            EXPECT_EQ(BoundsOf(image, kLabel, cgLabel).isEmpty(), !c.cg) << p.entry;
            EXPECT_EQ(BoundsOf(image, kLabel, acLabel).isEmpty(), !ac) << p.entry;
        }
    }
}

TEST(PlotResults, LabelsAreUnblendedBoldForTheTotalWithAShadowOnePixelRightAndDown)
{
    Scene scene;
    for (std::size_t i = 1; i < scene.objects.size(); ++i)
        scene.objects[i].Area = 0;
    const QImage image = scene.plot({});
    const int xa = 250, ya = 50;
    const QRect region(xa, ya, 150, 40);
    const QRect text = BoundsOf(image, kLabel, region);
    const QRect shadow = BoundsOf(image, kShadow, region);
    ASSERT_FALSE(text.isEmpty());
    ASSERT_FALSE(shadow.isEmpty());
    EXPECT_GE(text.left(), xa + 6);
    EXPECT_LE(text.left(), xa + 8);
    EXPECT_GE(text.top(), ya + 6);
    EXPECT_EQ(shadow.right(), text.right() + 1);
    EXPECT_EQ(shadow.bottom(), text.bottom() + 1);
    int ink = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            const std::int32_t c = At(image, x, y);
            ASSERT_TRUE(c == kGrey || c == kBlack || c == kWhite || c == kShadow || c == kLabel)
                << "blended pixel at " << x << "," << y;
            if (c != kLabel)
                continue;
            ++ink;
            const std::int32_t below = At(image, x + 1, y + 1);
            ASSERT_TRUE(below == kShadow || below == kLabel) << x << "," << y;
        }
    }

    PictureArea plain;
    plain.setPicture(Grey(150, 40));
    plain.setAutoRedraw(true);
    plain.ForeColor = kLabel;
    plain.print("A.C. (total)");
    int plainInk = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 150; ++x)
            plainInk += plain.point(x, y) == kLabel;
    EXPECT_GT(ink, plainInk) << "the total's label is bold";
}

TEST(PlotResults, OriginMarkIsDrawnEvenWhenNothingWasFound)
{
    Scene scene;
    for (ColorObject& o : scene.objects)
        o.Area = 0;
    const QImage image = scene.plot({true, true});
    const QImage blank = Grey(400, 300);
    // Disc at pixel (20, 10), axes 50 pixels right and down, "x" and "y".
    EXPECT_EQ(At(image, 20, 10), kBlack);
    EXPECT_EQ(At(image, 16, 10), kYellow) << "rim left of the centre";
    EXPECT_EQ(At(image, 20, 6), kYellow) << "rim above the centre";
    EXPECT_EQ(At(image, 24, 10), kBlack) << "the x axis crosses the rim";
    EXPECT_EQ(At(image, 70, 10), kBlack);
    EXPECT_EQ(At(image, 71, 9), kGrey);
    EXPECT_EQ(At(image, 20, 60), kBlack);
    EXPECT_FALSE(BoundsOf(image, kBlack, QRect(71, 11, 12, 16)).isEmpty()) << "the letter x";
    EXPECT_FALSE(BoundsOf(image, kBlack, QRect(21, 61, 12, 16)).isEmpty()) << "the letter y";
    // Nothing else.
    const QRect mark(10, 0, 80, 80);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            if (!mark.contains(x, y)) {
                ASSERT_EQ(image.pixel(x, y), blank.pixel(x, y)) << x << "," << y;
            }
}
