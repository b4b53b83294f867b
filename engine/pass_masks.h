#pragma once

#include "color_match.h"
#include "raster.h"

#include <cstdint>

namespace centrafix {

// The masks the window paints while a pass runs, W x H bytes each. They show
// what a pass looks at; the measuring itself happens in the object sweep.

// The scan: 1 for every matching pixel, 2 for the quarter-chord point of
// every run of matching pixels.
void FillScanMask(const RasterView& raster, const ColorMatcher& matcher, std::uint8_t* mask);

// The edge search: 1 for the left pixel of every inner pair (x - 1, y), (x, y)
// (vertical edges) or the upper pixel of every pair (x, y - 1), (x, y)
// (horizontal edges), where the first pixel matches and the second has
// exactly its colour.
void FillVerticalPairMask(const RasterView& raster, const ColorMatcher& matcher, std::uint8_t* mask);
void FillHorizontalPairMask(const RasterView& raster, const ColorMatcher& matcher, std::uint8_t* mask);

} // namespace centrafix
