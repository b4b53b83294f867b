#include "engine/color_cleanup.h"
#include "engine/color_match.h"
#include "engine/raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

using namespace centrafix;

namespace {

// The rule as users read it, in floating point: the summed absolute
// differences of red, green and blue strictly below the tolerance.
bool ColorMatches(std::int32_t p, std::int32_t c, double Tolerance)
{
    const double sum = std::fabs(double(RedOf(p)) - double(RedOf(c))) +
                       std::fabs(double(GreenOf(p)) - double(GreenOf(c))) +
                       std::fabs(double(BlueOf(p)) - double(BlueOf(c)));
    return sum < Tolerance;
}

} // namespace

TEST(ColorMatcher, SumOfComponentDifferencesMustBeBelowTheTolerance)
{
    const auto red = Rgb(255, 0, 0);
    const auto matches = [&](std::int32_t p, double t) { return ColorMatcher(red, t).matches(ToRasterWord(p)); };
    EXPECT_FALSE(matches(red, 0));
    EXPECT_TRUE(matches(red, 1));
    EXPECT_FALSE(matches(Rgb(254, 0, 0), 1));
    EXPECT_TRUE(matches(Rgb(250, 2, 2), 10));  // 9
    EXPECT_FALSE(matches(Rgb(250, 3, 2), 10)); // 10
    EXPECT_FALSE(matches(red, -5));
}

TEST(ColorMatcher, GivesTheSameAnswersAsTheFloatingPointRule)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> component(0, 255);
    const double tolerances[] = {-1, 0, 0.5, 1, 1.5, 9.999, 10, 10.0001, 382.5, 765, 765.5, 766, 1e9};
    for (int trial = 0; trial < 4000; ++trial) {
        const auto c = Rgb(component(random), component(random), component(random));
        // Pixels near the object colour, so the thresholds are exercised.
        const auto near = [&](int v) { return std::clamp(v + component(random) % 13 - 6, 0, 255); };
        const auto p = trial % 2 ? Rgb(near(RedOf(c)), near(GreenOf(c)), near(BlueOf(c)))
                                 : Rgb(component(random), component(random), component(random));
        for (double t : tolerances) {
            const ColorMatcher matcher(c, t);
            ASSERT_EQ(matcher.matches(ToRasterWord(p)), ColorMatches(p, c, t))
                << "colour " << c << " pixel " << p << " tolerance " << t;
        }
    }
}

TEST(CleanUpColours, SnapsNearPixelsToTheNearestColourAndLeavesTheRest)
{
    // Distances to the nearest colour: 0, 6, 199, 200, 381 (mid-grey).
    std::vector<std::uint32_t> pixels = {ToRasterWord(Rgb(255, 0, 0)),     ToRasterWord(Rgb(250, 1, 0)),
                                         ToRasterWord(Rgb(200, 60, 84)),   ToRasterWord(Rgb(200, 60, 85)),
                                         ToRasterWord(Rgb(127, 128, 127)), ToRasterWord(Rgb(3, 252, 250))};
    const MutableRasterView view{pixels.data(), 6, 1, 6};
    EXPECT_EQ(CleanUpColours(view, 200), 3);
    EXPECT_EQ(FromRasterWord(pixels[1]), Rgb(255, 0, 0));
    EXPECT_EQ(FromRasterWord(pixels[2]), Rgb(255, 0, 0));
    EXPECT_EQ(FromRasterWord(pixels[3]), Rgb(200, 60, 85)) << "200 is not below 200";
    EXPECT_EQ(FromRasterWord(pixels[4]), Rgb(127, 128, 127));
    EXPECT_EQ(FromRasterWord(pixels[5]), Rgb(0, 255, 255));
    EXPECT_EQ(CleanUpColours(view, 0), 0) << "a threshold of 0 changes nothing";
}
