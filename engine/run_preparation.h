#pragma once

#include "color_object.h"
#include "error.h"
#include "run_types.h"

#include <optional>

namespace centrafix {

// The smallest scale (length units per pixel) a run takes as it is.
inline constexpr double kSmallestScale = 1e-16;

// What happens to a scale below kSmallestScale (0, negative, or too small to
// be a length): the window has always put 1 in its place, and shows "1" in
// the field, where the user sees it; the batch command, where nobody would,
// refuses it.
enum class SmallScale { BecomesOne, Refused };

// Evaluates the tolerance and scale texts and refuses a tolerance that could
// match no pixel (0 or below). On error nothing has been changed and the run
// must not start.
Result<RunSetup> PrepareRun(const AnalysisInputs& inputs, SmallScale small = SmallScale::BecomesOne);

// Everything that keeps prepared inputs from a run on a picture of this size,
// as both programs refuse it: no colour ticked, then inputs that would make
// some result infinite or not a number (a scale of 1e300, a weight of 1e308,
// an origin miles away) on a picture of this size, naming the field. Ticks
// and weights come from `objects` and `inputs`.
std::optional<Error> RefuseRun(const RunSetup& setup, const AnalysisInputs& inputs, const ColorObjectTable& objects,
                               int width, int height);

} // namespace centrafix
