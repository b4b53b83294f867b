#include "vortex_lattice.h"

namespace centrafix::aero {

std::optional<LatticeResult> SolveLattice(const std::vector<LatticeSurface>&, const PlanformScale&, double, double,
                                          LatticeDensity)
{
    return std::nullopt;
}

} // namespace centrafix::aero
