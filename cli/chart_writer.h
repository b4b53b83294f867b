#pragma once

#include "chart/chart_module.h"

#include "engine/error.h"

namespace centrafix {

// The chart writer module, loaded on the first call from the folder
// lib/centrafix/modules beside the folder of the running program; an error naming
// the file when it is missing, cannot be loaded or belongs to another
// version.
Result<const ChartModule*> LoadChartWriter();

} // namespace centrafix
