#pragma once

#include "color_object.h"
#include "edge_sweep.h"
#include "message.h"
#include "run_types.h"

#include <array>
#include <optional>

namespace centrafix {

// The balance of a run, or why it has none; neither where no lifting surface
// was found (the run's output is then what it was before there was a balance).
struct BalanceOutcome {
    std::optional<aero::Balance> balance;
    const Message* noBalance = nullptr;
};

// The colours that take part in the balance: ticked, found and lifting.
std::array<bool, 8> LiftingSurfacesFound(const ColorObjectTable& objects, const AnalysisInputs& inputs);

// The balance from the edges of the picture (EdgeColours of the run; the
// entries of colours not found are dropped here). The Mach number is read as
// the drag estimate reads it.
BalanceOutcome BalanceOfRun(PictureEdges edges, const ColorObjectTable& objects, const AnalysisInputs& inputs,
                            double ScaleFactor);

} // namespace centrafix
