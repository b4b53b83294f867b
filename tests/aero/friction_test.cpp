#include "aero/friction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace centrafix::aero {
namespace {

TEST(Log10, IsTheNaturalLogarithmQuotient)
{
    // ln(1000) / ln(10) is one unit in the last place below 3; the established
    // friction figures carry that rounding, std::log10 would not.
    EXPECT_EQ(Log10(1000), 2.9999999999999996);
    EXPECT_EQ(std::log10(1000.0), 3.0);
}

TEST(CfLaminar, Blasius)
{
    EXPECT_DOUBLE_EQ(*Cf_laminar(1e4), 0.01328);
    EXPECT_DOUBLE_EQ(*Cf_laminar(1e6), 0.001328);
}

TEST(CfTurbulent, ExactlyTwentyFiveUpdates)
{
    // At Re = 100 the iterates alternate: the 24th is 0.2298 and the 26th
    // 0.2345, so an early exit, an extra update or a convergence test shows.
    EXPECT_NEAR(*Cf_turbulent(100), 0.0316045347, 1e-9);
}

TEST(CfTurbulent, SettlesOnTheSchoenherrLineAtHighReynoldsNumbers)
{
    for (const double Re : {1e6, 1e8}) {
        const std::optional<double> cf = Cf_turbulent(Re);
        ASSERT_TRUE(cf.has_value()) << Re;
        // 0.242 / sqrt(Cf) = log10(Re Cf)
        EXPECT_NEAR(0.242 / std::sqrt(*cf), std::log10(Re * *cf), 1e-12) << Re;
    }
    // Published Schoenherr mean skin friction.
    EXPECT_NEAR(*Cf_turbulent(1e6), 0.00441, 0.00001);
    EXPECT_NEAR(*Cf_turbulent(1e7), 0.00293, 0.00001);
}

TEST(CfTurbulent, CrossesLaminarBetween1e4And1_2e4)
{
    EXPECT_GT(*Cf_laminar(1e4), *Cf_turbulent(1e4));
    EXPECT_GT(*Cf_turbulent(1.2e4), *Cf_laminar(1.2e4));
}

TEST(Friction, NoResultForReynoldsNumberAtOrBelowZero)
{
    for (const double Re : {0.0, -1.0}) {
        EXPECT_FALSE(Cf_laminar(Re).has_value()) << Re;
        EXPECT_FALSE(Cf_turbulent(Re).has_value()) << Re;
    }
    // The smallest Reynolds number there is: Cf x Re underflows to 0 on the
    // way, whose logarithm would make a coefficient of 0.
    EXPECT_FALSE(Cf_turbulent(std::numeric_limits<double>::denorm_min()).has_value());
}

} // namespace
} // namespace centrafix::aero
