#include "surface_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace centrafix::aero {

namespace {

// The sweep of a chord line as the angle of the least-squares straight line
// through (distance from the middle, x at that fraction of the chord) over
// all rows: both halves count, so a straight-tapered wing gives its sweep
// exactly and a curved outline its mean. Zero without spanwise extent.
double SweepDeg(const std::vector<double>& distance, const std::vector<double>& lead, const std::vector<double>& chord,
                double fraction)
{
    const std::size_t n = distance.size();
    double meanD = 0.0;
    double meanX = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        meanD += distance[i];
        meanX += lead[i] + fraction * chord[i];
    }
    meanD /= static_cast<double>(n);
    meanX /= static_cast<double>(n);
    double sdd = 0.0;
    double sdx = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double d = distance[i] - meanD;
        sdd += d * d;
        sdx += d * (lead[i] + fraction * chord[i] - meanX);
    }
    if (sdd <= 0.0)
        return 0.0;
    return std::atan(sdx / sdd) * 180.0 / std::numbers::pi;
}

} // namespace

SurfaceGeometry MeasureSurface(const Outline& outline, const PlanformScale& scale)
{
    SurfaceGeometry g;
    const std::size_t n = outline.rows.size();
    if (n == 0)
        return g;
    const double s = scale.scale;
    const int r0 = outline.firstRow;
    const int r1 = r0 + static_cast<int>(n) - 1;
    g.middleY = (r0 + r1 + 1) / 2.0 * s - scale.originY;
    g.span = static_cast<double>(n) * s;

    std::vector<double> chord(n), lead(n), distance(n);
    double sumC = 0.0;
    double sumCC = 0.0;
    double sumCLead = 0.0;
    double sumCDistance = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        chord[i] = std::max(0.0, outline.rows[i].trail - outline.rows[i].lead) * s;
        lead[i] = outline.rows[i].lead * s - scale.originX;
        distance[i] = std::abs((r0 + static_cast<double>(i) + 0.5) * s - scale.originY - g.middleY);
        sumC += chord[i];
        sumCC += chord[i] * chord[i];
        sumCLead += chord[i] * lead[i];
        // Over all rows rather than one half: the same for a symmetric
        // planform, and an odd middle row, at distance 0, counts half to
        // each side either way.
        sumCDistance += chord[i] * distance[i];
    }

    const std::size_t middle = n / 2;
    g.rootLeadX = n % 2 == 1 ? lead[middle] : (lead[middle - 1] + lead[middle]) / 2.0;
    g.sweepQuarterDeg = SweepDeg(distance, lead, chord, 0.25);
    g.sweepHalfDeg = SweepDeg(distance, lead, chord, 0.5);
    if (sumC <= 0.0)
        return g;
    g.area = sumC * s;
    g.aspectRatio = g.span * g.span / g.area;
    g.mac = sumCC / sumC;
    g.macLeadX = sumCLead / sumC;
    g.macY = sumCDistance / sumC;
    return g;
}

} // namespace centrafix::aero
