#pragma once

#include "biot_savart.h"
#include "vortex_lattice.h"

#include <vector>

namespace centrafix::aero {

// The lattice's default density: strips across the wing's span and panels
// along every chord. Chosen so that doubling both moves the neutral point of
// a wing and tail by well under 0.3 % of the wing's MAC (see the tests).
// Measured on a tapered wing with a tail a third of its span behind it, in
// its plane: 0.21 % (0.24 % at Mach 0.6); a 45 degree swept wing: 0.13 %.
// Chordwise the lattice converges much faster than spanwise (going from 8
// to 16 panels moved that neutral point by 0.02 % of the MAC), so the
// panels go into strips.
inline constexpr int kDefaultSpanwiseStrips = 80;
inline constexpr int kDefaultChordwisePanels = 4;
// The other surfaces get strips half as wide as the wing's for the same
// span: a tail sits in the wing's wake, whose discrete trailing legs a
// coarse tail samples unevenly (with equal widths the neutral point moved
// twice as much under doubling).
inline constexpr double kOtherStripsPerWingStrip = 2.0;
// A small surface still gets enough strips for a spanwise lift distribution.
inline constexpr int kMinimumStrips = 8;
// The vortex core through which one surface's vortices act on another's
// control points, as a fraction of the inducing surface's span: a physical
// size like the wake's, not a numerical one. A core tied to the strip width
// shrinks as the lattice is refined and so changes the model with the
// density: with half a strip width the wing and tail above moved their
// neutral point by 1.0 % of the MAC under doubling; with this fixed core
// by 0.21 %. It changes the tail's lift share by about 0.2 % against no
// core where no control point lies near a leg.
inline constexpr double kCoreOfSpan = 0.025;

// One panel's horseshoe vortex, in the lattice's coordinates (x stretched by
// 1 / beta for compressibility, y across the span, z up).
struct Horseshoe {
    Point3 a;          // bound vortex, spanwise first end
    Point3 b;          // bound vortex, spanwise second end
    Point3 control;    // where no flow may pass the surface
    double core = 0.0; // towards the other surfaces' control points
    int surface = 0;
    double boundMiddleX = 0.0; // unstretched, the user's units
};

// The panels of every surface, the first surface taken as the wing that
// sets the spanwise density. Strips run between edges cosine-spaced across
// each surface's row range; a strip whose chord is zero is left out.
std::vector<Horseshoe> LayOutLattice(const std::vector<LatticeSurface>& surfaces, const PlanformScale& scale,
                                     LatticeDensity density, double xStretch);

} // namespace centrafix::aero
