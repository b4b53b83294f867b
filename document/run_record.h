#pragma once

#include "engine/color_object.h"
#include "engine/run_types.h"

namespace centrafix {

// A run as a document hands it to whoever runs it: the inputs read from the
// fields (the origin placed), the two numbers the run needs and a copy of
// the colour table with the weights.
struct PreparedRun {
    AnalysisInputs inputs;
    RunSetup setup;
    ColorObjectTable objects{};
    double originColumn = 0.0; // the origin's pixel column, which the saved results name
};

// Everything a completed run produced, and what it was made from: the
// exports and a language switch work from it long after the run.
struct LastRun {
    AnalysisInputs inputs; // as the run had them, the origin placed
    double originColumn = 0.0;
    RunSetup setup;
    ColorObjectTable objects{};
    AnalysisResult result;
};

} // namespace centrafix
