#pragma once

#include "engine/analysis_run.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace centrafix {

// What the batch command was asked to do, read from its arguments.
struct BatchOptions {
    QString picturePath;           // empty: the built-in example
    AnalysisInputs inputs;         // texts, ticks and language; origin set after the scale is known
    double originColumn = 0.0;
    double originRow = 0.0;
    std::array<double, 8> weights{}; // entries 1 to 7
    bool json = false;
    QString loadingTablePath;      // "-" for standard output
    QString annotatedPath;         // PNG of the display after the run; empty: none
    bool showAC = false;           // the two "Show Area ..." boxes of the window
    bool showCG = false;
    bool showHelp = false;
    bool showVersion = false;
    QString helpText;
};

// Reads the arguments (the program name first). Returns the message for the
// first thing that is wrong, naming the option; nothing else happens then.
std::optional<QString> ParseBatchOptions(const QStringList& arguments, BatchOptions& options);

} // namespace centrafix
