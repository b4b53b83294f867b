#include "aero/friction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace centrafix::aero {
namespace {

// The iteration written out, stopping after `updates` updates.
double SchoenherrIterate(double Re, int updates)
{
    double cf = 1.5 * 1.328 / std::sqrt(Re);
    for (int i = 0; i < updates; ++i)
        cf = std::pow(0.242 / (std::log(cf * Re) / std::log(10.0)), 2);
    return cf;
}

// ------------------------------------------------------------------- Log10

TEST(Log10, PowersOfTen)
{
    EXPECT_EQ(Log10(10), 1.0);
    EXPECT_NEAR(Log10(1000), 3.0, 1e-15);
    EXPECT_NEAR(Log10(0.01), -2.0, 1e-15);
}

TEST(Log10, IsNaturalLogarithmQuotient)
{
    // ln(1000) / ln(10) is one unit in the last place below 3; the established
    // friction figures carry that rounding, std::log10 would not.
    EXPECT_EQ(Log10(1000), 2.9999999999999996);
}

// -------------------------------------------------------------- Cf_laminar

TEST(CfLaminar, Blasius)
{
    EXPECT_DOUBLE_EQ(*Cf_laminar(1e4), 1.328 / 100);
    EXPECT_DOUBLE_EQ(*Cf_laminar(1e6), 1.328 / 1000);
    EXPECT_DOUBLE_EQ(*Cf_laminar(4), 0.664);
}

// ------------------------------------------------------------ Cf_turbulent

TEST(CfTurbulent, SchoenherrFixedPointFrom1e5)
{
    for (const double Re : {1e5, 3e5, 1e6, 1e7, 1e8}) {
        const std::optional<double> cf = Cf_turbulent(Re);
        ASSERT_TRUE(cf.has_value()) << Re;
        // 0.242 / sqrt(Cf) = log10(Re Cf), checked with the library logarithm.
        EXPECT_NEAR(0.242 / std::sqrt(*cf), std::log10(Re * *cf), 1e-12) << Re;
    }
}

TEST(CfTurbulent, PublishedSchoenherrValues)
{
    // Schoenherr mean skin friction: 0.00441 at 1e6, 0.00293 at 1e7.
    EXPECT_NEAR(*Cf_turbulent(1e6), 0.00441, 0.00001);
    EXPECT_NEAR(*Cf_turbulent(1e7), 0.00293, 0.00001);
}

TEST(CfTurbulent, ExactlyTwentyFiveUpdates)
{
    // At Re = 100 the iterates alternate, so the 25th differs visibly from the
    // 24th and the 26th; an early exit or a convergence test would show.
    const double Re = 100;
    const double the24th = SchoenherrIterate(Re, 24);
    const double the25th = SchoenherrIterate(Re, 25);
    const double the26th = SchoenherrIterate(Re, 26);
    ASSERT_GT(std::abs(the25th - the24th), 1e-4);
    ASSERT_GT(std::abs(the25th - the26th), 1e-4);
    EXPECT_EQ(*Cf_turbulent(Re), the25th);
    // Where it has settled the result is the 25th iterate to the last digit.
    EXPECT_EQ(*Cf_turbulent(2e6), SchoenherrIterate(2e6, 25));
}

TEST(CfTurbulent, CrossesLaminarBetween1e4And1_2e4)
{
    EXPECT_GT(*Cf_laminar(1e4), *Cf_turbulent(1e4));
    EXPECT_GT(*Cf_turbulent(1.2e4), *Cf_laminar(1.2e4));
    // From there on turbulent friction is the larger.
    for (const double Re : {1e5, 1e6, 1e7, 1e9})
        EXPECT_GT(*Cf_turbulent(Re), *Cf_laminar(Re)) << Re;
}

TEST(CfTurbulent, FallsWithReynoldsNumber)
{
    EXPECT_GT(*Cf_turbulent(1e5), *Cf_turbulent(1e6));
    EXPECT_GT(*Cf_turbulent(1e6), *Cf_turbulent(1e7));
}

// ---------------------------------------------------------------- no result

TEST(FrictionNoResult, ReynoldsNumberAtOrBelowZero)
{
    for (const double Re : {0.0, -0.0, -1.0, -1e6}) {
        EXPECT_FALSE(Cf_laminar(Re).has_value()) << Re;
        EXPECT_FALSE(Cf_turbulent(Re).has_value()) << Re;
    }
}

TEST(FrictionNoResult, NonFiniteReynoldsNumber)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(Cf_laminar(inf).has_value());
    EXPECT_FALSE(Cf_laminar(nan).has_value());
    EXPECT_FALSE(Cf_turbulent(inf).has_value());
    EXPECT_FALSE(Cf_turbulent(nan).has_value());
}

TEST(FrictionNoResult, NeverNonFiniteOverTheWholeRange)
{
    // From the smallest positive double to near the largest: either no result
    // or a finite positive coefficient.
    for (double Re = std::numeric_limits<double>::denorm_min(); Re < 1e300; Re *= 3.7) {
        for (const std::optional<double> cf : {Cf_laminar(Re), Cf_turbulent(Re)}) {
            if (cf) {
                EXPECT_TRUE(std::isfinite(*cf)) << Re;
                EXPECT_GT(*cf, 0) << Re;
            }
        }
    }
}

} // namespace
} // namespace centrafix::aero
