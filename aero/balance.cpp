#include "balance.h"

#include "balance_assembly.h"
#include "lifting_surfaces.h"
#include "vortex_lattice.h"

namespace centrafix::aero {

std::variant<Balance, NoBalance> ComputeBalance(const std::array<std::vector<RowEdges>, 8>& edges,
                                                const BalanceSettings& settings, const PlanformScale& scale,
                                                double mach)
{
    std::vector<SurfaceBalance> surfaces = LiftingSurfaces(edges, settings, scale);
    if (surfaces.empty())
        return NoBalance::NoWing;
    if (!(mach < kLatticeMachLimit))
        return NoBalance::MachTooHigh;

    std::vector<LatticeSurface> lattice;
    for (const SurfaceBalance& surface : surfaces) {
        // A wing of several colours flies at the height of its first.
        lattice.push_back({&surface.outline, settings.heights[surface.objects.front()]});
    }
    const std::optional<LatticeResult> solved = SolveLattice(lattice, scale, surfaces.front().geometry.area, mach);
    if (!solved)
        return NoBalance::NoLift;
    return AssembleBalance(std::move(surfaces), *solved, settings, mach);
}

} // namespace centrafix::aero
