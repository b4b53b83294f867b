// The paint bucket on line plans: areas to the middle of the drawn lines,
// gaps bridged, leaks refused, and every refusal leaving the picture as it
// was.

#include "line_plan.h"

#include "engine/color_object.h"
#include "engine/raster.h"
#include "picture/edits/paint_fill.h"

#include <gtest/gtest.h>

#include <QPolygonF>

#include <cstring>

using namespace centrafix;
using namespace centrafix::testing;

namespace {

constexpr int kBlack = 1;
constexpr int kRed = 2;
constexpr int kGreen = 3;
constexpr int kBlue = 4;

QRgb Colour(int index)
{
    return ToRasterWord(kObjectColors[static_cast<std::size_t>(index)]);
}

QPoint AtMm(double xMm, double yMm)
{
    return QPoint(static_cast<int>(xMm * PixelsPerMm()), static_cast<int>(yMm * PixelsPerMm()));
}

bool SameBits(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return false;
    for (int y = 0; y < a.height(); ++y) {
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), static_cast<std::size_t>(a.width()) * 4) != 0)
            return false;
    }
    return true;
}

std::string English(const Error& error)
{
    return ErrorText(error, kEnglish);
}

// A 100 x 20 mm rectangle placed off the pixel grid.
QImage Rectangle100x20()
{
    LinePlan plan(140, 50);
    plan.painter().drawRect(QRectF(20.17, 15.31, 100.0, 20.0));
    return plan.finish();
}

// A tapered swept wing and a tail, with what plans carry beside them.
const QPolygonF kWing{{20, 20}, {95, 41}, {140, 50}, {140, 72}, {20, 70}};
const QPolygonF kTail{{165, 30}, {200, 41}, {215, 52}, {215, 64}, {165, 70}};

QImage WingAndTail()
{
    LinePlan plan(240, 125);
    plan.painter().drawPolygon(kWing);
    plan.painter().drawPolygon(kTail);
    plan.dimension({20, 84}, {140, 84}, "120");
    plan.painter().drawLine(QPointF(20, 73), QPointF(20, 88));
    plan.painter().drawLine(QPointF(140, 75), QPointF(140, 88));
    plan.hatching(QRectF(168, 80, 44, 18), 2.0);
    plan.text({22, 100}, "Tragfläche M 1:10", 5.0);
    plan.text({165, 110}, "Höhenleitwerk", 4.0);
    plan.text({150, 20}, "Rippe R1", 3.0);
    return plan.finish();
}

// Two cells sharing their middle line.
QImage TwoCells()
{
    LinePlan plan(150, 50);
    plan.painter().drawRect(QRectF(15.3, 12.6, 110.0, 25.0));
    plan.painter().drawLine(QPointF(70.3, 12.6), QPointF(70.3, 37.6));
    return plan.finish();
}

// A 1-pixel-wide square outline with a break of `gap` pixels in its top.
QImage BrokenSquare(int gap)
{
    QImage picture(120, 120, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int i = 20; i <= 100; ++i) {
        picture.setPixel(i, 100, 0xFF000000u);
        picture.setPixel(20, i, 0xFF000000u);
        picture.setPixel(100, i, 0xFF000000u);
        if (i < 60 || i >= 60 + gap)
            picture.setPixel(i, 20, 0xFF000000u);
    }
    return picture;
}

TEST(PaintFill, RectangleMeasuresToTheMiddleOfItsLines)
{
    QImage picture = Rectangle100x20();
    const auto filled = FillRegion(picture, AtMm(70, 25), kRed, {});
    ASSERT_TRUE(filled) << English(filled.error());
    EXPECT_EQ(*filled, CountColour(picture, Colour(kRed)));
    EXPECT_NEAR(AreaMm2(picture, Colour(kRed)), 2000.0, 2000.0 * 0.005);
}

TEST(PaintFill, WingAndTailBesideTextDimensionsAndHatching)
{
    QImage picture = WingAndTail();
    ASSERT_TRUE(FillRegion(picture, AtMm(60, 50), kRed, {}));
    ASSERT_TRUE(FillRegion(picture, AtMm(190, 52), kBlue, {}));
    const double wing = ShoelaceArea(kWing);
    const double tail = ShoelaceArea(kTail);
    EXPECT_NEAR(AreaMm2(picture, Colour(kRed)), wing, wing * 0.005);
    EXPECT_NEAR(AreaMm2(picture, Colour(kBlue)), tail, tail * 0.005);
}

