#pragma once

#include "balance.h"

namespace centrafix::aero {

// The lifting surfaces of a run with their outlines and planform measures:
// the union of every wing colour that holds pixels first, then each tail or
// canard colour that holds pixels, in colour order. Empty without a wing.
std::vector<SurfaceBalance> LiftingSurfaces(const std::array<std::vector<RowEdges>, 8>& edges,
                                            const BalanceSettings& settings, const PlanformScale& scale);

} // namespace centrafix::aero
