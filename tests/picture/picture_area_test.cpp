#include "picture/picture_area.h"

#include "engine/raster.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <chrono>
#include <cmath>
#include <memory>

using namespace centrafix;

namespace {

// Text needs the font database, which only a QGuiApplication provides. One
// for the whole test program, created inside RUN_ALL_TESTS and gone before
// its static objects are.
class GuiApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (QGuiApplication::instance() == nullptr)
            m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "picture_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const kGui =
    ::testing::AddGlobalTestEnvironment(std::make_unique<GuiApplicationEnvironment>().release());

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

int CountOf(const QImage& image, std::int32_t color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += At(image, x, y) == color;
    return n;
}

} // namespace

TEST(PictureArea, AutoRedrawDecidesWhetherDrawingOutlivesARefresh)
{
    PictureArea area;
    area.setPicture(Filled(20, 10, kGrey));

    area.pset(3, 4, kRed);
    EXPECT_EQ(area.point(3, 4), kRed) << "shows on screen";
    EXPECT_EQ(At(area.image(), 3, 4), kGrey) << "but is not retained";
    area.refresh();
    EXPECT_EQ(area.point(3, 4), kGrey);

    area.setAutoRedraw(true);
    area.pset(5, 6, kBlue);
    area.setAutoRedraw(false);
    area.pset(7, 8, kRed);
    EXPECT_EQ(area.point(5, 6), kBlue);
    EXPECT_EQ(area.point(7, 8), kRed);
    area.refresh();
    EXPECT_EQ(area.point(5, 6), kBlue) << "retained drawing survives";
    EXPECT_EQ(At(area.image(), 5, 6), kBlue);
    EXPECT_EQ(area.point(7, 8), kGrey);

    // Retained drawing made while transient drawing is on screen shows at once.
    area.pset(1, 1, kRed);
    area.setAutoRedraw(true);
    area.pset(2, 2, kBlue);
    EXPECT_EQ(area.point(1, 1), kRed);
    EXPECT_EQ(area.point(2, 2), kBlue);

    // A new picture drops every drawing; the old picture object is untouched.
    const QImage fresh = Filled(20, 10, kWhite);
    area.setPicture(fresh);
    EXPECT_EQ(area.point(1, 1), kWhite);
    EXPECT_EQ(area.point(2, 2), kWhite);
    area.pset(0, 0, kRed);
    EXPECT_EQ(At(fresh, 0, 0), kWhite) << "drawing must not write into the caller's picture";
    EXPECT_EQ(At(area.picture(), 0, 0), kWhite);
}

TEST(PictureArea, PointIsMinusOneOutsideAndTheContainingPixelInside)
{
    PictureArea area;
    EXPECT_EQ(area.point(0, 0), -1) << "no picture yet";
    QImage picture = Filled(4, 3, kGrey);
    picture.setPixel(2, 1, qRgb(1, 2, 3));
    area.setPicture(picture);
    EXPECT_EQ(area.point(2, 1), Rgb(1, 2, 3));
    EXPECT_EQ(area.point(2.99, 1.5), Rgb(1, 2, 3));
    for (const auto& [x, y] : {std::pair{-0.01, 0.0}, {0.0, -0.5}, {4.0, 0.0}, {0.0, 3.0},
                               {1e300, 1.0}, {std::nan(""), 1.0}})
        EXPECT_EQ(area.point(x, y), -1) << x << "," << y;
}

TEST(PictureArea, TellsTheScreenWhenItsSizeOrContentChanges)
{
    PictureArea area;
    std::vector<QSize> sizes;
    std::vector<QRect> changes;
    QObject::connect(&area, &PictureArea::resized, [&](const QSize& s) { sizes.push_back(s); });
    QObject::connect(&area, &PictureArea::changed, [&](const QRect& r) { changes.push_back(r); });
    area.setPicture(Filled(30, 20, kGrey));
    area.setPicture(Filled(30, 20, kWhite));
    area.setPicture(Filled(10, 10, kWhite));
    EXPECT_EQ(sizes, (std::vector<QSize>{{30, 20}, {10, 10}}));
    changes.clear();
    area.pset(4, 5, kRed);
    area.pset(40, 5, kRed); // outside: nothing to repaint
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(changes[0].contains(4, 5));
}

TEST(PictureArea, LinesIncludeBothEndsAndStayCheapFarOffScreen)
{
    PictureArea area;
    area.setPicture(Filled(20, 20, kGrey));
    area.setAutoRedraw(true);
    area.ForeColor = kRed;
    area.line(2, 3, 12, 8);
    EXPECT_EQ(area.point(2, 3), kRed);
    EXPECT_EQ(area.point(12, 8), kRed);
    EXPECT_EQ(CountOf(area.image(), kRed), 11) << "one pixel per column of a shallow line";

    // A line from an origin far away (a tiny scale factor) must neither hang
    // nor miss the part that crosses the picture.
    area.ForeColor = kBlue;
    const auto start = std::chrono::steady_clock::now();
    area.line(-1e13, 15, 1e13, 15);
    area.line(5, -1e14, 5, 1e14);
    area.circle(1e14, 1e14, 8, kBlue);
    area.pset(std::nan(""), 2, kBlue);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(area.point(x, 15), kBlue) << x;
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(area.point(5, y), kBlue) << y;
}

TEST(PictureArea, PaintPictureMirrorsAndCombines)
{
    QImage source(4, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            source.setPixel(x, y, qRgb(10 * x, 100 + y, 7));

    PictureArea area;
    area.setPicture(Filled(10, 6, kGrey));
    area.setAutoRedraw(true);

    // Negative width: right-aligned at x1, mirrored.
    area.paintPicture(source, 10, 0, -4, 2, 0, 0, 4, 2);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(area.point(9 - x, 1), Rgb(10 * x, 101, 7)) << x;
    EXPECT_EQ(area.point(5, 0), kGrey);

    // XOR twice gives back every pixel.
    const QImage before = area.image();
    area.paintPicture(source, 1, 1, 4, 2, 0, 0, 4, 2, PictureArea::kSourceXor);
    EXPECT_EQ(area.point(2, 1), Rgb(RedOf(kGrey) ^ 10, GreenOf(kGrey) ^ 100, BlueOf(kGrey) ^ 7));
    area.paintPicture(source, 1, 1, 4, 2, 0, 0, 4, 2, PictureArea::kSourceXor);
    EXPECT_EQ(area.image(), before);

    // Mirroring an area's own image onto itself reads the old pixels.
    const QImage own = area.image();
    area.paintPicture(area.image(), 10, 0, -10, 6, 0, 0, 10, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(area.image().pixel(9 - x, y), own.pixel(x, y)) << x << "," << y;
}
