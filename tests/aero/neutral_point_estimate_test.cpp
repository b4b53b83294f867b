#include "aero/neutral_point_estimate.h"

#include <gtest/gtest.h>

#include <cmath>

namespace centrafix::aero {
namespace {

SurfaceGeometry Surface(double area, double aspectRatio, double halfChordSweepDeg, double macLeadX, double mac)
{
    SurfaceGeometry g;
    g.area = area;
    g.aspectRatio = aspectRatio;
    g.sweepHalfDeg = halfChordSweepDeg;
    g.macLeadX = macLeadX;
    g.mac = mac;
    return g;
}

// Wing: S 1.5, A 6, unswept, MAC 0.5 from x 0.2, so it lifts at 0.325.
const SurfaceGeometry kWing = Surface(1.5, 6.0, 0.0, 0.2, 0.5);
constexpr double kMach = 0.3; // beta^2 = 0.91

// By hand, a = 2 pi A / (2 + sqrt(4 + A^2 (beta^2 + tan^2 L))):
//   wing   A 6:           sqrt(4 + 36 * 0.91)            = 6.063003, a = 37.69911 / 8.063003 = 4.675568
//   tail   A 4, L 20 deg: sqrt(4 + 16 * (0.91 + 0.132474)) = 4.547481, a = 25.13274 / 6.547481 = 3.838538
//   canard A 5:           sqrt(4 + 25 * 0.91)            = 5.172040, a = 31.41593 / 7.172040 = 4.380333
//   d eps / d alpha = 2 * 4.675568 / (pi * 6) = 0.496093
TEST(EstimateNeutralPoint, WingAndTailplaneByHand)
{
    // Tail: S 0.3, MAC 0.25 from x 1.2, lifting at 1.2625, eta 0.9.
    //   wing weight 4.675568 * 1.5 = 7.013351, moment * 0.325 = 2.279339
    //   tail weight 3.838538 * 0.9 * (1 - 0.496093) * 0.3 = 0.522252, moment * 1.2625 = 0.659343
    //   NP = (2.279339 + 0.659343) / (7.013351 + 0.522252) = 0.389973
    const NeutralPointEstimate e =
        EstimateNeutralPoint(kWing, {{SurfaceRole::Tail, Surface(0.3, 4.0, 20.0, 1.2, 0.25)}}, 0.9, kMach);
    EXPECT_NEAR(e.wingClAlpha, 4.675568, 1e-5);
    EXPECT_NEAR(e.downwashGradient, 0.496093, 1e-5);
    ASSERT_EQ(e.clAlpha.size(), 1u);
    EXPECT_NEAR(e.clAlpha[0], 3.838538, 1e-5);
    EXPECT_NEAR(e.neutralPointX, 0.389973, 1e-5);
}

TEST(EstimateNeutralPoint, CanardSeesUpwash)
{
    // Canard: S 0.2, MAC 0.2 from x -0.6, lifting at -0.55, eta 0.9.
    //   canard weight 4.380333 * 0.9 * (1 + 0.496093) * 0.2 = 1.179609, moment * -0.55 = -0.648785
    //   NP = (2.279339 - 0.648785) / (7.013351 + 1.179609) = 0.199019
    const NeutralPointEstimate e =
        EstimateNeutralPoint(kWing, {{SurfaceRole::Canard, Surface(0.2, 5.0, 0.0, -0.6, 0.2)}}, 0.9, kMach);
    ASSERT_EQ(e.clAlpha.size(), 1u);
    EXPECT_NEAR(e.clAlpha[0], 4.380333, 1e-5);
    EXPECT_NEAR(e.neutralPointX, 0.199019, 1e-5);
}

TEST(EstimateNeutralPoint, FlyingWingAndDegenerateSurfaces)
{
    // Wing alone: its quarter MAC, whatever its slope.
    EXPECT_DOUBLE_EQ(EstimateNeutralPoint(kWing, {}, 0.9, kMach).neutralPointX, 0.325);
    // Incompressible, A 6: 2 pi 6 / (2 + sqrt(40)) = 37.69911 / 8.324555 = 4.528664.
    EXPECT_NEAR(EstimateNeutralPoint(kWing, {}, 0.9, 0.0).wingClAlpha, 4.528664, 1e-6);

    // No area anywhere, or a Mach number past one: numbers, not NaN.
    const NeutralPointEstimate none = EstimateNeutralPoint(SurfaceGeometry{}, {{SurfaceRole::Tail, {}}}, 0.9, 0.0);
    EXPECT_EQ(none.wingClAlpha, 0.0);
    EXPECT_EQ(none.downwashGradient, 0.0);
    EXPECT_EQ(none.neutralPointX, 0.0);
    const NeutralPointEstimate fast = EstimateNeutralPoint(kWing, {}, 0.9, 1.2);
    EXPECT_TRUE(std::isfinite(fast.wingClAlpha));
    EXPECT_TRUE(std::isfinite(fast.neutralPointX));
}

} // namespace
} // namespace centrafix::aero
