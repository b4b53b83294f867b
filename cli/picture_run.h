#pragma once

#include "batch_options.h"

#include "engine/error.h"
#include "engine/run_weighing.h"
#include "engine/run_types.h"
#include "picture/picture_area.h"

#include <QImage>
#include <QString>

#include <memory>
#include <optional>

namespace centrafix {

// One picture analysed as the Analyze button does, with everything the
// outputs are made from.
struct PictureRun {
    AnalysisInputs inputs; // as the run had them, the origin placed
    RunSetup setup;
    double originColumn = 0.0; // the origin's pixel as the run placed it
    ColorObjectTable objects{};
    AnalysisResult result;
    std::optional<WeighedRun> weighed; // with --masses, where the run has a balance
    std::unique_ptr<PictureArea> display; // the annotated picture, when asked for
    QImage measured;                      // with display: the picture as measured, without marks
    // With --save-project: the document as the options and the picture made
    // it, the picture as measured.
    std::optional<Project> project;
};

// Loads the picture at `path` (none: the built-in example), prepares and
// runs the analysis. `decimalSeparator` is the one the grid and report are
// written with. On failure, the error says what and about which picture.
Result<std::shared_ptr<PictureRun>> RunPicture(const BatchOptions& options, const std::optional<QString>& path,
                                               const std::string& decimalSeparator, bool annotate);

// The exit status an error ends the batch command with: 1 when memory ran
// out, 2 for anything the user asked that cannot be done.
int ExitStatusOf(const Error& error);

} // namespace centrafix
