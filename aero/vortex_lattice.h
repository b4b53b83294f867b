#pragma once

#include "planform_outline.h"
#include "surface_geometry.h"

#include <optional>
#include <vector>

namespace centrafix::aero {

// One lifting surface for the lattice: its outline and its height above the
// wing plane in the user's units (negative below).
struct LatticeSurface {
    const Outline* outline = nullptr;
    double height = 0.0;
};

// Panels of the lattice: strips across the wing's span and panels along its
// chord; the other surfaces get strips in proportion to their span.
struct LatticeDensity {
    int spanwise = 0;  // 0: the default
    int chordwise = 0; // 0: the default
};

struct LatticeResult {
    double clAlpha = 0.0;          // per radian, on referenceArea
    std::vector<double> liftShare; // per surface, summing to 1
    double neutralPointX = 0.0;    // in the user's units, relative to the origin
    int panels = 0;
};

// The lift slope and neutral point of the surfaces at the Mach number (below
// 1) by a vortex lattice on their outlines. Empty when the surfaces carry no
// lift (no area) or the Mach number is not below kLatticeMachLimit.
inline constexpr double kLatticeMachLimit = 0.95;
std::optional<LatticeResult> SolveLattice(const std::vector<LatticeSurface>& surfaces, const PlanformScale& scale,
                                          double referenceArea, double mach, LatticeDensity density = {});

} // namespace centrafix::aero
