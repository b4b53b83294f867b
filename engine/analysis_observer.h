#pragma once

#include "color_object.h"
#include "grid_row.h"
#include "loading_table.h"
#include "run_types.h"

#include <array>
#include <cstdint>
#include <string>

namespace centrafix {

// The run reports here, in the order the phases happen, from the thread it
// runs on. The window passes the reports on to its own thread and sets the
// abort request from Esc; the batch command ignores most of it. Every method
// has a do-nothing default.
class AnalysisObserver {
public:
    virtual ~AnalysisObserver() = default;

    virtual void statusChanged(const std::string& /*text*/) {}
    virtual void progressChanged(std::int64_t /*value*/, std::int64_t /*maximum*/) {}
    // Object boundaries: where an observer that shares the run's thread with
    // a user interface may let its events through.
    virtual void yieldToEvents() {}
    // Read only at the head of each object pass and once after the edge search.
    virtual bool abortRequested() { return false; }
    // When true, every pass fills PassFeedback::mask (one byte a pixel).
    virtual bool wantsFeedback() const { return false; }
    virtual void passPainted(const PassFeedback& /*feedback*/) {}
    // The display is to show the working copy again, without pass feedback.
    virtual void displayRestored() {}
    // The spanwise loading table of the scan, to be written where it goes.
    virtual void loadingTableReady(const LoadingTable& /*table*/) {}
    // After the scan: each colour's tick becomes whether it was found.
    virtual void ticksUpdated(const std::array<bool, 8>& /*found*/) {}
    virtual void gridRowAppended(const GridRow& /*row*/) {}
    // The summation is done: markers may be plotted from these values.
    virtual void plotRequested(const ColorObjectTable& /*objects*/, const RunValues& /*values*/) {}
    virtual void reportReady(const std::string& /*report*/) {}
};

} // namespace centrafix
