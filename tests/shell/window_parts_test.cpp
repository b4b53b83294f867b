// The window's rules that need no window: the zoom steps and the CSV form
// of the results table.

#include "shell/table_export.h"
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

TEST(TableAsCsv, QuotesWhatWouldSplitAFieldAndEndsEveryLineWithCrLf)
{
    EXPECT_EQ(TableAsCsv("Objekt\tFläche\r\nrot\t12,5\t\r\nGesamt\t\"x\"\t"),
              "Objekt,Fläche\r\nrot,\"12,5\",\r\nGesamt,\"\"\"x\"\"\",\r\n");
    EXPECT_EQ(TableAsCsv("a\tb"), "a,b\r\n");
    EXPECT_EQ(TableAsCsv("line\nbreak"), "\"line\nbreak\"\r\n");
}
