#pragma once

namespace centrafix::aero {

struct Point3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// The vertical velocity (z) that a horseshoe vortex of unit circulation
// induces at `at`: trailing leg in from +x infinity to `a`, bound segment
// from `a` to `b`, trailing leg from `b` out to +x infinity. With `core` > 0
// every segment's influence is damped by h^2 / (h^2 + core^2), h the
// distance from the segment's line.
double HorseshoeUpwash(const Point3& a, const Point3& b, const Point3& at, double core);

} // namespace centrafix::aero
