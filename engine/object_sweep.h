#pragma once

#include "quarter_chord_marks.h"
#include "raster.h"

#include <array>
#include <cstdint>
#include <vector>

namespace centrafix {

// What one object's pixel scan and edge search add up to, in whole numbers so
// that rows can be summed in any order, or in parallel, with the same result.
struct ObjectTotals {
    std::int64_t count = 0;           // matching pixels
    std::int64_t twiceSx = 0;         // 2 x sum of (x + 0.5)
    std::int64_t twiceSy = 0;         // 2 x sum of (y + 0.5)
    std::int64_t fourQ = 0;           // 4 x sum over runs of chord x quarter-chord x
    std::int64_t sumSquaredChords = 0; // sum over rows of (row chord)^2
    std::int64_t verticalPairs = 0;   // inner pairs (x - 1, y), (x, y)
    std::int64_t horizontalPairs = 0; // inner pairs (x, y - 1), (x, y)
};

// The objects of one measuring read of the picture.
struct SweepResult {
    std::array<ObjectTotals, 8> objects{};             // entries 1 to 7
    std::array<std::vector<std::int32_t>, 8> rowChords; // per measured object: matching pixels of every row
};

// True when no pixel can match two object colours at once (the tolerance is
// at most half the smallest distance between two object colours, 255): every
// pixel then belongs to the object of its nearest colour corner or to none,
// and one sweep can serve all objects.
bool CanSweepAllObjectsAtOnce(double Tolerance);

// Measures every ticked object in one read of the raster, rows split into
// strips over `threads` threads (0: one per core). Marks every run that ends
// inside the picture on `marks` with the object's own bit. The result does not
// depend on the number of threads. Requires CanSweepAllObjectsAtOnce.
SweepResult SweepAllObjects(const RasterView& raster, const std::array<bool, 8>& ticked,
                            double Tolerance, QuarterChordMarks& marks, int threads);

// The same for one object (1 to 7) alone, for any tolerance: a pixel that
// also matches another colour still counts for this one.
SweepResult SweepOneObject(const RasterView& raster, int object, double Tolerance,
                           QuarterChordMarks& marks, int threads);

// The threads a run uses: `requested`, or one per core when 0, never more than
// the rows allow.
int EffectiveThreads(int requested, int rows);

} // namespace centrafix
