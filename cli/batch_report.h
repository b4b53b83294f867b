#pragma once

#include "batch_options.h"
#include "picture_run.h"

#include "engine/error.h"

#include <QImage>

#include <optional>

namespace centrafix {

// The printable report of a batch run (--report), from the run and its
// annotated picture, written as a PDF whole or not at all. The lines the
// weight and balance adds come as `extraLines`.
std::optional<Error> WriteBatchReport(const BatchOptions& options, const PictureRun& run, const QImage& annotated,
                                      const QStringList& extraLines = {});

} // namespace centrafix
