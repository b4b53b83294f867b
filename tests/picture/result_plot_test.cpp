#include "picture/result_plot.h"

#include "engine/raster.h"

#include <gtest/gtest.h>

#include <QRect>

using namespace centrafix;

namespace {

constexpr std::int32_t kGrey = Rgb(128, 128, 128), kWhite = Rgb(255, 255, 255), kBlack = Rgb(0, 0, 0),
                       kShadow = Rgb(64, 64, 0), kLabel = Rgb(255, 192, 64);

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
    const struct {
        int dx, dy;
        std::int32_t color;
    } probes[] = {
        {3, -3, kBlack}, {-3, 3, kBlack},  {-3, -3, kWhite}, {3, 3, kWhite},   {5, -1, kBlack},
        {-1, 5, kBlack}, {-5, -1, kWhite}, {1, 5, kWhite},   {-7, -1, kWhite}, {8, 0, kBlack},
        {-8, 0, kBlack}, {0, -8, kBlack},  {0, 8, kBlack},   {-10, 0, kGrey},  {0, 10, kGrey},
    };
    for (const auto& p : probes)
        if (const std::int32_t seen = At(image, cx + p.dx, cy + p.dy); seen != p.color)
            return ::testing::AssertionFailure() << "at (" << cx << "+" << p.dx << ", " << cy << "+" << p.dy
                                                 << "): " << std::hex << seen << " instead of " << p.color;
    return ::testing::AssertionSuccess();
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
    static constexpr At kPlaces[] = {{0, 60.3, 50.6, 250.2}, {2, 60.5, 150.5, 250.5}, {4, 60.5, 250.5, 250.5}};

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
    // Only the two marker colours, and nothing beyond radius 8.5.
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const std::int32_t c = area.point(x, y);
            const bool outside = (x - 20) * (x - 20) + (y - 20) * (y - 20) > 72;
            ASSERT_TRUE(outside ? c == kGrey : c == kBlack || c == kWhite) << x << "," << y;
        }
}

TEST(PlotResults, CheckBoxesChooseTheMarkersAndEachEntrysMarkersShareARow)
{
    const Scene scene;
    for (const PlotChoice choice :
         {PlotChoice{false, false}, PlotChoice{false, true}, PlotChoice{true, false}, PlotChoice{true, true}}) {
        SCOPED_TRACE(::testing::Message() << "showAC " << choice.showAC << ", showCG " << choice.showCG);
        const QImage image = scene.plot(choice);
        for (const Scene::At& p : Scene::kPlaces) {
            const int row = static_cast<int>(p.cgY); // the A.C. sits on the C.G.'s row
            const int acX = static_cast<int>(p.acX), cgX = static_cast<int>(p.cgX);
            const bool ac = p.entry == 0 || choice.showAC; // the total's A.C. always shows
            EXPECT_TRUE(ac ? HasMarker(image, acX, row) : !HasMarker(image, acX, row)) << "A.C. of " << p.entry;
            EXPECT_TRUE(choice.showCG ? HasMarker(image, cgX, row) : !HasMarker(image, cgX, row))
                << "C.G. of " << p.entry;
            // Labels: right of and above the C.G., right of and below the A.C.
            EXPECT_EQ(BoundsOf(image, kLabel, QRect(cgX + 6, row - 16, 110, 16)).isEmpty(), !choice.showCG);
            EXPECT_EQ(BoundsOf(image, kLabel, QRect(acX + 6, row + 6, 110, 18)).isEmpty(), !ac);
        }
    }
}

TEST(PlotResults, LabelsAreUnblendedWithAShadowOnePixelRightAndDown)
{
    Scene scene;
    for (std::size_t i = 1; i < scene.objects.size(); ++i)
        scene.objects[i].Area = 0;
    const QImage image = scene.plot({});
    const int xa = 250, ya = 50;
    const QRect region(xa, ya, 150, 40);
    const QRect text = BoundsOf(image, kLabel, region);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_TRUE(QRect(xa + 6, ya + 6, 3, 34).contains(text.topLeft())) << "right of and below the A.C.";
    EXPECT_EQ(BoundsOf(image, kShadow, region).bottomRight(), text.bottomRight() + QPoint(1, 1));
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x) {
            const std::int32_t c = At(image, x, y), below = At(image, x + 1, y + 1);
            ASSERT_TRUE(c == kGrey || c == kBlack || c == kWhite || c == kShadow || c == kLabel)
                << "blended pixel at " << x << "," << y;
            ASSERT_TRUE(c != kLabel || below == kShadow || below == kLabel) << x << "," << y;
        }
}
