// The window's rules that need no window: the zoom steps, the labels set
// apart over the picture, the window kept on its screen.

#include "shell/label_placement.h"
#include "shell/screen_fit.h"
#include "shell/zoom.h"

#include <gtest/gtest.h>

using namespace centrafix;

TEST(Zoom, StepsGoThroughTheUsualFactorsAndAFittedOneJoinsThemInEitherDirection)
{
    EXPECT_EQ(StepZoom(1.0, 1), 1.5);
    EXPECT_EQ(StepZoom(1.0, 2), 2.0);
    EXPECT_EQ(StepZoom(1.0, -1), 2.0 / 3);
    EXPECT_EQ(StepZoom(0.3, 1), 1.0 / 3) << "a fitted 30 % goes to the next step up";
    EXPECT_EQ(StepZoom(0.3, -1), 0.25);
    EXPECT_EQ(StepZoom(kMaxZoom, 1), kMaxZoom);
    EXPECT_EQ(StepZoom(kMinZoom, -3), kMinZoom);
    EXPECT_EQ(StepZoom(StepZoom(1.0, 5), -5), 1.0);

    EXPECT_DOUBLE_EQ(FitZoom({8000, 8000}, {800, 400}), 0.05);
    EXPECT_EQ(FitZoom({100000, 10}, {100, 100}), kMinZoom) << "never below the smallest step";
    EXPECT_TRUE(AutomaticZoom({1000, 300}, {800, 600}).fit);
    EXPECT_FALSE(AutomaticZoom({800, 600}, {800, 600}).fit);

    for (const ZoomMode mode : {ZoomMode{true, 1.0}, ZoomMode{false, 0.25}, ZoomMode{false, 1.0 / 3}}) {
        const std::optional<ZoomMode> back = ZoomModeFromText(ZoomModeText(mode));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->fit, mode.fit);
        EXPECT_NEAR(back->factor, mode.fit ? 1.0 : mode.factor, 1e-9);
    }
    for (const char* bad : {"", "abc", "0", "-1", "1000", "nan"})
        EXPECT_FALSE(ZoomModeFromText(bad)) << bad;
}

TEST(LabelPlacement, LabelsAskingForOnePlaceEndApartInsideAndNearIt)
{
    const QRect bounds(0, 0, 300, 200);
    // Five labels on one spot, the last two asking to reach out of the view.
    const std::vector<QRect> wanted{QRect(100, 90, 80, 14), QRect(100, 90, 80, 14), QRect(104, 92, 60, 14),
                                    QRect(260, 190, 80, 14), QRect(-30, -5, 50, 14)};
    const std::vector<QRect> placed = PlaceLabels(wanted, bounds);
    ASSERT_EQ(placed.size(), wanted.size());
    EXPECT_EQ(placed[0], wanted[0]) << "the first keeps its place";
    for (std::size_t i = 0; i < placed.size(); ++i) {
        EXPECT_EQ(placed[i].size(), wanted[i].size()) << i;
        EXPECT_TRUE(bounds.contains(placed[i])) << i;
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_FALSE(placed[i].intersects(placed[j])) << i << " over " << j;
    }
    EXPECT_EQ(placed[1].x(), 100) << "a label one above or below another: moved up or down, not sideways";
    EXPECT_EQ(std::abs(placed[1].y() - 90), 15);
    EXPECT_EQ(placed[3].topLeft(), QPoint(220, 186)) << "just inside the corner it reached past";
    EXPECT_EQ(placed[4].topLeft(), QPoint(0, 0));

    // With no free place in reach it stays where it asked, inside; larger
    // than the view it starts at the view's left and top edges.
    const QRect tiny(0, 0, 40, 20);
    const std::vector<QRect> crowded =
        PlaceLabels({QRect(0, 0, 40, 20), QRect(5, 5, 30, 10), QRect(50, 30, 90, 30)}, tiny);
    EXPECT_EQ(crowded[1], QRect(5, 5, 30, 10));
    EXPECT_EQ(crowded[2].topLeft(), QPoint(0, 0));
}

TEST(ScreenFit, AWindowFromALargerScreenShrinksAndMovesOntoThisOne)
{
    const QRect screen(0, 24, 1024, 676); // a panel along the top
    const QMargins frame(4, 30, 4, 4);
    const QSize minimum(600, 450);
    // Saved at 1280 x 900: as large as the screen allows, its frame on it.
    const QRect big = FittedOnScreen(QRect(100, 80, 1280, 900), frame, screen, minimum);
    EXPECT_EQ(big, QRect(4, 54, 1016, 642));
    // Half off to the right and below: moved back, its size kept.
    EXPECT_EQ(FittedOnScreen(QRect(800, 500, 640, 480), frame, screen, minimum), QRect(380, 216, 640, 480));
    // Already on the screen: left as it is.
    EXPECT_EQ(FittedOnScreen(QRect(50, 60, 640, 480), frame, screen, minimum), QRect(50, 60, 640, 480));
    // A screen smaller than the smallest window: the title bar's corner stays in view.
    EXPECT_EQ(FittedOnScreen(QRect(300, 300, 800, 600), frame, QRect(0, 0, 500, 400), minimum), QRect(4, 30, 600, 450));
}