TEST(PaintFill, CellsSharingALineSplitItBetweenThem)
{
    // Filled one after the other, each cell still measures to the middle of
    // the shared line.
    const double cell = 55.0 * 25.0;
    QImage picture = TwoCells();
    ASSERT_TRUE(FillRegion(picture, AtMm(40, 25), kRed, {}));
    const std::int64_t red = CountColour(picture, Colour(kRed));
    ASSERT_TRUE(FillRegion(picture, AtMm(100, 25), kGreen, {}));
    // What was painted before is never taken.
    EXPECT_EQ(CountColour(picture, Colour(kRed)), red);
    EXPECT_NEAR(AreaMm2(picture, Colour(kRed)), cell, cell * 0.005);
    EXPECT_NEAR(AreaMm2(picture, Colour(kGreen)), cell, cell * 0.005);

    // A black cell is ink to the second fill, which may take a little of it
    // but never much more than half a pen's width along the shared line.
    QImage besideBlack = TwoCells();
    ASSERT_TRUE(FillRegion(besideBlack, AtMm(40, 25), kBlack, {}));
    ASSERT_TRUE(FillRegion(besideBlack, AtMm(100, 25), kGreen, {}));
    const double green = AreaMm2(besideBlack, Colour(kGreen));
    EXPECT_GT(green, cell * 0.995);
    EXPECT_LT(green, cell * 1.005 + 25.0 * kPenMm / 2);
    // Black is ink: a fill cannot start in it.
    const QImage filled = besideBlack;
    EXPECT_FALSE(FillRegion(besideBlack, AtMm(40, 25), kRed, {}));
    EXPECT_TRUE(SameBits(besideBlack, filled));
}

TEST(PaintFill, RefillRecoloursTheSameRegion)
{
    QImage picture = WingAndTail();
    ASSERT_TRUE(FillRegion(picture, AtMm(60, 50), kRed, {}));
    const std::int64_t red = CountColour(picture, Colour(kRed));
    const QImage onceFilled = picture;

    // Blue sums below the line threshold: it must still count as a region.
    const auto blue = FillRegion(picture, AtMm(30, 60), kBlue, {});
    ASSERT_TRUE(blue) << English(blue.error());
    EXPECT_EQ(*blue, red);
    const auto green = FillRegion(picture, AtMm(100, 60), kGreen, {});
    ASSERT_TRUE(green) << English(green.error());
    EXPECT_EQ(CountColour(picture, Colour(kGreen)), red);
    EXPECT_EQ(CountColour(picture, Colour(kRed)), 0);
    EXPECT_EQ(CountColour(picture, Colour(kBlue)), 0);

    // Recolouring to the colour it has changes nothing.
    const auto same = FillRegion(picture, AtMm(100, 60), kGreen, {});
    ASSERT_TRUE(same);
    EXPECT_EQ(*same, 0);

    // The tail, filled beside the painted wing, is not disturbed by it.
    ASSERT_TRUE(FillRegion(picture, AtMm(190, 52), kRed, {}));
    EXPECT_EQ(CountColour(picture, Colour(kGreen)), red);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if ((onceFilled.pixel(x, y) & 0xFFFFFFu) == (Colour(kRed) & 0xFFFFFFu)) {
                ASSERT_EQ(picture.pixel(x, y), Colour(kGreen)) << x << "," << y;
            }
        }
    }
}

TEST(PaintFill, PaintedPatchIsRecolouredEvenAtTheBorder)
{
    // A picture painted in flat colours, as measured before plans were
    // filled: nothing leaks from a painted patch, it is recoloured as it is.
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 25; ++x)
            picture.setPixel(x, y, Colour(kBlue));
    picture.setPixel(30, 20, Colour(kBlue)); // not connected
    const auto recoloured = FillRegion(picture, {3, 3}, kRed, {});
    ASSERT_TRUE(recoloured);
    EXPECT_EQ(*recoloured, 250);
    EXPECT_EQ(CountColour(picture, Colour(kRed)), 250);
    EXPECT_EQ(picture.pixel(30, 20), Colour(kBlue));
}

