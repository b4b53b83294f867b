#pragma once

#include "batch_options.h"
#include "picture_run.h"

#include <QByteArray>
#include <QJsonObject>

#include <optional>
#include <string>

namespace centrafix {

// The results as text: the grid as "Copy Table" gives it, a blank line, the
// report lines, and the weight and balance's where a mass list was weighed.
// The run's report itself stays as the window's (its JSON "report").
QByteArray TextReport(const BatchOptions& options, const PictureRun& run);

// The weight and balance's report lines of a run, each ending in CR LF;
// empty where nothing was weighed.
std::string WeighingLines(const PictureRun& run);

// The warning line for a picture whose colours matched little or nothing
// (MatchWarningText), naming the picture where it has a name; empty where the
// run matched well.
std::string MatchWarningLine(const std::optional<QString>& picture, const PictureRun& run);

// The results of one picture as JSON, numbers unrounded, independent of the
// locale: the object, and the document the batch command prints.
QJsonObject JsonObject(const BatchOptions& options, const PictureRun& run);
QByteArray JsonReport(const BatchOptions& options, const PictureRun& run);

} // namespace centrafix
