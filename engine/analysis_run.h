#pragma once

#include "color_object.h"
#include "eval_number.h"
#include "quarter_chord_marks.h"
#include "raster.h"
#include "string_table.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace centrafix {

// What the user typed and ticked, as the window or the batch command hands it
// to a run.
struct AnalysisInputs {
    std::string toleranceText = "10";
    std::string scaleText = "1.0";
    std::array<bool, 8> ticked{};    // entries 1 to 7; entry 0 (the total) is never scanned
    double OriginX = 0.0;            // user-set origin in scaled units
    double OriginY = 0.0;
    double OriginRow = 0.0;          // its pixel row, for the loading table's span stations
    std::string altitudeText = "10000";
    std::string machText = "0.85";
    int languageIndex = kEnglish;
    std::string decimalSeparator = "."; // of the user's locale, for every number shown
    int threads = 0;                    // threads for the pixel work; 0: one per core
};

// The two numbers a run needs before it may change anything.
struct RunSetup {
    double Tolerance = 0.0;
    double ScaleFactor = 1.0;
    bool scaleReplaced = false; // the scale was below 1e-16 and is now 1; the field shows "1"
};

// Which field stopped a run from starting, and why.
struct InputError {
    std::string field; // "Tolerance" or "Scale Factor"
    std::string text;  // what the field held
    std::string reason;

    std::string message() const;
};

// Evaluates the tolerance and scale texts. On error nothing has been changed and
// the run must not start.
std::optional<InputError> PrepareRun(const AnalysisInputs& inputs, RunSetup& setup);

// Values handed from phase to phase of one run.
struct RunValues {
    double Tolerance = 0.0;
    double ScaleFactor = 1.0;
    int width = 0;
    int height = 0;
    std::vector<double> RowChord; // H + 1 entries, the summed scaled chord of each row
    PointTable CGPoint{};
    PointTable ACPoint{};         // only x is used
    std::int32_t MarkerTint = 0;
    QuarterChordMarks marks;
};

enum class PassKind { Scan, VerticalEdges, HorizontalEdges };

// What the display needs to show one object pass, handed over once per pass.
// mask has W x H bytes, row by row: 0 untouched, 1 painted in `tint`, 2 painted
// in `color` (the quarter-chord points of the scan).
struct PassFeedback {
    PassKind kind = PassKind::Scan;
    int object = 0;
    std::int32_t color = 0;
    std::int32_t tint = 0;
    int width = 0;
    int height = 0;
    const std::vector<std::uint8_t>* mask = nullptr;
};

struct AnalysisResult;

// The run reports here, in the order the phases happen. The window repaints,
// pumps events and reads Esc; the batch command ignores most of it. Every
// method has a do-nothing default.
class AnalysisObserver {
public:
    virtual ~AnalysisObserver() = default;

    virtual void statusChanged(const std::string& /*text*/) {}
    virtual void progressChanged(std::int64_t /*value*/, std::int64_t /*maximum*/) {}
    // Object boundaries: the only places where the window may handle events.
    virtual void yieldToEvents() {}
    // Read only at the head of each object pass and once after the edge search.
    virtual bool abortRequested() { return false; }
    // When true, every pass fills PassFeedback::mask (one byte a pixel).
    virtual bool wantsFeedback() const { return false; }
    virtual void passPainted(const PassFeedback& /*feedback*/) {}
    // The display is to show the working copy again, without pass feedback.
    virtual void displayRestored() {}
    virtual void loadingTableReady(const std::string& /*table*/) {}
    // After the scan: each colour's tick becomes whether it was found.
    virtual void ticksUpdated(const std::array<bool, 8>& /*found*/) {}
    virtual void gridRowAppended(const std::string& /*rowText*/) {}
    // The summation is done: markers may be plotted from these values.
    virtual void plotRequested(const ColorObjectTable& /*objects*/, const RunValues& /*values*/) {}
    virtual void reportReady(const std::string& /*report*/) {}
};

// Everything a run leaves behind besides the colour-object table.
struct AnalysisResult {
    RunValues values;
    bool completed = false;      // false when Esc ended the run before the summation
    std::vector<std::string> gridRows;
    std::string loadingTable;
    std::string report;
    std::optional<double> CD_lam;
    std::optional<double> CD_turb;
    std::string cdError;         // why the drag coefficients are not available
};

// One analysis of `raster` with the prepared setup. ColorObjects keeps the
// fields of objects the run does not reach (after an abort).
AnalysisResult RunAnalysis(const RasterView& raster, ColorObjectTable& ColorObjects,
                           const RunSetup& setup, const AnalysisInputs& inputs,
                           AnalysisObserver& observer);

// Progress maximum of a run: 7 x (2 H + W).
std::int64_t ProgressMaximum(int width, int height);

} // namespace centrafix
