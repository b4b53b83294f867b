#pragma once

namespace centrafix::aero {

// Where the C.G. may lie for static margins between low and high percent of
// the wing's MAC.
struct CgRange {
    double forwardX = 0.0; // neutral point - high % MAC
    double aftX = 0.0;     // neutral point - low % MAC
    double forwardBehindRootLead = 0.0;
    double aftBehindRootLead = 0.0;
};

CgRange RangeOfCg(double neutralPointX, double mac, double rootLeadX, double lowPercent, double highPercent);

// The static margin in percent of the MAC of a C.G. at cgX.
double StaticMargin(double neutralPointX, double mac, double cgX);

} // namespace centrafix::aero
