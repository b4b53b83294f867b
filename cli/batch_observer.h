#pragma once

#include "engine/analysis_observer.h"
#include "picture/picture_area.h"
#include "picture/result_plot.h"

namespace centrafix {

// Plots the markers onto the display when the annotated picture is wanted;
// everything else a window shows during a run has no place in a batch.
class BatchObserver : public AnalysisObserver {
public:
    // display: null when no picture is wanted. inputs must outlive the run.
    BatchObserver(PictureArea* display, const AnalysisInputs& inputs, PlotChoice choice);

    void plotRequested(const ColorObjectTable& objects, const RunValues& values) override;

private:
    PictureArea* m_display;
    const AnalysisInputs& m_inputs;
    PlotChoice m_choice;
};

} // namespace centrafix
