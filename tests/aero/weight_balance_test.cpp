#include "aero/weight_balance.h"

#include <gtest/gtest.h>

namespace centrafix::aero {
namespace {

// Neutral point 400, MAC 200, margins 5 to 15 %: the range is 370 to 390,
// its middle 380. The aircraft reaches from 0 to 900.
BalanceFrame Frame()
{
    BalanceFrame frame;
    frame.neutralPointX = 400.0;
    frame.mac = 200.0;
    frame.range = RangeOfCg(400.0, 200.0, 0.0, 5.0, 15.0);
    frame.frontX = 0.0;
    frame.aftX = 900.0;
    return frame;
}

// Motor 300 at 100, battery 200 at 250, wing 400 at 420, tail 100 at 900:
// M = 1000, moment = 30000 + 50000 + 168000 + 90000 = 338000, C.G. 338,
// static margin (400 - 338) / 200 = 31 %: nose-heavy.
MassList NoseHeavy()
{
    return {{"motor", 300.0, 100.0}, {"battery", 200.0, 250.0}, {"wing", 400.0, 420.0}, {"tail", 100.0, 900.0}};
}

TEST(WeighBalance, CentreOfGravityAndMarginByHand)
{
    const std::optional<WeightBalance> w = WeighBalance(NoseHeavy(), {}, Frame());
    ASSERT_TRUE(w);
    EXPECT_DOUBLE_EQ(w->totalMass, 1000.0);
    EXPECT_DOUBLE_EQ(w->cgX, 338.0);
    EXPECT_DOUBLE_EQ(w->staticMargin, 31.0);
    EXPECT_FALSE(w->inside);
    EXPECT_DOUBLE_EQ(w->targetX, 380.0);
}

TEST(WeighBalance, InsideTheRangeIncludingItsEndsNeedsNoAdvice)
{
    // 600 at 370 and 400 at 370: exactly on the forward limit.
    for (const MassList& items : {MassList{{"a", 600.0, 370.0}, {"b", 400.0, 370.0}},
                                  MassList{{"a", 1.0, 390.0}}, MassList{{"a", 1.0, 380.0}}}) {
        const std::optional<WeightBalance> w = WeighBalance(items, {1, 5.0}, Frame());
        ASSERT_TRUE(w);
        EXPECT_TRUE(w->inside) << w->cgX;
        EXPECT_EQ(w->advice.kind, AdviceKind::None);
    }
    // Just outside either end.
    EXPECT_FALSE(WeighBalance({{"a", 1.0, 369.999}}, {}, Frame())->inside);
    EXPECT_FALSE(WeighBalance({{"a", 1.0, 390.001}}, {}, Frame())->inside);
}

TEST(WeighBalance, MovingTheChosenItemReachesTheMiddleOfTheRange)
{
    // Battery: shift = (380 - 338) * 1000 / 200 = 210, to 250 + 210 = 460.
    // Check: 338000 + 200 * 210 = 380000, over 1000 is 380.
    const WeightAdvice a = WeighBalance(NoseHeavy(), {1, std::nullopt}, Frame())->advice;
    EXPECT_EQ(a.kind, AdviceKind::MoveItem);
    EXPECT_EQ(a.item, 1);
    EXPECT_DOUBLE_EQ(a.shift, 210.0);
    EXPECT_DOUBLE_EQ(a.x, 460.0);
    EXPECT_DOUBLE_EQ(a.cgX, 380.0);

    // Tail-heavy (one item 1000 at 395) with the motor moved forward:
    // items 800 at 400 and 200 at 375: cg = (320000 + 75000) / 1000 = 395;
    // shift = (380 - 395) * 1000 / 200 = -75, to 300.
    const WeightAdvice back = WeighBalance({{"wing", 800.0, 400.0}, {"motor", 200.0, 375.0}}, {1, 0.0}, Frame())->advice;
    EXPECT_EQ(back.kind, AdviceKind::MoveItem);
    EXPECT_DOUBLE_EQ(back.shift, -75.0);
    EXPECT_DOUBLE_EQ(back.x, 300.0);
}

TEST(WeighBalance, BallastOnTheSideThatHelps)
{
    // Nose-heavy, no position named: at the tail end 900.
    // b = 1000 * (380 - 338) / (900 - 380) = 42000 / 520 = 80.7692...;
    // check: (338000 + 80.7692 * 900) / 1080.7692 = 380.
    const WeightAdvice aft = WeighBalance(NoseHeavy(), {}, Frame())->advice;
    EXPECT_EQ(aft.kind, AdviceKind::Ballast);
    EXPECT_DOUBLE_EQ(aft.x, 900.0);
    EXPECT_NEAR(aft.ballastMass, 42000.0 / 520.0, 1e-9);
    EXPECT_NEAR((338000.0 + aft.ballastMass * aft.x) / (1000.0 + aft.ballastMass), 380.0, 1e-9);
    EXPECT_DOUBLE_EQ(aft.cgX, 380.0);

    // Tail-heavy (1000 at 395), no position: at the nose 0.
    // b = 1000 * (380 - 395) / (0 - 380) = 15000 / 380 = 39.47...
    const WeightAdvice front = WeighBalance({{"all", 1000.0, 395.0}}, {}, Frame())->advice;
    EXPECT_EQ(front.kind, AdviceKind::Ballast);
    EXPECT_DOUBLE_EQ(front.x, 0.0);
    EXPECT_NEAR(front.ballastMass, 15000.0 / 380.0, 1e-9);

    // A position the user chose: 600 for the nose-heavy one,
    // b = 1000 * 42 / (600 - 380) = 190.909...
    const WeightAdvice chosen = WeighBalance(NoseHeavy(), {-1, 600.0}, Frame())->advice;
    EXPECT_EQ(chosen.kind, AdviceKind::Ballast);
    EXPECT_DOUBLE_EQ(chosen.x, 600.0);
    EXPECT_NEAR(chosen.ballastMass, 42000.0 / 220.0, 1e-9);
}

TEST(WeighBalance, BallastOnTheWrongSideOrOnTheTargetCannotHelp)
{
    for (double x : {200.0, 380.0, 379.0}) {
        const WeightAdvice a = WeighBalance(NoseHeavy(), {-1, x}, Frame())->advice;
        EXPECT_EQ(a.kind, AdviceKind::BallastCannotHelp) << x;
        EXPECT_DOUBLE_EQ(a.x, x);
        EXPECT_EQ(a.ballastMass, 0.0);
    }
    // An aircraft that reaches no further aft than the target: nowhere to put it.
    BalanceFrame short_ = Frame();
    short_.aftX = 375.0;
    EXPECT_EQ(WeighBalance(NoseHeavy(), {}, short_)->advice.kind, AdviceKind::BallastCannotHelp);
}

TEST(WeighBalance, AnItemWithoutMassCannotBeMovedAndAnUnknownOneMeansBallast)
{
    MassList items = NoseHeavy();
    items.push_back({"servo", 0.0, 500.0});
    EXPECT_EQ(WeighBalance(items, {4, std::nullopt}, Frame())->advice.kind, AdviceKind::ItemCannotHelp);
    EXPECT_EQ(WeighBalance(items, {4, std::nullopt}, Frame())->advice.item, 4);
    EXPECT_EQ(WeighBalance(items, {5, std::nullopt}, Frame())->advice.kind, AdviceKind::Ballast);
}

TEST(WeighBalance, NothingToWeigh)
{
    EXPECT_FALSE(WeighBalance({}, {}, Frame()));
    EXPECT_FALSE(WeighBalance({{"a", 0.0, 10.0}, {"b", 0.0, 20.0}}, {}, Frame()));
}

TEST(FrameOf, TheAircraftReachesOverItsSurfacesAndItems)
{
    Balance balance;
    SurfaceBalance wing;
    wing.geometry.mac = 50.0;
    // Columns 10 to 30 and 12 to 28; a row without chord is no extent.
    wing.outline.rows = {{10.0, 30.0}, {12.0, 28.0}, {0.0, 0.0}};
    SurfaceBalance tail;
    tail.outline.rows = {{70.0, 80.0}};
    balance.surfaces = {wing, tail};
    balance.neutralPointX = 42.0;
    balance.range = RangeOfCg(42.0, 50.0, 0.0, 5.0, 15.0);
    // Scale 2, origin at x 5: columns 10 .. 80 are x 15 .. 155.
    const PlanformScale scale{2.0, 5.0, 0.0};
    const BalanceFrame frame = FrameOf(balance, {{"nose", 1.0, 3.0}}, scale);
    EXPECT_DOUBLE_EQ(frame.neutralPointX, 42.0);
    EXPECT_DOUBLE_EQ(frame.mac, 50.0);
    EXPECT_DOUBLE_EQ(frame.range.aftX, balance.range.aftX);
    EXPECT_DOUBLE_EQ(frame.frontX, 3.0);
    EXPECT_DOUBLE_EQ(frame.aftX, 155.0);
    // An item behind the tail reaches further.
    EXPECT_DOUBLE_EQ(FrameOf(balance, {{"skid", 1.0, 170.0}}, scale).aftX, 170.0);
    EXPECT_DOUBLE_EQ(FrameOf(balance, {{"skid", 1.0, 170.0}}, scale).frontX, 15.0);
}

} // namespace
} // namespace centrafix::aero
