#pragma once

#include "engine/analysis_run.h"
#include "engine/error.h"
#include "picture/formats/plan_document.h"

#include <QString>

#include <array>
#include <optional>

namespace centrafix {

// Measures the picture file at `path` as it is read, for a run with this
// tolerance and these ticks: one thread decodes bands of rows while another
// sweeps the band before, so decoding and measuring overlap and the picture
// is never held whole (up to StreamedPictureSizeProblem's limits). Nothing,
// and no error, when the picture must be read whole (GIF, metafiles and kinds
// the row readers leave to Qt). A damaged or cut file is refused as the
// whole-picture readers refuse it; a machine short of memory is told as
// such (PictureMemoryError). The edges of `edgeColours` are read on the way.
// A PDF or SVG plan is drawn in bands as `plan` says.
Result<std::optional<SweptPicture>> SweepPictureFile(const QString& path, const std::array<bool, 8>& ticked,
                                                     double Tolerance, const std::array<bool, 8>& edgeColours = {},
                                                     const PlanPageChoice& plan = {});

class RowReader;

// How a picture's rows are measured as they are read: one thread decoding
// while another sweeps (what SweepPictureFile asks for), or both by turns on
// one thread, which is what a machine that gives no second thread gets.
enum class StreamThreads { Two, One };

// Measures the rows `reader` gives, from its first to its last, in bands.
Result<SweptPicture> SweepRows(RowReader& reader, const std::array<bool, 8>& ticked, double Tolerance,
                               StreamThreads threads = StreamThreads::Two, const std::array<bool, 8>& edgeColours = {});

} // namespace centrafix
