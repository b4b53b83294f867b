#pragma once

#include "defaults.h"
#include "error.h"
#include "raster.h"

#include <cstdint>
#include <string_view>

namespace centrafix {

inline constexpr double kDefaultCleanUpThreshold = defaults::kCleanUpThreshold;

// The threshold as the user typed it: a number or expression in either
// decimal convention the locale allows, above zero (none below it would snap
// a pixel). The error names the threshold.
Result<double> ReadCleanUpThreshold(std::string_view text, std::string_view localeSeparator);

// Snaps every pixel whose distance to the nearest of the eight colours (the
// seven object colours and white) is below `threshold` onto that colour;
// other pixels stay as they are. The distance is the colour match's: the sum
// of the three component differences. Returns how many pixels changed.
//
// The nearest colour is never in doubt: each component is nearer to 0 or to
// 255 (255 is odd, so no component lies halfway), and the nearest corner is
// the one of the nearer ends.
std::int64_t CleanUpColours(const MutableRasterView& raster, double threshold);

} // namespace centrafix
