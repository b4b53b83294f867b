#include "engine/balance_fields.h"

#include <gtest/gtest.h>

namespace centrafix {
namespace {

using aero::SurfaceRole;

TEST(BalanceFields, RolesAreKnownByTheirEnglishKeysAndGermanNamesInAnyCase)
{
    EXPECT_EQ(ParseRole("wing"), SurfaceRole::Wing);
    EXPECT_EQ(ParseRole(" Tail "), SurfaceRole::Tail);
    EXPECT_EQ(ParseRole("TAILPLANE"), SurfaceRole::Tail);
    EXPECT_EQ(ParseRole("FLÜGEL"), SurfaceRole::Wing);
    EXPECT_EQ(ParseRole("Höhenleitwerk"), SurfaceRole::Tail);
    EXPECT_EQ(ParseRole("Ente"), SurfaceRole::Canard);
    EXPECT_EQ(ParseRole("rumpf"), SurfaceRole::Fuselage);
    EXPECT_EQ(ParseRole("andere"), SurfaceRole::Other);
    EXPECT_FALSE(ParseRole("wings"));
    EXPECT_FALSE(ParseRole(""));
    for (const SurfaceRole role :
         {SurfaceRole::Wing, SurfaceRole::Tail, SurfaceRole::Canard, SurfaceRole::Fuselage, SurfaceRole::Other}) {
        EXPECT_EQ(ParseRole(RoleKey(role)), role);
        EXPECT_EQ(ParseRole(Tr(RoleName(role), kGerman)), role);
        EXPECT_EQ(ParseRole(Tr(RoleName(role), kEnglish)), role);
    }
}

TEST(BalanceFields, MarginsMustLieInTheirRangeLowNotAboveHigh)
{
    const auto margins = ReadStaticMargins("5", "15", ".");
    ASSERT_TRUE(margins);
    EXPECT_EQ(margins->first, 5.0);
    EXPECT_EQ(margins->second, 15.0);
    EXPECT_TRUE(ReadStaticMargins("-50", "100", "."));
    EXPECT_TRUE(ReadStaticMargins("10", "10", "."));
    EXPECT_TRUE(ReadStaticMargins("2,5", "12", ","));

    const auto swapped = ReadStaticMargins("15", "5", ".");
    ASSERT_FALSE(swapped);
    EXPECT_EQ(ErrorText(swapped.error(), kEnglish),
              "Static margin [% MAC] \"15,5\" has its lower value 15 above the upper 5");
    const auto below = ReadStaticMargins("-50.5", "10", ".");
    ASSERT_FALSE(below);
    EXPECT_NE(ErrorText(below.error(), kGerman).find("liegt nicht zwischen -50 und 100"), std::string::npos);
    EXPECT_FALSE(ReadStaticMargins("5", "100.01", "."));
    EXPECT_FALSE(ReadStaticMargins("5", "abc", "."));
    EXPECT_FALSE(ReadStaticMargins("1/0", "10", "."));
}

TEST(BalanceFields, EfficiencyAboveZeroAtMostTwoHeightsAndPositionsFinite)
{
    EXPECT_EQ(*ReadTailEfficiency("0.9", "."), 0.9);
    EXPECT_EQ(*ReadTailEfficiency("2", "."), 2.0);
    EXPECT_FALSE(ReadTailEfficiency("0", "."));
    EXPECT_FALSE(ReadTailEfficiency("2.01", "."));
    EXPECT_FALSE(ReadTailEfficiency("nan", "."));
    EXPECT_EQ(*ReadHeight("-0.12", "."), -0.12);
    EXPECT_EQ(ReadHeight("sqrt(-1)", ".").error().field, Field::Height);
    EXPECT_EQ(*ReadCgPosition("1/4", "."), 0.25);
    EXPECT_FALSE(ReadCgPosition("1e999", "."));
}

} // namespace
} // namespace centrafix
