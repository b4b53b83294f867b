#pragma once

#include "engine/color_object.h"
#include "engine/run_types.h"
#include "picture/balance_marks.h"

#include <QImage>

namespace centrafix {

// Where a run's balance lies on its picture: the run's scale and origin, and
// the rows of the first found colour whose role is fuselage for the C.G.
// band. `picture` is the picture as measured, without marks (the origin's
// axes would otherwise widen a black fuselage's rows).
BalancePlacement BalancePlacementOf(const AnalysisInputs& inputs, double ScaleFactor, const ColorObjectTable& objects,
                                    const QImage& picture);

} // namespace centrafix
