#pragma once

#include "analysis_observer.h"
#include "edge_sweep.h"
#include "error.h"
#include "object_sweep.h"
#include "raster.h"
#include "run_preparation.h"
#include "run_types.h"

#include <cstdint>
#include <optional>

namespace centrafix {

// One analysis of `raster` with the prepared setup. ColorObjects keeps the
// fields of objects the run does not reach (after an abort).
AnalysisResult RunAnalysis(const RasterView& raster, ColorObjectTable& ColorObjects, const RunSetup& setup,
                           const AnalysisInputs& inputs, AnalysisObserver& observer);

// A picture measured as it was read, band by band (see ObjectSweep): its
// size and the sweep of every ticked object, made with the run's tolerance.
struct SweptPicture {
    int width = 0;
    int height = 0;
    SweepResult sweep;
    PictureEdges edges; // of the colours the balance needs (EdgeColours), empty when none
};

// The run of RunAnalysis on a picture already swept: the same results, with
// no pass feedback and no quarter-chord marks. Takes the sweep over.
AnalysisResult RunAnalysisOfSwept(SweptPicture& swept, ColorObjectTable& ColorObjects, const RunSetup& setup,
                                  const AnalysisInputs& inputs, AnalysisObserver& observer);

// Progress maximum of a run: 7 x (2 H + W).
std::int64_t ProgressMaximum(int width, int height);

} // namespace centrafix
