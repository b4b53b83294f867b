#include "aero/vortex_lattice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace centrafix::aero {
namespace {

constexpr double kPi = std::numbers::pi;
// 400 rows of 0.005: a span of 2 in the user's units.
constexpr int kRows = 400;
constexpr double kScale = 0.005;
const PlanformScale kPlanform{kScale, 0.0, 0.0};

// An outline of `rows` rows from its edges (pixel columns) as a function of
// eta, the row centre's place across the span from -1 to 1.
Outline MakeOutline(int rows, const std::function<OutlineRow(double)>& edges, int firstRow = 0)
{
    Outline outline{firstRow, {}};
    for (int r = 0; r < rows; ++r)
        outline.rows.push_back(edges(-1.0 + (r + 0.5) * 2.0 / rows));
    return outline;
}

double Area(const Outline& outline)
{
    double area = 0.0;
    for (const auto& row : outline.rows)
        area += (row.trail - row.lead) * kScale * kScale;
    return area;
}

// A rectangle of aspect ratio `a`, leading edge at x = 0.5.
Outline Rectangle(double a)
{
    return MakeOutline(kRows, [a](double) { return OutlineRow{100.0, 100.0 + kRows / a}; });
}

LatticeResult Solve(const std::vector<LatticeSurface>& surfaces, double mach = 0.0, LatticeDensity density = {})
{
    const auto result = SolveLattice(surfaces, kPlanform, Area(*surfaces.front().outline), mach, density);
    EXPECT_TRUE(result.has_value());
    return result.value_or(LatticeResult{});
}

// Helmbold's lift slope of a straight wing, 2 pi A / (2 + sqrt(A^2 beta^2 +
// 4)) (H. B. Helmbold, Der unverwundene Ellipsenfluegel als tragende
// Wirbelflaeche, Jahrbuch der deutschen Luftfahrtforschung 1942; with beta
// as in USAF DATCOM 4.1.3.2), a closed form of lifting-surface theory.
double Helmbold(double a, double mach = 0.0)
{
    const double beta = std::sqrt(1.0 - mach * mach);
    return 2.0 * kPi * a / (2.0 + std::sqrt(a * a * beta * beta + 4.0));
}

TEST(VortexLattice, RectangularWingsAgainstLiftingSurfaceTheory)
{
    // Lift slope within 3 % of Jones's edge-corrected lifting line (see
    // below; E = 1 + 1/A for a rectangle); the neutral point a little
    // ahead of the quarter chord, the more so the smaller the aspect ratio
    // (lifting-surface theory puts a rectangle of A = 2 near 0.21 c).
    double lastQuarter = 0.0;
    for (double a : {2.0, 4.0, 6.0}) {
        SCOPED_TRACE(a);
        const Outline wing = Rectangle(a);
        const LatticeResult r = Solve({{&wing, 0.0}});
        const double jones = 2.0 * kPi * a / ((1.0 + 1.0 / a) * a + 2.0);
        EXPECT_NEAR(r.clAlpha, jones, 0.03 * jones);
        const double chord = kRows / a * kScale;
        const double npOfChord = (r.neutralPointX - 0.5) / chord;
        EXPECT_GT(npOfChord, 0.19);
        EXPECT_LT(npOfChord, 0.25);
        EXPECT_GT(npOfChord, lastQuarter);
        lastQuarter = npOfChord;
        ASSERT_EQ(r.liftShare.size(), 1u);
        EXPECT_DOUBLE_EQ(r.liftShare[0], 1.0);
    }
}

TEST(VortexLattice, LargeAspectRatioTendsToTwoPiAndTheQuarterChord)
{
    // Jones's edge correction of lifting-line theory, 2 pi A / (E A + 2)
    // with E the semi-perimeter over the span (R. T. Jones, NACA TN 817,
    // 1941): for a rectangle of A = 20, E = 1.05, 5.46 per radian.
    const Outline wing = Rectangle(20.0);
    const LatticeResult r = Solve({{&wing, 0.0}});
    EXPECT_NEAR(r.clAlpha, 2.0 * kPi * 20.0 / (1.05 * 20.0 + 2.0), 0.02 * 5.46);
    EXPECT_NEAR(r.neutralPointX, 0.5 + 0.25 * 0.1, 0.005 * 0.1);
}

TEST(VortexLattice, EllipticWingApproachesLiftingLine)
{
    // Lifting line, 2 pi A / (A + 2), for an elliptic wing of A = 20 with a
    // straight quarter-chord line at x = 1 (so the neutral point is there).
    const double a = 20.0;
    const double rootChord = 4.0 * kRows / (kPi * a);
    const Outline wing = MakeOutline(kRows, [rootChord](double eta) {
        const double c = rootChord * std::sqrt(1.0 - eta * eta);
        return OutlineRow{200.0 - 0.25 * c, 200.0 + 0.75 * c};
    });
    const LatticeResult r = Solve({{&wing, 0.0}});
    const double liftingLine = 2.0 * kPi * a / (a + 2.0);
    EXPECT_NEAR(r.clAlpha, liftingLine, 0.03 * liftingLine);
    EXPECT_LT(r.clAlpha, liftingLine); // the chord's own effect lowers it
    EXPECT_NEAR(r.neutralPointX, 1.0, 0.005 * rootChord * kScale);
}

// 45 degrees swept back, untapered, aspect ratio 5.
Outline SweptWing()
{
    return MakeOutline(kRows, [](double eta) {
        const double lead = 100.0 + std::abs(eta) * kRows / 2.0;
        return OutlineRow{lead, lead + kRows / 5.0};
    });
}

TEST(VortexLattice, SweptWingAgainstWeberAndBrebner)
{
    // Measured 3.25 per radian (J. Weber, G. G. Brebner, Low-speed tests on
    // 45-deg sweptback wings, ARC R&M 2882, 1951).
    const Outline wing = SweptWing();
    const LatticeResult r = Solve({{&wing, 0.0}});
    EXPECT_NEAR(r.clAlpha, 3.25, 0.05 * 3.25);
    // Sweep puts the neutral point well behind the root's quarter chord.
    EXPECT_GT(r.neutralPointX, 0.5 + 0.1 + 0.3);
}

TEST(VortexLattice, StripsFollowTheOutlineBetweenRowCentres)
{
    // The same swept wing drawn with 40 rows instead of 400: between row
    // centres the strips follow the outline's straight pieces, so the
    // coarse drawing gives the same result (the root's kink is only
    // rounded over one row).
    const Outline swept = SweptWing();
    const LatticeResult fine = Solve({{&swept, 0.0}});
    const int rows = 40;
    const double scale = 2.0 / rows;
    Outline coarse{0, {}};
    double area = 0.0;
    for (int r = 0; r < rows; ++r) {
        const double lead = (0.5 + std::abs(-1.0 + (r + 0.5) * 2.0 / rows)) / scale;
        coarse.rows.push_back({lead, lead + 0.4 / scale});
        area += 0.4 * scale;
    }
    const auto r = SolveLattice({{&coarse, 0.0}}, {scale, 0.0, 0.0}, area, 0.0);
    ASSERT_TRUE(r.has_value());
    EXPECT_NEAR(r->clAlpha, fine.clAlpha, 0.01 * fine.clAlpha);
    EXPECT_NEAR(r->neutralPointX, fine.neutralPointX, 0.005 * 0.4);
}

// A tapered wing (2:1) and a tail of a third of its span far behind it,
// like the built-in example; the tail's chord scaled by `tailSize`.
struct WingAndTail {
    Outline wing = MakeOutline(kRows, [](double eta) {
        const double c = 100.0 - 50.0 * std::abs(eta);
        return OutlineRow{125.0 - 0.25 * c, 125.0 + 0.75 * c};
    });
    Outline tail;
    double mac = 7.0 / 9.0 * 0.5; // 2/3 c_r (1 + l + l^2) / (1 + l), l = 1/2
    explicit WingAndTail(double tailSize = 1.0, int tailFirstRow = 130, int tailRows = 140)
        : tail(MakeOutline(
              tailRows,
              [tailSize](double eta) {
                  const double c = tailSize * (40.0 - 15.0 * std::abs(eta));
                  return OutlineRow{510.0 - 0.25 * c, 510.0 + 0.75 * c};
              },
              tailFirstRow))
    {}
};

TEST(VortexLattice, DoublingTheLatticeMovesTheNeutralPointLittle)
{
    const WingAndTail plane;
    const Outline swept = SweptWing();
    struct Case {
        std::vector<LatticeSurface> surfaces;
        double mac;
        double mach;
    };
    for (const Case& c : {Case{{{&plane.wing, 0.0}, {&plane.tail, 0.0}}, plane.mac, 0.0},
                          Case{{{&plane.wing, 0.0}, {&plane.tail, 0.0}}, plane.mac, 0.6},
                          Case{{{&swept, 0.0}}, kRows / 5.0 * kScale, 0.0}}) {
        const LatticeResult standard = Solve(c.surfaces, c.mach);
        const LatticeResult doubled = Solve(c.surfaces, c.mach, {160, 8});
        EXPECT_EQ(doubled.panels, 4 * standard.panels);
        EXPECT_LT(std::abs(doubled.neutralPointX - standard.neutralPointX), 0.003 * c.mac);
    }
}

TEST(VortexLattice, GoethertScalesLikeHelmbold)
{
    // The stretched planform's lift follows Helmbold's compressible form;
    // at large aspect ratio that tends to 1 / beta.
    for (double a : {6.0, 20.0}) {
        SCOPED_TRACE(a);
        const Outline wing = Rectangle(a);
        const LatticeResult low = Solve({{&wing, 0.0}});
        const LatticeResult fast = Solve({{&wing, 0.0}}, 0.6);
        EXPECT_NEAR(fast.clAlpha / low.clAlpha, Helmbold(a, 0.6) / Helmbold(a), 0.02);
        // Positions map back: the neutral point stays near the quarter chord.
        EXPECT_NEAR(fast.neutralPointX, low.neutralPointX, 0.01 * kRows / a * kScale);
    }
}

TEST(VortexLattice, NoResultWithoutAreaOrAtHighMach)
{
    const Outline wing = Rectangle(6.0);
    EXPECT_FALSE(SolveLattice({{&wing, 0.0}}, kPlanform, Area(wing), kLatticeMachLimit).has_value());
    EXPECT_FALSE(SolveLattice({{&wing, 0.0}}, kPlanform, Area(wing), std::nan("")).has_value());
    EXPECT_TRUE(SolveLattice({{&wing, 0.0}}, kPlanform, Area(wing), 0.94).has_value());
    EXPECT_FALSE(SolveLattice({{&wing, 0.0}}, kPlanform, 0.0, 0.0).has_value());
    EXPECT_FALSE(SolveLattice({}, kPlanform, 1.0, 0.0).has_value());
    const Outline flat = MakeOutline(10, [](double) { return OutlineRow{50.0, 50.0}; });
    EXPECT_FALSE(SolveLattice({{&flat, 0.0}}, kPlanform, 1.0, 0.0).has_value());
}

TEST(VortexLattice, TailTakesAShareAndMovesTheNeutralPointAft)
{
    const WingAndTail small(1.0);
    const WingAndTail large(1.5);
    const Outline& wing = small.wing;
    const LatticeResult alone = Solve({{&wing, 0.0}});
    const LatticeResult withSmall = Solve({{&small.wing, 0.0}, {&small.tail, 0.0}});
    const LatticeResult withLarge = Solve({{&large.wing, 0.0}, {&large.tail, 0.0}});
    ASSERT_EQ(withSmall.liftShare.size(), 2u);
    EXPECT_NEAR(withSmall.liftShare[0] + withSmall.liftShare[1], 1.0, 1e-12);
    // The tail has 13 % of the wing's area but flies in its downwash.
    EXPECT_GT(withSmall.liftShare[1], 0.03);
    EXPECT_LT(withSmall.liftShare[1], 0.13);
    EXPECT_GT(withLarge.liftShare[1], withSmall.liftShare[1]);
    EXPECT_GT(withSmall.neutralPointX, alone.neutralPointX + 0.05);
    EXPECT_GT(withLarge.neutralPointX, withSmall.neutralPointX + 0.02);
    // 80 wing strips, the tail 2 x 80 x 140 / 400 = 56, four panels each.
    EXPECT_EQ(withSmall.panels, (80 + 56) * 4);
}

TEST(VortexLattice, TailOnAWingTrailingLegStaysFinite)
{
    // A wing tapering from one tip to the other, so its strips at the middle
    // carry different loads and the leg between them is strong. With 80
    // strips one wing leg lies at row 200; the 138-row tail below gets 55
    // strips, so its middle control point lies on that leg too.
    const Outline wing = MakeOutline(kRows, [](double eta) { return OutlineRow{100.0, 200.0 - 40.0 * eta}; });
    const auto tailAt = [](int firstRow) {
        return MakeOutline(
            138,
            [](double) {
                return OutlineRow{500.0, 530.0};
            },
            firstRow);
    };
    const Outline onLeg = tailAt(131);
    const Outline beside = tailAt(132);
    const LatticeResult r = Solve({{&wing, 0.0}, {&onLeg, 0.0}}, 0.0, {80, 4});
    const LatticeResult shifted = Solve({{&wing, 0.0}, {&beside, 0.0}}, 0.0, {80, 4});
    const LatticeResult raised = Solve({{&wing, 0.0}, {&onLeg, 0.02}}, 0.0, {80, 4});
    for (const LatticeResult* x : {&r, &shifted, &raised}) {
        EXPECT_TRUE(std::isfinite(x->clAlpha));
        EXPECT_TRUE(std::isfinite(x->neutralPointX));
    }
    EXPECT_NEAR(r.liftShare[1], shifted.liftShare[1], 0.02 * shifted.liftShare[1]);
    EXPECT_NEAR(r.liftShare[1], raised.liftShare[1], 0.05 * raised.liftShare[1]);
    EXPECT_NEAR(r.neutralPointX, shifted.neutralPointX, 0.005);
}

TEST(VortexLattice, TailAboveTheWingPlane)
{
    // Out of the wake's plane the tail sees less downwash: more share.
    const WingAndTail plane;
    const LatticeResult inPlane = Solve({{&plane.wing, 0.0}, {&plane.tail, 0.0}});
    const LatticeResult above = Solve({{&plane.wing, 0.0}, {&plane.tail, 0.3}});
    EXPECT_TRUE(std::isfinite(above.neutralPointX));
    EXPECT_GT(above.liftShare[1], inPlane.liftShare[1]);
    EXPECT_GT(above.neutralPointX, inPlane.neutralPointX);
}

TEST(VortexLattice, OneRowSurfacesAndGapsGiveFiniteNumbers)
{
    // A tail of a single row, and a wing whose middle rows have no chord
    // (two halves drawn apart): finite, and the gap carries no panels.
    const Outline wing = Rectangle(6.0);
    const Outline oneRow = MakeOutline(
        1,
        [](double) {
            return OutlineRow{500.0, 520.0};
        },
        200);
    const LatticeResult r = Solve({{&wing, 0.0}, {&oneRow, 0.0}});
    EXPECT_TRUE(std::isfinite(r.clAlpha));
    EXPECT_GT(r.liftShare[1], 0.0);
    EXPECT_LT(r.liftShare[1], 0.01);

    const Outline split = MakeOutline(kRows, [](double eta) {
        return std::abs(eta) < 0.3 ? OutlineRow{100.0, 100.0} : OutlineRow{100.0, 166.0};
    });
    const LatticeResult halves = Solve({{&split, 0.0}});
    EXPECT_TRUE(std::isfinite(halves.clAlpha));
    EXPECT_TRUE(std::isfinite(halves.neutralPointX));
    EXPECT_LT(halves.panels, Solve({{&wing, 0.0}}).panels);
    EXPECT_GT(halves.clAlpha, 0.5);
}

} // namespace
} // namespace centrafix::aero
