#pragma once

#include "aero/mass_items.h"
#include "aero/weight_balance.h"
#include "run_types.h"

#include <optional>

namespace centrafix {

// A run's weight and balance with the items it was weighed from, as the
// outputs (report, JSON, the window's panel) tell it.
struct WeighedRun {
    aero::MassList items;
    aero::WeightBalance weighed;
};

// The weight and balance of a run's balance: the items weighed against its
// neutral point, MAC and C.G. range, ballast by default at the nose or tail
// of the lifting surfaces and items (the run's scale and origin turn the
// outlines into x). Nothing where the run has no balance or the items weigh
// nothing; the list never needs a new run.
std::optional<WeighedRun> WeighRun(const AnalysisInputs& inputs, const AnalysisResult& result,
                                   const aero::MassList& items, const aero::AdviceChoice& choice);

} // namespace centrafix
