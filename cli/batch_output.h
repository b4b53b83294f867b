#pragma once

#include "batch_options.h"

#include <QByteArray>

namespace centrafix {

// The results as text: the grid as "Copy Table" gives it, a blank line, the
// report lines.
QByteArray TextReport(const BatchOptions& options, const AnalysisResult& result);

// The results as one JSON object, numbers unrounded, independent of the locale.
// inputs are those the run had, the origin placed.
QByteArray JsonReport(const BatchOptions& options, const AnalysisInputs& inputs, const RunSetup& setup,
                      const ColorObjectTable& objects, const AnalysisResult& result);

} // namespace centrafix
