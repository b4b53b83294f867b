#include "aero/cg_range.h"

#include <gtest/gtest.h>

namespace centrafix::aero {
namespace {

TEST(RangeOfCg, MarginsAheadOfTheNeutralPointAndFromTheRootLeadingEdge)
{
    // NP 0.4, MAC 0.5, root leading edge at 0.1, margins 5 to 15 %:
    // forward 0.4 - 0.075 = 0.325, aft 0.4 - 0.025 = 0.375.
    const CgRange range = RangeOfCg(0.4, 0.5, 0.1, 5.0, 15.0);
    EXPECT_DOUBLE_EQ(range.forwardX, 0.325);
    EXPECT_DOUBLE_EQ(range.aftX, 0.375);
    EXPECT_DOUBLE_EQ(range.forwardBehindRootLead, 0.225);
    EXPECT_DOUBLE_EQ(range.aftBehindRootLead, 0.275);

    // A negative margin puts the aft limit behind the neutral point.
    EXPECT_DOUBLE_EQ(RangeOfCg(0.4, 0.5, 0.1, -10.0, 0.0).aftX, 0.45);
}

TEST(StaticMargin, PercentOfTheMac)
{
    EXPECT_NEAR(StaticMargin(0.4, 0.5, 0.35), 10.0, 1e-12);
    EXPECT_NEAR(StaticMargin(0.4, 0.5, 0.45), -10.0, 1e-12);
    EXPECT_EQ(StaticMargin(0.4, 0.0, 0.35), 0.0);
}

} // namespace
} // namespace centrafix::aero
