#pragma once

#include "planform_outline.h"

namespace centrafix::aero {

// From pixels to the user's lengths: a column c lies at c * scale - originX,
// a row r at r * scale - originY (pixel edges; a row's centre is r + 0.5).
struct PlanformScale {
    double scale = 1.0;
    double originX = 0.0;
    double originY = 0.0;
};

// The planform measures of one lifting surface, in the user's units and
// relative to the origin like every position the program shows.
struct SurfaceGeometry {
    double area = 0.0;
    double span = 0.0;        // rows x scale
    double aspectRatio = 0.0; // span^2 / area; 0 without area
    double mac = 0.0;         // integral c^2 dy / integral c dy
    double macLeadX = 0.0;    // chord-weighted mean leading edge
    double macY = 0.0;        // the MAC's distance from the middle of the row range
    double middleY = 0.0;     // the middle of the row range (the plane of symmetry)
    double sweepQuarterDeg = 0.0;
    double sweepHalfDeg = 0.0;
    double rootLeadX = 0.0; // the leading edge at the middle of the row range
};

SurfaceGeometry MeasureSurface(const Outline& outline, const PlanformScale& scale);

} // namespace centrafix::aero
