#pragma once

#include "batch_options.h"
#include "picture_run.h"

#include <QByteArray>
#include <QJsonObject>

#include <optional>
#include <string>

namespace centrafix {

// The results as text: the grid as "Copy Table" gives it, a blank line, the
// report lines.
QByteArray TextReport(const BatchOptions& options, const AnalysisResult& result);

// The warning line for a picture whose colours matched little or nothing
// (MatchWarningText), naming the picture where it has a name; empty where the
// run matched well.
std::string MatchWarningLine(const std::optional<QString>& picture, const PictureRun& run);

// The results of one picture as JSON, numbers unrounded, independent of the
// locale: the object, and the document the batch command prints.
QJsonObject JsonObject(const BatchOptions& options, const PictureRun& run);
QByteArray JsonReport(const BatchOptions& options, const PictureRun& run);

} // namespace centrafix
