#pragma once

#include "aero/mass_items.h"
#include "document/plan_steps.h"
#include "document/project_file.h"
#include "engine/defaults.h"
#include "engine/error.h"
#include "engine/run_types.h"
#include "picture/formats/plan_document.h"
#include "picture/report/report_paper.h"

#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>

namespace centrafix {

// What the batch command was asked to do, read from its arguments.
struct BatchOptions {
    std::optional<QString> picturePath; // one picture; none: the built-in example
    // Several pictures (or a list, or a CSV table) go through the pool of
    // worker processes instead; the list is read when the run starts.
    QStringList picturePaths;
    QString filesFrom; // a file naming pictures, one a line ("-": standard input)
    bool many = false;
    QString csvPath;      // "-" for standard output
    int jobs = 0;         // worker processes; 0: one per core
    QString workerFormat; // set in a worker process: "json", "csv" or "text"
    int workerThreads = 0;
    AnalysisInputs inputs; // texts, ticks and language; the run places the origin once the scale is known
    double originColumn = 0.0;
    double originRow = 0.0;
    std::array<double, 8> weights{}; // entries 1 to 7
    // A project (.cfx) as the one picture: its values stand where no option
    // was given (originGiven, colorsGiven say which of those were), and its
    // picture is the one measured. `projectNote` says that the picture's
    // file is gone or changed, so that the project's copy is used.
    std::shared_ptr<const Project> project;
    std::optional<Error> projectNote;
    bool originGiven = false;
    bool colorsGiven = false;
    QString saveProjectPath; // the run's document as a project; empty: none
    // What makes a plan as it comes into a painted picture, in the order both
    // programs apply it (the clean-up below comes last of all), and the
    // options that asked for it, as given, for the workers.
    PlanSteps planSteps;
    QStringList planArguments;
    QString savePicturePath; // PNG of the working picture after the steps; empty: none
    PlanPageChoice plan;     // the page of a PDF and the resolution of a plan
    bool cleanUp = false;    // snap the picture's colours before measuring
    double cleanUpThreshold = defaults::kCleanUpThreshold;
    QString cleanUpThresholdText; // as given, for the workers
    bool json = false;
    // The mass list the balance weighs (--masses) and what its advice may
    // change; none: no weight and balance, the outputs as without it.
    std::optional<aero::MassList> masses;
    QString massesPath;
    aero::AdviceChoice advice;
    QString loadingTablePath; // "-" for standard output
    QString annotatedPath;    // PNG of the display after the run; empty: none
    QString chartPath;        // PNG or SVG of the loading chart; empty: none
    QString reportPath;       // the printable report as PDF; empty: none
    Paper paper = Paper::A4;  // the report's; the locale's unless --paper says
    bool showAC = false;      // the two "Show Area ..." boxes of the window
    bool showCG = false;
    bool showHelp = false;
    bool showVersion = false;
    QString helpText;
};

// Reads the arguments (the program name first). Returns the first thing that
// is wrong, naming the option; nothing else happens then. Either way
// options.inputs.languageIndex is the language to tell it in: the one asked
// for, or English when --language is missing or itself wrong.
std::optional<Error> ParseBatchOptions(const QStringList& arguments, BatchOptions& options);

} // namespace centrafix
