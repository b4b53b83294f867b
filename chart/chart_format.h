#pragma once

#include "engine/error.h"

#include <QString>

namespace centrafix {

enum class ChartFormat { Png, Svg };

// The format a file name asks for by its extension (either case), or an error
// naming the file when it asks for neither PNG nor SVG.
Result<ChartFormat> ChartFormatOf(const QString& path);

} // namespace centrafix