TEST(PaintFill, GapsUpToTheSettingAreBridged)
{
    QImage closed = BrokenSquare(2);
    const auto filled = FillRegion(closed, {60, 60}, kRed, {});
    ASSERT_TRUE(filled) << English(filled.error());
    // Inside 79 x 79, plus half the 1-pixel line: about 80 x 80, the gap's
    // pixels shared like the line.
    EXPECT_NEAR(static_cast<double>(*filled), 80.0 * 80.0, 80.0 * 2);
    EXPECT_EQ(closed.pixel(60, 10), 0xFFFFFFFFu);
    // The bridged gap is line to a fill that would start in it.
    QImage gap = BrokenSquare(2);
    const auto inGap = FillRegion(gap, {61, 20}, kRed, {});
    ASSERT_FALSE(inGap);
    EXPECT_NE(English(inGap.error()).find("(61, 20) is on a line"), std::string::npos);

    QImage wider = BrokenSquare(6);
    const QImage before = wider;
    const auto leaked = FillRegion(wider, {60, 61}, kRed, {});
    ASSERT_FALSE(leaked);
    EXPECT_EQ(English(leaked.error()),
              "The region around (60, 61) is not enclosed: the fill reaches the picture's border.");
    EXPECT_NE(ErrorText(leaked.error(), kGerman).find("Bildrand"), std::string::npos);
    EXPECT_TRUE(SameBits(wider, before));

    // Settable: a wider bridge holds the six-pixel gap, none lets two leak.
    QImage bridged = BrokenSquare(6);
    EXPECT_TRUE(FillRegion(bridged, {60, 60}, kRed, {defaults::kLineThreshold, 6}));
    QImage unbridged = BrokenSquare(2);
    EXPECT_FALSE(FillRegion(unbridged, {60, 60}, kRed, {defaults::kLineThreshold, 0}));
}

TEST(PaintFill, FrameAtThePictureBorderEnclosesItsInside)
{
    // A plan cropped to its frame: the frame's line runs along the border.
    QImage picture(50, 40, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int x = 0; x < 50; ++x) {
        picture.setPixel(x, 0, 0xFF000000u);
        picture.setPixel(x, 39, 0xFF000000u);
    }
    for (int y = 0; y < 40; ++y) {
        picture.setPixel(0, y, 0xFF000000u);
        picture.setPixel(49, y, 0xFF000000u);
    }
    const auto filled = FillRegion(picture, {25, 20}, kRed, {});
    ASSERT_TRUE(filled) << English(filled.error());
    for (int y = 1; y < 39; ++y)
        for (int x = 1; x < 49; ++x)
            ASSERT_EQ(picture.pixel(x, y), Colour(kRed)) << x << "," << y;
    EXPECT_GE(*filled, 48 * 38);
    // Each side of the frame is shared the same way.
    const auto redIn = [&](QRect strip) {
        int n = 0;
        for (int y = strip.top(); y <= strip.bottom(); ++y)
            for (int x = strip.left(); x <= strip.right(); ++x)
                n += picture.pixel(x, y) == Colour(kRed) ? 1 : 0;
        return n;
    };
    EXPECT_EQ(redIn(QRect(1, 0, 48, 1)), redIn(QRect(1, 39, 48, 1)));
    EXPECT_EQ(redIn(QRect(0, 1, 1, 38)), redIn(QRect(49, 1, 1, 38)));
}

