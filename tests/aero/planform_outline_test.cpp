#include "aero/planform_outline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace centrafix::aero {
namespace {

RowEdges Painted(int lead, int trail, bool leadHidden = false, bool trailHidden = false)
{
    return {true, lead, trail, leadHidden, trailHidden};
}

RowEdges Empty()
{
    return {};
}

// A wing of 201 rows: a straight centre section (rows 80 to 120) and outer
// panels whose leading edge moves back 2 columns a row and whose trailing
// edge moves forward 1, so every stretch a fuselage or pod may hide is
// straight in the row index.
RowEdges WingAlone(int row)
{
    const int beyondCentre = std::max(0, std::abs(row - 100) - 20);
    return Painted(100 + 2 * beyondCentre, 300 - beyondCentre);
}

std::vector<RowEdges> PaintedAlone()
{
    std::vector<RowEdges> rows;
    for (int r = 0; r < 201; ++r)
        rows.push_back(WingAlone(r));
    return rows;
}

TEST(AerodynamicOutline, FuselageAndPodsPaintedOverTheWingChangeNothing)
{
    std::vector<RowEdges> covered = PaintedAlone();
    // A fuselage across the whole chord of rows 90 to 110: no wing pixels.
    for (int r = 90; r <= 110; ++r)
        covered[r] = Empty();
    // A pod over the leading edge of rows 40 to 50 (the wing shows from
    // where the pod ends) and one over the trailing edge of rows 150 to 160.
    for (int r = 40; r <= 50; ++r)
        covered[r] = Painted(WingAlone(r).lead + 30, WingAlone(r).trail, true, false);
    for (int r = 150; r <= 160; ++r)
        covered[r] = Painted(WingAlone(r).lead, WingAlone(r).trail - 25, false, true);
    // Two rows where a thin strut touches an edge without taking pixels
    // from it: hidden, but the painted edge is where it was.
    covered[30].leadHidden = true;
    covered[170].trailHidden = true;

    const std::optional<Outline> alone = AerodynamicOutline(PaintedAlone());
    const std::optional<Outline> outline = AerodynamicOutline(covered);
    ASSERT_TRUE(alone && outline);
    ASSERT_EQ(outline->firstRow, 0);
    ASSERT_EQ(outline->rows.size(), 201u);
    for (int r = 0; r < 201; ++r) {
        EXPECT_NEAR(outline->rows[r].lead, alone->rows[r].lead, 1e-12) << "row " << r;
        EXPECT_NEAR(outline->rows[r].trail, alone->rows[r].trail, 1e-12) << "row " << r;
    }
}

TEST(AerodynamicOutline, RowRangeIsFromTheFirstToTheLastRowWithPixels)
{
    EXPECT_FALSE(AerodynamicOutline({}).has_value());
    EXPECT_FALSE(AerodynamicOutline({Empty(), Empty()}).has_value());

    const std::optional<Outline> outline =
        AerodynamicOutline({Empty(), Empty(), Painted(10, 20), Painted(12, 20), Empty()});
    ASSERT_TRUE(outline);
    EXPECT_EQ(outline->firstRow, 2);
    ASSERT_EQ(outline->rows.size(), 2u);
    EXPECT_EQ(outline->rows[1].lead, 12.0);
}

TEST(AerodynamicOutline, EmptyRowsAreBridgedInTheRowIndex)
{
    // Lead 10 -> 40 and trail 50 -> 20 over three rows without pixels.
    const std::optional<Outline> outline =
        AerodynamicOutline({Painted(10, 50), Empty(), Empty(), Empty(), Painted(40, 20 + 1)});
    ASSERT_TRUE(outline);
    ASSERT_EQ(outline->rows.size(), 5u);
    EXPECT_DOUBLE_EQ(outline->rows[1].lead, 17.5);
    EXPECT_DOUBLE_EQ(outline->rows[2].lead, 25.0);
    EXPECT_DOUBLE_EQ(outline->rows[3].trail, 21.0 + (50.0 - 21.0) / 4.0);
}

TEST(AerodynamicOutline, EdgesWithNothingToBridgeFromStayAsPainted)
{
    // The leading edge is hidden from the first row on: nothing before it
    // meets the background, so the painted leads stay, and the empty row
    // gets no chord (at its bridged trailing edge).
    const std::optional<Outline> outline =
        AerodynamicOutline({Painted(5, 30, true), Painted(7, 32, true), Empty(), Painted(9, 36)});
    ASSERT_TRUE(outline);
    ASSERT_EQ(outline->rows.size(), 4u);
    EXPECT_EQ(outline->rows[0].lead, 5.0);
    EXPECT_EQ(outline->rows[1].lead, 7.0);
    EXPECT_DOUBLE_EQ(outline->rows[2].lead, 34.0);
    EXPECT_DOUBLE_EQ(outline->rows[2].trail, 34.0);

    // Hidden on the last rows: the same from the other side.
    const std::optional<Outline> tip =
        AerodynamicOutline({Painted(5, 30), Painted(6, 28, false, true), Painted(7, 25, false, true)});
    ASSERT_TRUE(tip);
    EXPECT_EQ(tip->rows[1].trail, 28.0);
    EXPECT_EQ(tip->rows[2].trail, 25.0);

    // Neither edge can be bridged into an empty row: no chord, no NaN.
    const std::optional<Outline> blind =
        AerodynamicOutline({Painted(5, 30, true, true), Empty(), Painted(9, 36, true, true)});
    ASSERT_TRUE(blind);
    EXPECT_EQ(blind->rows[1].lead, blind->rows[1].trail);
    EXPECT_FALSE(std::isnan(blind->rows[1].lead));
}

TEST(UnionOfEdges, TakesTheOuterEdgesWithTheirOwnColoursHiddenFlags)
{
    // A wing in red with a green flap along the trailing edge of row 1 and a
    // green tip (row 3) that red does not reach.
    const std::vector<RowEdges> red{Empty(), Painted(10, 40, false, false), Painted(10, 40, true, false),
                                    Painted(11, 30, false, true)};
    const std::vector<RowEdges> green{Empty(), Painted(40, 50, true, false), Empty(), Painted(30, 38, true, true),
                                      Painted(12, 20)};
    const std::vector<RowEdges> joined = UnionOfEdges({&red, &green});
    ASSERT_EQ(joined.size(), 5u);
    EXPECT_FALSE(joined[0].present);

    EXPECT_TRUE(joined[1].present);
    EXPECT_EQ(joined[1].lead, 10);
    EXPECT_FALSE(joined[1].leadHidden);
    EXPECT_EQ(joined[1].trail, 50);
    EXPECT_FALSE(joined[1].trailHidden);

    EXPECT_TRUE(joined[2].leadHidden);

    EXPECT_EQ(joined[3].lead, 11);
    EXPECT_FALSE(joined[3].leadHidden);
    EXPECT_EQ(joined[3].trail, 38);
    EXPECT_TRUE(joined[3].trailHidden);

    EXPECT_TRUE(joined[4].present);
    EXPECT_EQ(joined[4].lead, 12);
    EXPECT_EQ(joined[4].trail, 20);
}

} // namespace
} // namespace centrafix::aero
