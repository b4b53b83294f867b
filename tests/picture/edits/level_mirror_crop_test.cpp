// Levelling by a line, completing a half planform by its mirror image, and
// cropping: what each makes of a picture, and what each refuses.

#include "picture/edits/plan_geometry.h"

#include "geometry_expect.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <cmath>
#include <numbers>
#include <random>

using namespace centrafix;
using centrafix::test::ExpectRefused;
using centrafix::test::PictureOf;

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kRed = 0xFFFF0000u;

// The rows holding pixels of `colour`, first and last; (-1, -1) for none.
std::pair<int, int> RowsOf(const QImage& picture, QRgb colour)
{
    int first = -1, last = -1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if ((picture.pixel(x, y) | 0xFF000000u) == colour) {
                first = first < 0 ? y : first;
                last = y;
            }
    return {first, last};
}

QImage Tilted()
{
    QImage picture(200, 120, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setPen(QPen(Qt::black, 3));
    p.drawLine(QPointF(20, 30), QPointF(180, 70));
    p.fillRect(QRect(95, 30, 6, 6), QColor(255, 0, 0)); // above the line
    return picture;
}

TEST(Level, TurnsTheLineHorizontalWhicheverWayItWasClicked)
{
    const QImage tilted = Tilted();
    const Result<QImage> levelled = LevelPicture(tilted, QPointF(20, 30), QPointF(180, 70));
    ASSERT_TRUE(levelled.ok()) << ErrorText(levelled.error(), kEnglish);
    // The canvas holds the turned picture.
    const double angle = std::atan2(40.0, 160.0);
    EXPECT_EQ(levelled->width(), static_cast<int>(std::ceil(200 * std::cos(angle) + 120 * std::sin(angle))));
    EXPECT_EQ(levelled->height(), static_cast<int>(std::ceil(200 * std::sin(angle) + 120 * std::cos(angle))));
    const auto [lineTop, lineBottom] = RowsOf(*levelled, kBlack);
    EXPECT_LE(lineBottom - lineTop, 4); // a 3-pixel line, now level
    const auto [markTop, markBottom] = RowsOf(*levelled, kRed);
    EXPECT_LT(markBottom, lineTop); // still above it: not upside down
    EXPECT_GE(markTop, 0);
    // Outside the turned picture: white.
    EXPECT_EQ(levelled->pixel(0, 0), 0xFFFFFFFFu);

    const Result<QImage> backwards = LevelPicture(tilted, QPointF(180, 70), QPointF(20, 30));
    ASSERT_TRUE(backwards.ok());
    EXPECT_EQ(*backwards, *levelled);
}

TEST(Level, ALevelLineChangesNothingAndAnUprightOneTurnsAQuarter)
{
    std::mt19937 random(3);
    QImage picture(31, 20, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, 0xFF000000u | (random() & 0xFFFFFFu));
    for (const auto& [from, to] :
         {std::pair{QPointF(2, 5), QPointF(28, 5)}, std::pair{QPointF(28, 5), QPointF(2, 5)}}) {
        const Result<QImage> same = LevelPicture(picture, from, to);
        ASSERT_TRUE(same.ok());
        EXPECT_EQ(*same, picture);
    }
    const Result<QImage> turned = LevelPicture(picture, QPointF(4, 1), QPointF(4, 18));
    ASSERT_TRUE(turned.ok());
    ASSERT_EQ(turned->size(), QSize(20, 31));
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(turned->pixel(x, y), picture.pixel(30 - y, x)) << x << ", " << y;
}

TEST(Level, ATurnedPictureKeepsItsArea)
{
    // Every pixel of the picture, its edges included, lands in the turned
    // one: as many black pixels as before, but for a few along the edges
    // (a slope of few digits, which would line the pixels up in steps).
    QImage black(400, 300, QImage::Format_RGB32);
    black.fill(Qt::black);
    const Result<QImage> turned = LevelPicture(black, QPointF(0, 0), QPointF(300, 37));
    ASSERT_TRUE(turned.ok());
    std::int64_t count = 0;
    for (int y = 0; y < turned->height(); ++y)
        for (int x = 0; x < turned->width(); ++x)
            count += (turned->pixel(x, y) | 0xFF000000u) == kBlack ? 1 : 0;
    EXPECT_NEAR(count, 400 * 300, 30);
}

TEST(Level, RefusesPointsItCannotTurnBy)
{
    const QImage picture = Tilted();
    ExpectRefused(LevelPicture(QImage(), QPointF(0, 0), QPointF(5, 5)), "no picture");
    ExpectRefused(LevelPicture(picture, QPointF(20, 30), QPointF(20.5, 30.5)), "less than a pixel apart");
    ExpectRefused(LevelPicture(picture, QPointF(20, 30), QPointF(200, 70)), "(200, 70) lies outside");
    ExpectRefused(LevelPicture(picture, QPointF(20, -0.5), QPointF(100, 70)), "(20, -0.5) lies outside");
}

TEST(Mirror, AHalfBecomesTheWholeAndASymmetricPlanformStaysAsItIs)
{
    const QImage whole = PictureOf({
        "..r....",
        ".rrr...",
        "kkkkkkk",
        ".rrr...",
        "..r....",
    });
    const Result<QImage> same = MirrorAboutRow(whole, 2);
    ASSERT_TRUE(same.ok());
    EXPECT_EQ(*same, whole);

    const QImage topHalf = PictureOf({
        "..r....",
        ".rrr...",
        "kkkkkkk",
        "......b",
        ".......",
    });
    const Result<QImage> fromTop = MirrorAboutRow(topHalf, 2);
    ASSERT_TRUE(fromTop.ok());
    EXPECT_EQ(*fromTop, whole); // the stray pixel of the other half is gone

    // The drawn half below and longer: the picture grows at the top.
    const QImage bottomHalf = PictureOf({
        "...g...",
        "kkkkkkk",
        ".rrr...",
        "..rr...",
        "..r....",
    });
    const Result<QImage> fromBottom = MirrorAboutRow(bottomHalf, 1);
    ASSERT_TRUE(fromBottom.ok());
    EXPECT_EQ(*fromBottom, PictureOf({
                               "..r....",
                               "..rr...",
                               ".rrr...",
                               "kkkkkkk",
                               ".rrr...",
                               "..rr...",
                               "..r....",
                           }));

    // The drawn half the shorter: what lies beyond its mirror image is white.
    const Result<QImage> shortHalf = MirrorAboutRow(PictureOf({
                                                        ".rr.",
                                                        "kkkk",
                                                        "....",
                                                        "..b.",
                                                    }),
                                                    1);
    ASSERT_TRUE(shortHalf.ok());
    EXPECT_EQ(*shortHalf, PictureOf({
                              ".rr.",
                              "kkkk",
                              ".rr.",
                              "....",
                          }));
}

TEST(Mirror, RefusesARowOutsideThePicture)
{
    const QImage picture = PictureOf({"...", "kkk", "..."});
    ExpectRefused(MirrorAboutRow(QImage(), 0), "no picture");
    ExpectRefused(MirrorAboutRow(picture, -1), "row -1 lies outside the picture (rows 0 to 2)");
    ExpectRefused(MirrorAboutRow(picture, 3), "row 3");
    // The first and last rows are the picture's own, the mirror all beyond.
    const Result<QImage> fromLast = MirrorAboutRow(picture, 2);
    ASSERT_TRUE(fromLast.ok());
    EXPECT_EQ(*fromLast, PictureOf({"...", "kkk", "...", "kkk", "..."}));
}

TEST(Crop, KeepsTheRectangleAndRefusesOneNotInside)
{
    const QImage picture = PictureOf({
        "......",
        ".rrg..",
        ".bky..",
        "......",
    });
    const Result<QImage> cropped = CropPicture(picture, QRect(1, 1, 3, 2));
    ASSERT_TRUE(cropped.ok());
    EXPECT_EQ(*cropped, PictureOf({"rrg", "bky"}));
    const Result<QImage> all = CropPicture(picture, picture.rect());
    ASSERT_TRUE(all.ok());
    EXPECT_EQ(*all, picture);

    ExpectRefused(CropPicture(QImage(), QRect(0, 0, 1, 1)), "no picture");
    ExpectRefused(CropPicture(picture, QRect(1, 1, 0, 2)), "empty (0 x 2 pixels)");
    ExpectRefused(CropPicture(picture, QRect(1, 1, 3, -2)), "empty");
    ExpectRefused(CropPicture(picture, QRect(-1, 0, 3, 2)), "at (-1, 0), 3 x 2 pixels, is not inside");
    ExpectRefused(CropPicture(picture, QRect(4, 2, 3, 2)), "not inside the picture (6 x 4 pixels)");
    ExpectRefused(CropPicture(picture, QRect(QPoint(2, 1), QPoint(2'000'000'000, 3))), "not inside");
}

} // namespace