TEST(PaintFill, PartCutOffByThePictureEdgeIsALeak)
{
    // A box whose lines run off the picture on one side, for each side in
    // turn: its paper reaches only that border. And a strip cut off at both
    // ends, reaching two opposite borders.
    const QRect box(10, 10, 60, 40);
    for (int open = 0; open < 5; ++open) {
        QImage picture(80, 60, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QRect lines = box;
        if (open == 0 || open == 4)
            lines.setLeft(0);
        if (open == 1 || open == 4)
            lines.setRight(79);
        if (open == 2)
            lines.setTop(0);
        if (open == 3)
            lines.setBottom(59);
        for (int x = lines.left(); x <= lines.right(); ++x) {
            picture.setPixel(x, box.top(), 0xFF000000u);
            picture.setPixel(x, box.bottom(), 0xFF000000u);
        }
        for (int y = lines.top(); y <= lines.bottom(); ++y) {
            if (open != 0 && open != 4)
                picture.setPixel(box.left(), y, 0xFF000000u);
            if (open != 1 && open != 4)
                picture.setPixel(box.right(), y, 0xFF000000u);
        }
        if (open == 2 || open == 3) {
            // The top or bottom line must not close the box: the side
            // lines run past it to the border.
            for (int x = box.left() + 1; x < box.right(); ++x)
                picture.setPixel(x, open == 2 ? box.top() : box.bottom(), 0xFFFFFFFFu);
        }
        const QImage before = picture;
        const auto filled = FillRegion(picture, box.center(), kRed, {});
        ASSERT_FALSE(filled) << open;
        EXPECT_NE(English(filled.error()).find("is not enclosed"), std::string::npos);
        EXPECT_TRUE(SameBits(picture, before)) << open;
    }
}

TEST(PaintFill, LineThresholdDecidesWhatIsALine)
{
    // A grey outline (sum 450) is paper at the default threshold and a line
    // above it.
    QImage picture(60, 60, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int i = 10; i <= 50; ++i) {
        for (const QPoint p : {QPoint(i, 10), QPoint(i, 50), QPoint(10, i), QPoint(50, i)})
            picture.setPixel(p, qRgb(150, 150, 150));
    }
    QImage atDefault = picture;
    EXPECT_FALSE(FillRegion(atDefault, {30, 30}, kRed, {}));
    const auto filled = FillRegion(picture, {30, 30}, kRed, {500, 2});
    ASSERT_TRUE(filled);
    EXPECT_NEAR(static_cast<double>(*filled), 40.0 * 40.0, 40.0 * 2);
}

TEST(PaintFill, RefusalsNameWhatWasWrongAndChangeNothing)
{
    const QImage drawn = WingAndTail();
    const QPoint onLine(static_cast<int>(20 * PixelsPerMm()), AtMm(0, 45).y());
    struct Case {
        QPoint seed;
        int colour;
        FillSettings settings;
        const char* says;
    } cases[] = {
        {onLine, kRed, {}, "is on a line"},
        {{-1, 10}, kRed, {}, "(-1, 10) is outside the picture (1417 x 738 pixels)"},
        {{10, drawn.height()}, kRed, {}, "is outside the picture"},
        {AtMm(60, 50), 0, {}, "Unknown fill colour 0"},
        {AtMm(60, 50), 8, {}, "Unknown fill colour 8"},
        {AtMm(60, 50), kRed, {defaults::kLineThreshold, -1}, "bridged gap -1"},
        {AtMm(60, 50), kRed, {0, 2}, "line threshold 0"},
        {AtMm(5, 5), kRed, {}, "is not enclosed"},
    };
    for (const Case& c : cases) {
        QImage picture = drawn;
        const auto filled = FillRegion(picture, c.seed, c.colour, c.settings);
        ASSERT_FALSE(filled) << c.says;
        EXPECT_NE(English(filled.error()).find(c.says), std::string::npos) << English(filled.error());
        EXPECT_FALSE(ErrorText(filled.error(), kGerman).empty());
        EXPECT_TRUE(SameBits(picture, drawn)) << c.says;
    }
    QImage empty;
    EXPECT_FALSE(FillRegion(empty, {0, 0}, kRed, {}));
}

TEST(PaintFill, OtherPictureFormatsBecomeWorkingCopiesOnlyWhenFilled)
{
    const QImage rgb = Rectangle100x20().convertToFormat(QImage::Format_RGB888);
    QImage refused = rgb;
    EXPECT_FALSE(FillRegion(refused, {1, 1}, kRed, {}));
    EXPECT_EQ(refused.format(), QImage::Format_RGB888);
    EXPECT_TRUE(refused == rgb);

    QImage picture = rgb;
    ASSERT_TRUE(FillRegion(picture, AtMm(70, 25), kRed, {}));
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    EXPECT_NEAR(AreaMm2(picture, Colour(kRed)), 2000.0, 2000.0 * 0.005);
}

TEST(PaintFill, SharedPictureIsCopiedNotChanged)
{
    QImage picture = Rectangle100x20();
    const QImage kept = picture;
    ASSERT_TRUE(FillRegion(picture, AtMm(70, 25), kRed, {}));
    EXPECT_EQ(CountColour(kept, Colour(kRed)), 0);
}

} // namespace
