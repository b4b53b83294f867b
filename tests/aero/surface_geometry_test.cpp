#include "aero/surface_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace centrafix::aero {
namespace {

constexpr double kPi = std::numbers::pi;

// A planform rasterised as a paint program would: `rows` rows, and for the
// distance d (in rows) of a row's centre from the middle of the span the
// leading and trailing edge in columns, rounded to whole pixels.
struct Edges {
    double lead;
    double trail;
};
Outline Rasterise(int rows, const std::function<Edges(double)>& edgesAt)
{
    Outline outline;
    outline.firstRow = 40; // anywhere in the picture
    for (int i = 0; i < rows; ++i) {
        const Edges e = edgesAt(std::abs(i + 0.5 - rows / 2.0));
        outline.rows.push_back({std::round(e.lead), std::round(e.trail)});
    }
    return outline;
}

// Rounding moves each edge by at most half a pixel, so a chord by at most
// one, and a weighted mean of chords or of row distances by as much: these
// are the tolerances the pixels explain (in pixels and rows).
constexpr double kOnePixel = 1.0;

TEST(MeasureSurface, Rectangle)
{
    // 300 rows of 400 columns at 0.01 units a pixel, origin at (1, 2).
    const PlanformScale scale{0.01, 1.0, 2.0};
    const SurfaceGeometry g = MeasureSurface(Rasterise(300, [](double) { return Edges{100, 500}; }), scale);
    EXPECT_DOUBLE_EQ(g.area, 3.0 * 4.0);
    EXPECT_DOUBLE_EQ(g.span, 3.0);
    EXPECT_DOUBLE_EQ(g.aspectRatio, 0.75);
    EXPECT_DOUBLE_EQ(g.mac, 4.0);
    EXPECT_NEAR(g.macLeadX, 0.0, 1e-12);   // column 100 is x = 1 - 1
    EXPECT_NEAR(g.middleY, -0.1, 1e-12);   // rows 40 to 339 meet at row edge 190: 1.9 - 2
    EXPECT_NEAR(g.macY, 3.0 / 4.0, 1e-12); // a quarter of the span from the middle
    EXPECT_NEAR(g.rootLeadX, 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(g.sweepQuarterDeg, 0.0);
    EXPECT_DOUBLE_EQ(g.sweepHalfDeg, 0.0);
}

TEST(MeasureSurface, TrapezoidAgainstItsClosedForm)
{
    // Root chord 400 columns, taper 0.4, span 400 rows, straight leading edge.
    const double root = 400.0, taper = 0.4, span = 400.0;
    const SurfaceGeometry g = MeasureSurface(Rasterise(400,
                                                       [&](double d) {
                                                           const double c = root * (1 - (1 - taper) * d / (span / 2));
                                                           return Edges{100, 100 + c};
                                                       }),
                                             {});
    // MAC = 2/3 c_r (1 + l + l^2) / (1 + l) = 297.142857...
    const double mac = 2.0 / 3.0 * root * (1 + taper + taper * taper) / (1 + taper);
    // station = b/6 (1 + 2 l) / (1 + l) = 85.714285... rows from the middle
    const double station = span / 6.0 * (1 + 2 * taper) / (1 + taper);
    EXPECT_NEAR(g.mac, mac, kOnePixel);
    EXPECT_NEAR(g.macY, station, kOnePixel);
    EXPECT_NEAR(g.area, span * root * (1 + taper) / 2, span * kOnePixel);
    EXPECT_NEAR(g.aspectRatio, span * span / (span * root * (1 + taper) / 2), 0.01);
    EXPECT_DOUBLE_EQ(g.macLeadX, 100.0);
    // A straight leading edge, so tan L_c/4 = -4/A (1/4) (1 - l)/(1 + l) =
    // -0.3 with A = 1/0.7: the quarter-chord line sweeps forward 16.7 degrees.
    EXPECT_NEAR(g.sweepQuarterDeg, std::atan(-0.3) * 180 / kPi, 0.1);
}

TEST(MeasureSurface, EllipseWhoseMacIsNotTheChordAtItsCentroid)
{
    // Root chord 400 columns, span 600 rows, straight quarter-chord line at
    // column 500.
    const double root = 400.0, semiSpan = 300.0;
    const SurfaceGeometry g = MeasureSurface(Rasterise(600,
                                                       [&](double d) {
                                                           const double c =
                                                               root * std::sqrt(1 - std::pow(d / semiSpan, 2));
                                                           return Edges{500 - c / 4, 500 + 3 * c / 4};
                                                       }),
                                             {});
    // MAC = 8 c_r / (3 pi) = 339.53 columns; station = 4/(3 pi) of the half
    // span = 127.32 rows, where the chord is 362.2, not the MAC.
    const double mac = 8 * root / (3 * kPi);
    const double station = 4 * semiSpan / (3 * kPi);
    EXPECT_NEAR(g.mac, mac, kOnePixel);
    EXPECT_NEAR(g.macY, station, kOnePixel);
    EXPECT_GT(root * std::sqrt(1 - std::pow(g.macY / semiSpan, 2)) - g.mac, 20.0);
    EXPECT_NEAR(g.area, kPi / 4 * root * 2 * semiSpan, 2 * semiSpan * kOnePixel);
    // The chord-weighted leading edge of a straight quarter-chord line lies a
    // quarter MAC ahead of it.
    EXPECT_NEAR(g.macLeadX + g.mac / 4, 500.0, 0.5);
    EXPECT_NEAR(g.sweepQuarterDeg, 0.0, 0.1);
}

TEST(MeasureSurface, SweepOfAStraightTaperedSweptWing)
{
    // Quarter-chord sweep 30 degrees, root chord 200 columns, taper 0.5,
    // span 400 rows, one pixel a unit.
    const double root = 200.0, taper = 0.5, span = 400.0;
    const double tanQuarter = std::tan(30.0 * kPi / 180.0);
    const SurfaceGeometry g = MeasureSurface(Rasterise(400,
                                                       [&](double d) {
                                                           const double c = root * (1 - (1 - taper) * d / (span / 2));
                                                           const double lead = 300 + d * tanQuarter - c / 4;
                                                           return Edges{lead, lead + c};
                                                       }),
                                             {});
    EXPECT_NEAR(g.sweepQuarterDeg, 30.0, 0.1);
    // Chord lines of a straight-tapered wing: tan L_c/2 = tan L_c/4 -
    // 4/A (1/4) (1 - l)/(1 + l), A = b^2 / S = 400^2 / 60000 = 8/3, so
    // L_c/2 = 24.34 degrees.
    const double aspect = span * span / (span * root * (1 + taper) / 2);
    const double tanHalf = tanQuarter - 4 / aspect * 0.25 * (1 - taper) / (1 + taper);
    EXPECT_NEAR(g.sweepHalfDeg, std::atan(tanHalf) * 180 / kPi, 0.1);
    // The root leading edge: the two middle rows, half a row from the middle.
    EXPECT_NEAR(g.rootLeadX, 300 - root / 4, kOnePixel);
}

TEST(MeasureSurface, OneRowAndNoChordGiveNumbersNotNaN)
{
    Outline one;
    one.firstRow = 7;
    one.rows = {{10, 30}};
    const SurfaceGeometry g = MeasureSurface(one, {2.0, 0.0, 0.0});
    EXPECT_DOUBLE_EQ(g.area, 80.0);
    EXPECT_DOUBLE_EQ(g.span, 2.0);
    EXPECT_DOUBLE_EQ(g.aspectRatio, 4.0 / 80.0);
    EXPECT_DOUBLE_EQ(g.mac, 40.0);
    EXPECT_DOUBLE_EQ(g.macLeadX, 20.0);
    EXPECT_DOUBLE_EQ(g.middleY, 15.0);
    EXPECT_DOUBLE_EQ(g.macY, 0.0);
    EXPECT_DOUBLE_EQ(g.sweepQuarterDeg, 0.0);
    EXPECT_DOUBLE_EQ(g.sweepHalfDeg, 0.0);
    EXPECT_DOUBLE_EQ(g.rootLeadX, 20.0);

    Outline none;
    none.rows = {{10, 10}, {12, 11}, {14, 14}};
    const SurfaceGeometry zero = MeasureSurface(none, {});
    EXPECT_EQ(zero.area, 0.0);
    EXPECT_EQ(zero.aspectRatio, 0.0);
    EXPECT_EQ(zero.mac, 0.0);
    EXPECT_EQ(zero.macLeadX, 0.0);
    EXPECT_EQ(zero.macY, 0.0);
    EXPECT_FALSE(std::isnan(zero.sweepQuarterDeg));

    EXPECT_EQ(MeasureSurface(Outline{}, {}).area, 0.0);
}

} // namespace
} // namespace centrafix::aero
