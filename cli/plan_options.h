#pragma once

#include "batch_options.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <optional>

namespace centrafix {

// The options that make a plan as it comes into a painted picture before it
// is measured (--straighten, --level, --mirror-row, --crop, --fill, --fill-gap,
// --line-threshold, --map), and --save-picture, which keeps the result.
struct PlanOptionSet {
    PlanOptionSet();
    void addTo(QCommandLineParser& parser) const;

    QCommandLineOption straighten;
    QCommandLineOption level;
    QCommandLineOption mirrorRow;
    QCommandLineOption crop;
    QCommandLineOption fill;
    QCommandLineOption fillGap;
    QCommandLineOption lineThreshold;
    QCommandLineOption map;
    QCommandLineOption savePicture;
};

// The plan steps into options.planSteps, and the options as given into
// options.planArguments for the workers; the first thing wrong, naming the
// option. --straighten sets the scale, so it refuses --scale and --scale-from.
std::optional<Error> ReadPlanOptions(const QCommandLineParser& parser, const PlanOptionSet& set, BatchOptions& options);

} // namespace centrafix
