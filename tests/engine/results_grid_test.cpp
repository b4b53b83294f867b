#include "engine/results_grid.h"
#include "engine/string_table.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace centrafix;

namespace {

// Two found objects as the scan leaves them: red area 300 at A.C. x 40,
// centroid (10, 20); blue area 100 at A.C. x 80, centroid (30, 60).
struct TwoObjects {
    ColorObjectTable objects;
    PointTable cg{};
    PointTable ac{};

    explicit TwoObjects(int language, double redWeight = 1, double blueWeight = 0.5)
        : objects(MakeColorObjects(language))
    {
        objects[2].Area = 300;
        objects[2].Found = true;
        objects[2].Weight = redWeight;
        objects[2].Outline = 70;
        objects[2].RefLength = 12.5;
        objects[4].Area = 100;
        objects[4].Found = true;
        objects[4].Weight = blueWeight;
        ac[2].x = 40;
        ac[4].x = 80;
        cg[2] = {10, 20};
        cg[4] = {30, 60};
    }
};

} // namespace

TEST(Summation, TotalWeighsTheAcByEfficiencyAndTheCentroidByAreaAlone)
{
    TwoObjects t(kEnglish);
    const auto rows = SumUpResults(t.objects, t.cg, t.ac, 0, 0, ".", kEnglish);
    ASSERT_EQ(rows.size(), 3u);
    // Cells as values: nine for an object, six for the total.
    EXPECT_EQ(rows[0].cells.size(), 9u);
    EXPECT_EQ(rows[2].cells.size(), 6u);
    EXPECT_EQ(rows[0].cells[3], "40.00");
    EXPECT_EQ(JoinedCells(rows[0]), "red\t10.00\t20.00\t40.00\t300.00\t75.0\t70.0000\t12.5000\t1.00");
    EXPECT_EQ(JoinedCells(rows[1]), "blue\t30.00\t60.00\t80.00\t100.00\t25.0\t0.0000\t0.0000\t0.50");
    EXPECT_EQ(JoinedCells(rows[2]), "total\t15.00\t30.00\t45.71\t400.00\t100.0");
    EXPECT_NEAR(t.ac[0].x, 320.0 / 7.0, 1e-12);
    EXPECT_DOUBLE_EQ(t.objects[0].Area, 400);
}

TEST(Summation, OriginAndLocaleChangeOnlyPositionsAndSeparators)
{
    TwoObjects t(kGerman);
    const auto rows = SumUpResults(t.objects, t.cg, t.ac, 10, 5, ",", kGerman);
    EXPECT_EQ(JoinedCells(rows[0]), "rot\t0,00\t15,00\t30,00\t300,00\t75,0\t70,0000\t12,5000\t1,00");
    EXPECT_EQ(JoinedCells(rows[2]), "Gesamt\t5,000\t25,00\t35,71\t400,00\t100,0");
    EXPECT_DOUBLE_EQ(t.cg[3].x, -10) << "every entry, found or not, is made origin-relative";
}

// At 0.001 m per pixel the lengths are thousandths and the areas millionths
// of what they are in pixels: the cells keep four significant digits where
// the patterns would show zeros, and the share and the weight keep theirs.
TEST(Summation, SmallUnitsKeepFourSignificantDigits)
{
    TwoObjects t(kEnglish);
    const double s = 0.001;
    for (ColorObject& o : t.objects) {
        o.Area *= s * s;
        o.Outline *= s;
        o.RefLength *= s;
    }
    for (std::size_t i = 0; i < t.cg.size(); ++i) {
        t.cg[i] = {t.cg[i].x * s, t.cg[i].y * s};
        t.ac[i].x *= s;
    }
    const auto rows = SumUpResults(t.objects, t.cg, t.ac, 0, 0.02, ".", kEnglish);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(JoinedCells(rows[0]), "red\t0.01000\t0.00\t0.04000\t0.0003000\t75.0\t0.07000\t0.01250\t1.00");
    EXPECT_EQ(JoinedCells(rows[1]), "blue\t0.03000\t0.04000\t0.08000\t0.0001000\t25.0\t0.0000\t0.0000\t0.50");
    EXPECT_EQ(JoinedCells(rows[2]), "total\t0.01500\t0.01000\t0.04571\t0.0004000\t100.0");
}

TEST(Summation, AllWeightsZeroFallBackToThePlainAreaMean)
{
    TwoObjects t(kEnglish, 0, 0);
    const auto rows = SumUpResults(t.objects, t.cg, t.ac, 0, 0, ".", kEnglish);
    EXPECT_DOUBLE_EQ(t.ac[0].x, 50) << "(40 x 300 + 80 x 100) / 400";
    EXPECT_EQ(JoinedCells(rows[2]), "total\t15.00\t30.00\t50.00\t400.00\t100.0");

    TwoObjects cancelling(kEnglish, 1, -3); // 300 - 300 = 0
    SumUpResults(cancelling.objects, cancelling.cg, cancelling.ac, 0, 0, ".", kEnglish);
    EXPECT_TRUE(std::isfinite(cancelling.ac[0].x));
}

TEST(Summation, NothingFoundIsSaidInTheTotalRowNotShownAsAZeroAtAHundredPercent)
{
    for (const int language : {kEnglish, kGerman}) {
        ColorObjectTable objects = MakeColorObjects(language);
        PointTable cg{}, ac{};
        const auto rows = SumUpResults(objects, cg, ac, 3, 4, ".", language);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(JoinedCells(rows[0]),
                  language == kEnglish ? "total\tNo color found." : "Gesamt\tKeine Farbe gefunden.");
        // What the exports write for the empty total: numbers, not 0 / 0.
        EXPECT_EQ(cg[0].x, -3.0);
        EXPECT_EQ(cg[0].y, -4.0);
        EXPECT_EQ(ac[0].x, -3.0);
    }
}

TEST(ResultsGrid, CopyTextHasNineFieldsALineJoinedByCrLf)
{
    const std::string header = GridHeaderText(kEnglish);
    EXPECT_EQ(CopyTableText(header, {}), header) << "no line break after the only line";
    const std::string text = CopyTableText(header, {GridRow{{"black", "1", "2", "3", "4", "5", "6", "7", "8"}},
                                                    GridRow{{"total", "1", "2", "3", "4", "5"}}, GridRow{}});
    EXPECT_EQ(text, header + "\r\nblack\t1\t2\t3\t4\t5\t6\t7\t8\r\ntotal\t1\t2\t3\t4\t5\t\t\t\r\n\t\t\t\t\t\t\t\t");
    EXPECT_EQ(GridHeader(kGerman).cells.size(), 9u);
    EXPECT_EQ(JoinedCells(GridHeader(kGerman)), GridHeaderText(kGerman));
}
