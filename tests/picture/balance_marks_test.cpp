#include "picture/balance_marks.h"

#include "engine/string_table.h"

#include <gtest/gtest.h>

#include <QPainter>

using namespace centrafix;

namespace {

// A wing and a tail made by hand, on a scale of 0.5 units per pixel with the
// origin 10 units right of and 20 units below the picture's corner: every
// position below lands on a whole pixel.
aero::Balance HandMadeBalance()
{
    aero::Balance balance;
    aero::SurfaceBalance wing;
    wing.geometry.mac = 20.0;     // 40 pixels
    wing.geometry.macLeadX = 5.0; // column 30
    wing.geometry.middleY = 30.0; // row 100
    wing.geometry.macY = 10.0;    // rows 80 and 120
    aero::SurfaceBalance tail;
    tail.role = aero::SurfaceRole::Tail;
    tail.geometry.mac = 10.0;      // 20 pixels
    tail.geometry.macLeadX = 60.0; // column 140
    tail.geometry.middleY = 30.0;
    tail.geometry.macY = 5.0; // rows 90 and 110
    balance.surfaces = {wing, tail};
    balance.neutralPointX = 16.0; // column 52
    balance.range.forwardX = 8.0; // column 36
    balance.range.aftX = 12.0;    // column 44
    return balance;
}

const BalancePlacement kPlacement{0.5, 10.0, 20.0, std::pair<double, double>(90.0, 110.0), std::nullopt};

QImage White()
{
    QImage picture(200, 200, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return picture;
}

bool IsWhite(const QImage& image, int x, int y)
{
    return (image.pixel(x, y) & 0xFFFFFFu) == 0xFFFFFFu;
}

} // namespace

TEST(BalanceMarks, ShapesLieWhereTheBalanceSaysInPixels)
{
    const BalanceShapes shapes = BalanceShapesOf(HandMadeBalance(), kPlacement);
    ASSERT_EQ(shapes.macBars.size(), 4u);
    EXPECT_EQ(shapes.macBars[0], QLineF(30, 80, 70, 80));
    EXPECT_EQ(shapes.macBars[1], QLineF(30, 120, 70, 120));
    EXPECT_EQ(shapes.macBars[2], QLineF(140, 90, 160, 90));
    EXPECT_EQ(shapes.macBars[3], QLineF(140, 110, 160, 110));
    EXPECT_EQ(shapes.neutralPoint, QPointF(52, 100));
    EXPECT_EQ(shapes.cgBand, QRectF(QPointF(36, 90), QPointF(44, 110)));

    // Without the fuselage's rows the band covers the wing's root region,
    // half a MAC either side of its middle.
    BalancePlacement noFuselage = kPlacement;
    noFuselage.bandRows.reset();
    EXPECT_EQ(BalanceShapesOf(HandMadeBalance(), noFuselage).cgBand, QRectF(QPointF(36, 80), QPointF(44, 120)));

    // A surface of one row has one bar, on its middle.
    aero::Balance flat = HandMadeBalance();
    flat.surfaces.resize(1);
    flat.surfaces[0].geometry.macY = 0.0;
    const BalanceShapes one = BalanceShapesOf(flat, kPlacement);
    ASSERT_EQ(one.macBars.size(), 1u);
    EXPECT_EQ(one.macBars[0], QLineF(30, 100, 70, 100));
}

TEST(BalanceMarks, DrawnPixelsAreTheBarsTheBandAndTheNeutralPoint)
{
    const QImage marked = WithBalanceMarks(White(), HandMadeBalance(), kPlacement, kEnglish);
    // The MAC bars, orange, on both halves; nothing between them off the band.
    for (const QPoint p : {QPoint(50, 80), QPoint(50, 120), QPoint(150, 90), QPoint(150, 110)})
        EXPECT_EQ(marked.pixel(p) & 0xFFFFFFu, 0xFF8C00u) << p.x() << "," << p.y();
    EXPECT_TRUE(IsWhite(marked, 65, 100));
    EXPECT_TRUE(IsWhite(marked, 20, 80));  // before the bar's leading edge
    EXPECT_TRUE(IsWhite(marked, 75, 80));  // after its trailing edge
    EXPECT_TRUE(IsWhite(marked, 150, 85)); // off the tail's station
    // The band: tinted green inside, white beside it and above the fuselage.
    const QColor inside = marked.pixelColor(40, 95);
    EXPECT_GT(inside.green(), inside.red());
    EXPECT_FALSE(IsWhite(marked, 40, 95));
    EXPECT_TRUE(IsWhite(marked, 32, 95));
    EXPECT_TRUE(IsWhite(marked, 40, 85));
    // The neutral point: black on the wing's middle row.
    EXPECT_EQ(marked.pixel(52, 100) & 0xFFFFFFu, 0u);
}

TEST(BalanceMarks, ZoomScalesPositionsButNotTheMarks)
{
    QImage view(400, 400, QImage::Format_RGB32);
    view.fill(Qt::white);
    {
        QPainter painter(&view);
        DrawBalanceMarks(painter, HandMadeBalance(), kPlacement, kGerman, 2.0);
    }
    EXPECT_EQ(view.pixel(100, 160) & 0xFFFFFFu, 0xFF8C00u); // (50, 80) at twice the size
    EXPECT_TRUE(IsWhite(view, 100, 165));                   // the bar stays 3 pixels thick
    EXPECT_EQ(view.pixel(104, 200) & 0xFFFFFFu, 0u);
}

TEST(BalanceMarks, NothingDrawnWithoutSurfacesOrScale)
{
    const QImage none = WithBalanceMarks(White(), aero::Balance{}, kPlacement, kEnglish);
    EXPECT_EQ(none, White());
    BalancePlacement noScale = kPlacement;
    noScale.ScaleFactor = 0.0;
    EXPECT_EQ(WithBalanceMarks(White(), HandMadeBalance(), noScale, kEnglish), White());
}

TEST(BalanceMarks, RowsHoldingAColourSpanItsFirstToItsLastRow)
{
    QImage picture = White();
    EXPECT_FALSE(RowsHolding(picture, qRgb(0, 0, 0)));
    picture.setPixel(3, 17, qRgb(0, 0, 0));
    picture.setPixel(150, 42, qRgb(0, 0, 0));
    picture.setPixel(10, 60, qRgb(255, 0, 0));
    const auto rows = RowsHolding(picture, qRgb(0, 0, 0));
    ASSERT_TRUE(rows);
    EXPECT_EQ(*rows, std::make_pair(17.0, 43.0));
}

// The weighed C.G. at x 40: column (40 + 10) / 0.5 = 100 on the wing's middle
// row 100, a roundel of violet and white quarters (upper right and lower left
// violet), told apart from the run's black and white C.G. markers.
TEST(BalanceMarks, TheWeighedCgIsARoundelOnTheWingsMiddleRow)
{
    BalancePlacement weighed = kPlacement;
    weighed.weighedCgX = 40.0;
    EXPECT_EQ(BalanceShapesOf(HandMadeBalance(), weighed).weighedCg, QPointF(100, 100));
    EXPECT_FALSE(BalanceShapesOf(HandMadeBalance(), kPlacement).weighedCg);

    const QImage marked = WithBalanceMarks(White(), HandMadeBalance(), weighed, kEnglish);
    EXPECT_EQ(marked.pixel(104, 96) & 0xFFFFFFu, 0x7800C8u);
    EXPECT_EQ(marked.pixel(96, 104) & 0xFFFFFFu, 0x7800C8u);
    EXPECT_TRUE(IsWhite(marked, 96, 96));
    EXPECT_TRUE(IsWhite(marked, 104, 104));
    EXPECT_TRUE(IsWhite(marked, 100, 88)) << "no bigger than its radius of 8";
    EXPECT_TRUE(IsWhite(WithBalanceMarks(White(), HandMadeBalance(), kPlacement, kEnglish), 104, 96));
}
