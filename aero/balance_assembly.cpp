#include "balance_assembly.h"

#include <cstddef>

namespace centrafix::aero {

Balance AssembleBalance(std::vector<SurfaceBalance> surfaces, const LatticeResult& lattice,
                        const BalanceSettings& settings, double mach)
{
    Balance balance;
    balance.surfaces = std::move(surfaces);
    const SurfaceGeometry& wing = balance.wing().geometry;

    // The lattice's slope is on the wing's area; each surface's share of the
    // lift, put on the surface's own area, is its own slope.
    for (std::size_t i = 0; i < balance.surfaces.size(); ++i) {
        SurfaceBalance& surface = balance.surfaces[i];
        surface.liftShare = i < lattice.liftShare.size() ? lattice.liftShare[i] : 0.0;
        const double area = surface.geometry.area;
        surface.clAlpha = area > 0.0 ? lattice.clAlpha * surface.liftShare * wing.area / area : 0.0;
    }
    balance.neutralPointX = lattice.neutralPointX;
    balance.clAlpha = lattice.clAlpha;
    balance.panels = lattice.panels;

    std::vector<EstimateSurface> others;
    for (std::size_t i = 1; i < balance.surfaces.size(); ++i)
        others.push_back({balance.surfaces[i].role, balance.surfaces[i].geometry});
    balance.estimate = EstimateNeutralPoint(wing, others, settings.tailEfficiency, mach);

    balance.marginLow = settings.marginLow;
    balance.marginHigh = settings.marginHigh;
    balance.range = RangeOfCg(balance.neutralPointX, wing.mac, wing.rootLeadX, settings.marginLow, settings.marginHigh);
    balance.typedCgX = settings.typedCgX;
    if (settings.typedCgX)
        balance.typedCgMargin = StaticMargin(balance.neutralPointX, wing.mac, *settings.typedCgX);
    return balance;
}

} // namespace centrafix::aero
