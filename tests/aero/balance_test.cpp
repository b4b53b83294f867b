#include "aero/balance.h"
#include "aero/balance_assembly.h"
#include "aero/lifting_surfaces.h"

#include <gtest/gtest.h>

#include <variant>

namespace centrafix::aero {
namespace {

constexpr int kRed = 2;
constexpr int kGreen = 3;
constexpr int kBlue = 5;
constexpr int kYellow = 4;
constexpr int kBlack = 1;

// A rectangle of `chord` columns from `lead` over rows first .. last of a
// 60-row picture.
std::vector<RowEdges> Block(int first, int last, int lead, int chord)
{
    std::vector<RowEdges> rows(60);
    for (int r = first; r <= last; ++r)
        rows[r] = {true, lead, lead + chord, false, false};
    return rows;
}

std::array<std::vector<RowEdges>, 8> Picture()
{
    std::array<std::vector<RowEdges>, 8> edges;
    edges[kRed] = Block(10, 29, 100, 40);   // half of a wing in red ...
    edges[kGreen] = Block(30, 49, 100, 40); // ... and half in green
    edges[kBlue] = Block(22, 37, 300, 20);  // tailplane
    edges[kYellow] = Block(26, 33, 20, 10); // canard
    edges[kBlack] = Block(27, 32, 0, 400);  // fuselage
    return edges;
}

BalanceSettings Roles()
{
    BalanceSettings settings;
    settings.roles[kRed] = SurfaceRole::Wing;
    settings.roles[kGreen] = SurfaceRole::Wing;
    settings.roles[kBlue] = SurfaceRole::Tail;
    settings.roles[kYellow] = SurfaceRole::Canard;
    settings.roles[kBlack] = SurfaceRole::Fuselage;
    return settings;
}

TEST(LiftingSurfaces, TheWingIsTheUnionOfItsColoursThenEachOtherLiftingColour)
{
    const std::vector<SurfaceBalance> surfaces = LiftingSurfaces(Picture(), Roles(), {0.1, 0.0, 0.0});
    ASSERT_EQ(surfaces.size(), 3u);

    EXPECT_EQ(surfaces[0].role, SurfaceRole::Wing);
    EXPECT_EQ(surfaces[0].objects, (std::vector<int>{kRed, kGreen}));
    EXPECT_EQ(surfaces[0].outline.firstRow, 10);
    EXPECT_EQ(surfaces[0].outline.rows.size(), 40u);
    EXPECT_NEAR(surfaces[0].geometry.area, 4.0 * 4.0, 1e-12);

    EXPECT_EQ(surfaces[1].role, SurfaceRole::Canard); // yellow comes before blue
    EXPECT_EQ(surfaces[1].objects, std::vector<int>{kYellow});
    EXPECT_EQ(surfaces[2].role, SurfaceRole::Tail);
    EXPECT_EQ(surfaces[2].objects, std::vector<int>{kBlue});
    EXPECT_NEAR(surfaces[2].geometry.span, 1.6, 1e-12);
}

TEST(LiftingSurfaces, ColoursWithoutPixelsOrLiftAreLeftOut)
{
    std::array<std::vector<RowEdges>, 8> edges = Picture();
    edges[kRed].clear();                 // a wing colour not found
    edges[kYellow] = Block(0, -1, 0, 0); // rows, none of them painted
    BalanceSettings settings = Roles();
    settings.roles[kBlue] = SurfaceRole::Other;
    const std::vector<SurfaceBalance> surfaces = LiftingSurfaces(edges, settings, {});
    ASSERT_EQ(surfaces.size(), 1u);
    EXPECT_EQ(surfaces[0].objects, std::vector<int>{kGreen});
}

TEST(ComputeBalance, NoWingAndMachTooHigh)
{
    BalanceSettings tailOnly = Roles();
    tailOnly.roles[kRed] = SurfaceRole::Tail;
    tailOnly.roles[kGreen] = SurfaceRole::Other;
    const auto noWing = ComputeBalance(Picture(), tailOnly, {}, 0.1);
    ASSERT_TRUE(std::holds_alternative<NoBalance>(noWing));
    EXPECT_EQ(std::get<NoBalance>(noWing), NoBalance::NoWing);

    const auto fast = ComputeBalance(Picture(), Roles(), {}, kLatticeMachLimit);
    ASSERT_TRUE(std::holds_alternative<NoBalance>(fast));
    EXPECT_EQ(std::get<NoBalance>(fast), NoBalance::MachTooHigh);

    // Nothing painted at all, with the default roles.
    const auto empty = ComputeBalance({}, BalanceSettings{}, {}, 0.0);
    ASSERT_TRUE(std::holds_alternative<NoBalance>(empty));
    EXPECT_EQ(std::get<NoBalance>(empty), NoBalance::NoWing);
}

TEST(AssembleBalance, SlopesPerSurfaceRangeAndTypedCg)
{
    // Wing 40 rows x 40 columns, tail 16 x 20 at one unit a pixel: 1600 and 320.
    BalanceSettings settings = Roles();
    settings.roles[kYellow] = SurfaceRole::Other;
    settings.marginLow = 5.0;
    settings.marginHigh = 20.0;
    settings.typedCgX = 110.0;
    std::vector<SurfaceBalance> surfaces = LiftingSurfaces(Picture(), settings, {});
    ASSERT_EQ(surfaces.size(), 2u);

    LatticeResult lattice;
    lattice.clAlpha = 3.0;
    lattice.liftShare = {0.9, 0.1};
    lattice.neutralPointX = 120.0;
    lattice.panels = 123;
    const Balance b = AssembleBalance(std::move(surfaces), lattice, settings, 0.2);

    EXPECT_EQ(b.neutralPointX, 120.0);
    EXPECT_EQ(b.clAlpha, 3.0);
    EXPECT_EQ(b.panels, 123);
    // Each share put on the surface's own area: 3 * 0.9 = 2.7 for the wing,
    // 3 * 0.1 * 1600 / 320 = 1.5 for the tail.
    EXPECT_DOUBLE_EQ(b.wing().clAlpha, 2.7);
    EXPECT_DOUBLE_EQ(b.surfaces[1].clAlpha, 1.5);
    EXPECT_DOUBLE_EQ(b.surfaces[1].liftShare, 0.1);

    // MAC 40 from x 100, root leading edge 100: forward 120 - 8 = 112,
    // aft 120 - 2 = 118; a C.G. at 110 has (120 - 110) / 40 = 25 %.
    EXPECT_EQ(b.marginLow, 5.0);
    EXPECT_EQ(b.marginHigh, 20.0);
    EXPECT_DOUBLE_EQ(b.range.forwardX, 112.0);
    EXPECT_DOUBLE_EQ(b.range.aftX, 118.0);
    EXPECT_DOUBLE_EQ(b.range.forwardBehindRootLead, 12.0);
    EXPECT_EQ(b.typedCgX, 110.0);
    ASSERT_TRUE(b.typedCgMargin.has_value());
    EXPECT_DOUBLE_EQ(*b.typedCgMargin, 25.0);

    // The estimate sees the tail: behind the wing's quarter MAC at 110.
    ASSERT_EQ(b.estimate.clAlpha.size(), 1u);
    EXPECT_GT(b.estimate.neutralPointX, 110.0);
}

TEST(AssembleBalance, NoTypedCgNoMargin)
{
    std::vector<SurfaceBalance> surfaces = LiftingSurfaces(Picture(), Roles(), {});
    LatticeResult lattice;
    lattice.clAlpha = 3.0;
    lattice.liftShare = {0.8, 0.1, 0.1};
    const Balance b = AssembleBalance(std::move(surfaces), lattice, Roles(), 0.0);
    EXPECT_FALSE(b.typedCgMargin.has_value());
    EXPECT_EQ(b.estimate.clAlpha.size(), 2u);
}

} // namespace
} // namespace centrafix::aero
