#pragma once

#include "balance.h"
#include "vortex_lattice.h"

namespace centrafix::aero {

// The balance from its lifting surfaces (the wing first) and the lattice's
// answer for them: each surface's own lift slope, the textbook estimate
// beside it, the C.G. range and the margin of a typed C.G.
Balance AssembleBalance(std::vector<SurfaceBalance> surfaces, const LatticeResult& lattice,
                        const BalanceSettings& settings, double mach);

} // namespace centrafix::aero
