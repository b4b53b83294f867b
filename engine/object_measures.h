#pragma once

#include "object_sweep.h"

#include <cstdint>
#include <vector>

namespace centrafix {

// One object's measures in the user's units, before they are made relative
// to the origin.
struct ObjectMeasures {
    double area = 0.0;
    double cgX = 0.0;
    double cgY = 0.0;
    double acX = 0.0;       // chord-weighted mean quarter-chord position
    double refLength = 0.0; // chord-weighted mean chord
    double outline = 0.0;
};

// Turns an object's pixel totals into lengths and areas, and adds its row
// chords (pixels) times the scale to RowChord: the one place where the scale
// factor meets the measured pixels. An object without pixels measures 0
// throughout.
ObjectMeasures MeasureObject(const ObjectTotals& totals, const std::vector<std::int32_t>& rowChords, double ScaleFactor,
                             std::vector<double>& RowChord);

// The outline in pixel edges: every pixel has four, every inner pair of
// neighbours shares two. `horizontalPairs` may still be 0 while the vertical
// edges alone are counted.
std::int64_t OutlineEdges(const ObjectTotals& totals, bool withHorizontalPairs);

} // namespace centrafix
