#include "picture/picture_area.h"

#include "engine/raster.h"

#include "address_space_limit.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace centrafix;

namespace {

constexpr std::int32_t kGrey = Rgb(128, 128, 128);
constexpr std::int32_t kRed = Rgb(255, 0, 0);
constexpr std::int32_t kBlue = Rgb(0, 0, 255);
constexpr std::int32_t kWhite = Rgb(255, 255, 255);

QImage Filled(int w, int h, std::int32_t color)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(RedOf(color), GreenOf(color), BlueOf(color)));
    return image;
}

std::int32_t At(const QImage& image, int x, int y)
{
    return FromRasterWord(image.pixel(x, y));
}

// One pixel as the plot draws it: a line from a point to itself.
void Dot(PictureArea& area, double x, double y, std::int32_t colour)
{
    area.ForeColor = colour;
    area.line(x, y, x, y);
}

} // namespace

TEST(PictureArea, AutoRedrawDecidesWhetherDrawingOutlivesARefresh)
{
    PictureArea area;
    area.setPicture(Filled(20, 10, kGrey));
    Dot(area, 3, 4, kRed);
    area.setAutoRedraw(true);
    Dot(area, 5, 6, kBlue); // retained drawing made while transient drawing is on screen
    EXPECT_EQ(area.point(3, 4), kRed) << "transient drawing shows";
    EXPECT_EQ(area.point(5, 6), kBlue);
    EXPECT_EQ(At(area.image(), 3, 4), kGrey) << "but is not retained";
    area.refresh();
    EXPECT_EQ(area.point(3, 4), kGrey);
    EXPECT_EQ(area.point(5, 6), kBlue) << "retained drawing survives";

    // A new picture drops every drawing; the caller's picture is never written.
    const QImage fresh = Filled(20, 10, kWhite);
    area.setPicture(fresh);
    EXPECT_EQ(area.point(5, 6), kWhite);
    Dot(area, 0, 0, kRed);
    EXPECT_EQ(At(fresh, 0, 0), kWhite);
    EXPECT_EQ(At(area.picture(), 0, 0), kWhite);
}

TEST(PictureArea, PointIsMinusOneOutsideAndTheContainingPixelInside)
{
    PictureArea area;
    EXPECT_EQ(area.point(0, 0), -1) << "no picture yet";
    QImage picture = Filled(4, 3, kGrey);
    picture.setPixel(2, 1, qRgb(1, 2, 3));
    area.setPicture(picture);
    EXPECT_EQ(area.point(2.99, 1.5), Rgb(1, 2, 3));
    for (const auto& [x, y] :
         {std::pair{-0.01, 0.0}, {0.0, -0.5}, {4.0, 0.0}, {0.0, 3.0}, {1e300, 1.0}, {std::nan(""), 1.0}})
        EXPECT_EQ(area.point(x, y), -1) << x << "," << y;
}

TEST(PictureArea, LinesIncludeBothEndsAndStayCheapFarOffScreen)
{
    PictureArea area;
    area.setPicture(Filled(20, 20, kGrey));
    area.ForeColor = kRed;
    area.line(2, 3, 12, 8);
    EXPECT_EQ(area.point(2, 3), kRed);
    EXPECT_EQ(area.point(12, 8), kRed);

    // A line from an origin far away (a tiny scale factor) must neither hang
    // nor miss the part that crosses the picture.
    area.ForeColor = kBlue;
    area.line(-1e13, 15, 1e13, 15);
    area.line(5, -1e14, 5, 1e14);
    area.circle(1e14, 1e14, 8, kBlue);
    Dot(area, std::nan(""), 2, kBlue);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(area.point(i, 15), kBlue) << i;
        EXPECT_EQ(area.point(5, i), kBlue) << i;
    }
}

TEST(PictureArea, DrawingWithoutMemoryForItsOwnCopyFailsAndKeepsThePicture)
{
    if (!test::AddressSpaceLimit::kAvailable)
        GTEST_SKIP() << "the address sanitizer cannot run under an address-space limit";
    // The area shares the caller's 144 MB picture until its first write,
    // which must copy it; the machine has 32 MB left.
    QImage picture(6000, 6000, QImage::Format_RGB32);
    picture.fill(0xFFFF0000u);
    PictureArea area;
    area.setPicture(picture);
    area.setAutoRedraw(true);
    {
        const test::AddressSpaceLimit limit(32u << 20);
        EXPECT_THROW(Dot(area, 10, 10, Rgb(0, 0, 0)), std::bad_alloc);
        area.setAutoRedraw(false);
        EXPECT_THROW(area.line(0, 0, 100, 100), std::bad_alloc);
    }
    EXPECT_EQ(area.image().pixel(10, 10), 0xFFFF0000u) << "the picture is still there, unchanged";
    EXPECT_EQ(area.screen().size(), QSize(6000, 6000));
}
