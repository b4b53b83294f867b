#pragma once

#include "raster.h"

#include <cstdint>

namespace centrafix {

// The clean-up threshold a user starts with: at 200 nearly every pixel of a
// scanned, anti-aliased or compressed drawing lands on a colour.
inline constexpr double kDefaultCleanUpThreshold = 200.0;

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
