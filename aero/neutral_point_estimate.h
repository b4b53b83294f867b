#pragma once

#include "surface_geometry.h"
#include "surface_role.h"

#include <vector>

namespace centrafix::aero {

struct EstimateSurface {
    SurfaceRole role = SurfaceRole::Tail; // Tail or Canard
    SurfaceGeometry geometry;
};

struct NeutralPointEstimate {
    double neutralPointX = 0.0; // user's units, relative to the origin
    double wingClAlpha = 0.0;   // per radian
    double downwashGradient = 0.0;
    std::vector<double> clAlpha; // per other surface, per radian on its own area
};

// The textbook neutral point: each surface lifts at its quarter MAC with the
// lift slope of its aspect ratio and half-chord sweep; a tail sees the
// wing's downwash, a canard its upwash, both with efficiency eta.
NeutralPointEstimate EstimateNeutralPoint(const SurfaceGeometry& wing, const std::vector<EstimateSurface>& others,
                                          double eta, double mach);

} // namespace centrafix::aero
