#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "mass_options.h"
#include "plan_options.h"

namespace centrafix {

// Every option of the batch command with its help text and default, defined
// on the parser in the order the help lists them.
struct BatchOptionSet {
    explicit BatchOptionSet(QCommandLineParser& parser);

    QCommandLineOption help;
    QCommandLineOption version;
    QCommandLineOption scale;
    QCommandLineOption unit;
    QCommandLineOption scaleFrom;
    QCommandLineOption tolerance;
    QCommandLineOption page;
    QCommandLineOption dpi;
    QCommandLineOption cleanUp;
    QCommandLineOption cleanUpThreshold;
    QCommandLineOption origin;
    QCommandLineOption colors;
    QCommandLineOption weights;
    QCommandLineOption roles;
    QCommandLineOption height;
    QCommandLineOption staticMargin;
    QCommandLineOption tailEfficiency;
    QCommandLineOption cg;
    QCommandLineOption language;
    QCommandLineOption altitude;
    QCommandLineOption mach;
    QCommandLineOption loadingTable;
    QCommandLineOption json;
    QCommandLineOption annotated;
    QCommandLineOption showAC;
    QCommandLineOption showCG;
    QCommandLineOption chart;
    QCommandLineOption report;
    QCommandLineOption paper;
    QCommandLineOption filesFrom;
    QCommandLineOption csv;
    QCommandLineOption jobs;
    QCommandLineOption worker;
    QCommandLineOption saveProject;
    PlanOptionSet plan;
    MassOptionSet masses;
};

} // namespace centrafix
