#pragma once

#include "aero/balance.h"
#include "color_object.h"
#include "defaults.h"
#include "drag_report.h"
#include "grid_row.h"
#include "match_count.h"
#include "message.h"
#include "quarter_chord_marks.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace centrafix {

// What the user typed and ticked, as the window or the batch command hands it
// to a run.
struct AnalysisInputs {
    std::string toleranceText{defaults::kToleranceText};
    std::string scaleText{defaults::kScaleText};
    std::array<bool, 8> ticked{}; // entries 1 to 7; entry 0 (the total) is never scanned
    double OriginX = 0.0;         // user-set origin in scaled units
    double OriginY = 0.0;
    double OriginRow = 0.0; // its pixel row, for the loading table's span stations
    std::string altitudeText{defaults::kAltitudeText};
    std::string machText{defaults::kMachText};
    int languageIndex = kEnglish;
    std::string decimalSeparator = "."; // of the user's locale, for every number shown
    // How the user types numbers: "." always, and "," too where this is ",".
    std::string localeSeparator = ".";
    int threads = 0;  // threads for the pixel work; 0: one per core
    std::string unit; // what one scaled unit is called ("mm"); may be empty
    aero::BalanceSettings balance; // roles, heights, margins, tail efficiency, a typed C.G.
};

// The two numbers a run needs before it may change anything.
struct RunSetup {
    double Tolerance = 0.0;
    double ScaleFactor = 1.0;
    bool scaleReplaced = false; // the scale was below 1e-16 and is now 1; the field shows "1"
};

// Values handed from phase to phase of one run.
struct RunValues {
    double Tolerance = 0.0;
    double ScaleFactor = 1.0;
    int width = 0;
    int height = 0;
    std::vector<double> RowChord; // H + 1 entries, the summed scaled chord of each row
    PointTable CGPoint{};
    PointTable ACPoint{}; // only x is used
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

// Everything a run leaves behind besides the colour-object table.
struct AnalysisResult {
    RunValues values;
    bool completed = false; // false when Esc ended the run before the summation
    std::vector<GridRow> gridRows;
    std::string report;
    std::optional<DragEstimate> drag; // empty when the run did not get that far
    MatchCount matches;               // of the objects the scan reached
    // The balance of a completed run, or why it has none (noBalance, in the
    // run's language; null while the run did not get that far).
    std::optional<aero::Balance> balance;
    const Message* noBalance = nullptr;
};

} // namespace centrafix
