#pragma once

#include "analysis_observer.h"
#include "error.h"
#include "raster.h"
#include "run_types.h"

#include <cstdint>

namespace centrafix {

// Evaluates the tolerance and scale texts. On error nothing has been changed
// and the run must not start.
Result<RunSetup> PrepareRun(const AnalysisInputs& inputs);

// One analysis of `raster` with the prepared setup. ColorObjects keeps the
// fields of objects the run does not reach (after an abort).
AnalysisResult RunAnalysis(const RasterView& raster, ColorObjectTable& ColorObjects,
                           const RunSetup& setup, const AnalysisInputs& inputs,
                           AnalysisObserver& observer);

// Progress maximum of a run: 7 x (2 H + W).
std::int64_t ProgressMaximum(int width, int height);

} // namespace centrafix
