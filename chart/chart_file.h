#pragma once

#include "chart_format.h"
#include "spanwise_samples.h"

#include "engine/error.h"

#include <QSize>
#include <QString>

#include <optional>

namespace centrafix {

// The size a chart file is drawn at, in pixels (PNG) or SVG user units:
// wide enough for the legend in one line in either language.
inline constexpr QSize kChartFileSize{1200, 750};

// Writes that chart to `path`, as the extension says; whole or not at all
// (an existing file is left as it was), a failure naming the file and the
// reason (a PNG without the memory to encode it). Needs a QApplication.
std::optional<Error> WriteChartFile(const QString& path, const SpanwiseSamples& samples, int languageIndex);

} // namespace centrafix
