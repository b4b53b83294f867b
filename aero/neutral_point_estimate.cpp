#include "neutral_point_estimate.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace centrafix::aero {

namespace {

// Lift-curve slope per radian of a surface of aspect ratio A and half-chord
// sweep L at Mach M, the DATCOM / Helmbold form (USAF DATCOM, section
// 4.1.3.2; Raymer, Aircraft Design: A Conceptual Approach, eq. 12.6):
//
//   a = 2 pi A / (2 + sqrt(4 + (A beta / kappa)^2 (1 + tan^2 L / beta^2)))
//
// with beta^2 = 1 - M^2 and kappa = 1, the thin flat section the lattice
// also assumes. Multiplied out, (A beta)^2 (1 + tan^2 L / beta^2) is
// A^2 (beta^2 + tan^2 L), which stays finite as beta goes to zero; beta^2
// is held at zero beyond Mach 1 so that a wrong Mach number never gives NaN.
double LiftSlope(double aspectRatio, double halfChordSweepDeg, double mach)
{
    if (aspectRatio <= 0.0)
        return 0.0;
    const double beta2 = std::max(0.0, 1.0 - mach * mach);
    const double tanSweep = std::tan(halfChordSweepDeg * std::numbers::pi / 180.0);
    const double a = aspectRatio;
    return 2.0 * std::numbers::pi * a / (2.0 + std::sqrt(4.0 + a * a * (beta2 + tanSweep * tanSweep)));
}

double AerodynamicCentreX(const SurfaceGeometry& g)
{
    return g.macLeadX + g.mac / 4.0;
}

} // namespace

NeutralPointEstimate EstimateNeutralPoint(const SurfaceGeometry& wing, const std::vector<EstimateSurface>& others,
                                          double eta, double mach)
{
    NeutralPointEstimate estimate;
    estimate.wingClAlpha = LiftSlope(wing.aspectRatio, wing.sweepHalfDeg, mach);
    // Downwash gradient behind an elliptically loaded wing, twice the
    // induced angle's: d eps / d alpha = 2 a_w / (pi A_w) (Perkins & Hage,
    // Airplane Performance, Stability and Control, 1949, ch. 5). A canard
    // ahead of the wing sees the same amount as upwash.
    if (wing.aspectRatio > 0.0)
        estimate.downwashGradient = 2.0 * estimate.wingClAlpha / (std::numbers::pi * wing.aspectRatio);

    double weight = estimate.wingClAlpha * wing.area;
    double moment = weight * AerodynamicCentreX(wing);
    for (const EstimateSurface& other : others) {
        const double a = LiftSlope(other.geometry.aspectRatio, other.geometry.sweepHalfDeg, mach);
        estimate.clAlpha.push_back(a);
        const double flow =
            other.role == SurfaceRole::Canard ? 1.0 + estimate.downwashGradient : 1.0 - estimate.downwashGradient;
        const double w = a * eta * flow * other.geometry.area;
        weight += w;
        moment += w * AerodynamicCentreX(other.geometry);
    }
    estimate.neutralPointX = weight != 0.0 ? moment / weight : AerodynamicCentreX(wing);
    return estimate;
}

} // namespace centrafix::aero
