#pragma once

#include "batch_options.h"
#include "picture_run.h"

#include "engine/error.h"

#include <QImage>

#include <optional>

namespace centrafix {

// The printable report of a batch run (--report), from the run and its
// annotated picture, written as a PDF whole or not at all; with the weight
// and balance's lines and mark where a mass list was weighed.
std::optional<Error> WriteBatchReport(const BatchOptions& options, const PictureRun& run, const QImage& annotated);

} // namespace centrafix
