#pragma once

#include "spanwise_samples.h"

#include "engine/error.h"

#include <QString>

#include <optional>

class QCoreApplication;

namespace centrafix {

// The chart writer as a module of its own, for the batch command: it is
// loaded only by a run that asks for a chart, so every other run starts
// without Qt's chart and widget libraries, which take longer to load than a
// small picture takes to measure.
struct ChartModule {
    // The version the module was built as; a module of another version is
    // not used.
    const char* version;
    // Qt's chart module needs a QApplication, which stands in for the batch
    // command's own application object.
    QCoreApplication* (*makeApplication)(int& argc, char** argv);
    // WriteChartFile.
    std::optional<Error> (*writeChartFile)(const QString& path, const SpanwiseSamples& samples, int languageIndex);
};

// The module's file name and the one function it exports, which gives its
// ChartModule.
inline constexpr char kChartModuleFile[] = "centrafix-chart-writer.so";
inline constexpr char kChartModuleEntry[] = "centrafix_chart_module";

} // namespace centrafix
