#include "aero/biot_savart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace centrafix::aero {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(HorseshoeUpwash, LongBoundVortexActsLikeAnInfiniteLine)
{
    // A straight line vortex induces G / (2 pi d) (Katz and Plotkin, 2.11);
    // behind a bound vortex of positive (lifting) circulation it is downwash.
    const Point3 a{0.0, -1e6, 0.0};
    const Point3 b{0.0, 1e6, 0.0};
    EXPECT_NEAR(HorseshoeUpwash(a, b, {0.5, 0.0, 0.0}, 0.0), -1.0 / (2.0 * kPi * 0.5), 1e-6);
    EXPECT_NEAR(HorseshoeUpwash(a, b, {-0.25, 0.0, 0.0}, 0.0), 1.0 / (2.0 * kPi * 0.25), 1e-6);
    // Above the vortex the flow runs along x, not through the plane.
    EXPECT_NEAR(HorseshoeUpwash(a, b, {0.0, 0.0, 0.3}, 0.0), 0.0, 1e-6);
}

TEST(HorseshoeUpwash, TrailingLegsInduceHalfAnInfiniteLineAtTheirStart)
{
    // On the bound vortex itself (its own line induces nothing there) each
    // half-infinite leg gives G / (4 pi h), both downwards between the legs
    // and upwards outside them.
    const Point3 a{0.0, 0.0, 0.0};
    const Point3 b{0.0, 1.0, 0.0};
    EXPECT_NEAR(HorseshoeUpwash(a, b, {0.0, 0.5, 0.0}, 0.0), -2.0 / (4.0 * kPi * 0.5), 1e-12);
    const double outside = 1.0 / (4.0 * kPi * 1.0) - 1.0 / (4.0 * kPi * 2.0);
    EXPECT_NEAR(HorseshoeUpwash(a, b, {0.0, 2.0, 0.0}, 0.0), outside, 1e-12);
    // Far downstream between the legs: two infinite lines, G / (2 pi h) each.
    EXPECT_NEAR(HorseshoeUpwash(a, b, {1e7, 0.25, 0.0}, 0.0), -1.0 / (2.0 * kPi * 0.25) - 1.0 / (2.0 * kPi * 0.75),
                1e-6);
}

TEST(HorseshoeUpwash, CoreDampsNearTheLegOnly)
{
    const Point3 a{0.0, 0.0, 0.0};
    const Point3 b{0.0, 1.0, 0.0};
    const Point3 onLeg{1e7, 1.0, 0.0};
    // On one leg only the other one acts (through the core it barely feels).
    EXPECT_NEAR(HorseshoeUpwash(a, b, onLeg, 0.01), -1.0 / (2.0 * kPi), 1e-4);
    EXPECT_NEAR(HorseshoeUpwash(a, b, onLeg, 0.0), -1.0 / (2.0 * kPi), 1e-6);
    // At h = core the factor h^2 / (h^2 + core^2) is a half; far away it is 1.
    const Point3 besideLeg{1e7, 1.0 + 1e-3, 0.0};
    const double bare = HorseshoeUpwash(a, b, besideLeg, 0.0);
    const double other = -1.0 / (2.0 * kPi * (1.0 + 1e-3));
    EXPECT_NEAR(HorseshoeUpwash(a, b, besideLeg, 1e-3) - other, 0.5 * (bare - other), 1e-3 * std::abs(bare));
    const Point3 between{1e7, 0.5, 0.0};
    EXPECT_NEAR(HorseshoeUpwash(a, b, between, 1e-3), HorseshoeUpwash(a, b, between, 0.0), 1e-5);
}

} // namespace
} // namespace centrafix::aero
