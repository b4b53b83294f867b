#pragma once

#include "quarter_chord_marks.h"
#include "raster.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace centrafix {

// True when the summed absolute differences of red, green and blue are
// strictly below Tolerance.
bool ColorMatches(std::int32_t p, std::int32_t c, double Tolerance);

// ColorMatches for one object colour, reading raster words. The components are
// integers, so "sum < Tolerance" is "sum <= the largest integer below
// Tolerance": the test runs in integers and gives exactly the same answers.
class ColorMatcher {
public:
    ColorMatcher(std::int32_t color, double Tolerance);

    bool matches(std::uint32_t word) const
    {
        const int r = static_cast<int>((word >> 16) & 0xFF);
        const int g = static_cast<int>((word >> 8) & 0xFF);
        const int b = static_cast<int>(word & 0xFF);
        return std::abs(r - m_r) + std::abs(g - m_g) + std::abs(b - m_b) <= m_maxSum;
    }

    bool matchesNothing() const { return m_maxSum < 0; }

private:
    int m_r;
    int m_g;
    int m_b;
    int m_maxSum; // -1 when nothing can match
};

// The raw sums of one object's pass, in pixels.
struct ScanSums {
    double count = 0.0; // matching pixels
    double Sx = 0.0;    // sum of x + 0.5
    double Sy = 0.0;    // sum of y + 0.5
    double Q = 0.0;     // sum over runs of chord * quarter-chord x
    double S2 = 0.0;    // sum over rows of (row chord)^2
};

// The pass over every row: cuts rows into runs of matching pixels, adds
// ScaleFactor x row chord to RowChord, marks leading edge, quarter-chord point
// and trailing edge of every run closed inside the picture with `markBits`,
// and, when mask is
// given (W x H bytes), records 1 for matching pixels and 2 for quarter-chord
// points.
ScanSums ScanObjectPixels(const RasterView& raster, const ColorMatcher& matcher,
                          double ScaleFactor, std::vector<double>& RowChord,
                          QuarterChordMarks& marks, std::uint8_t markBits,
                          std::uint8_t* mask);

// Fills `mask` (W x H bytes) as ScanObjectPixels would, without measuring.
void FillScanMask(const RasterView& raster, const ColorMatcher& matcher, std::uint8_t* mask);

// Inner pairs of the edge search: neighbours where the first pixel matches and
// the neighbour has exactly its colour. Vertical edges pair (x - 1, y) with
// (x, y); horizontal edges pair (x, y - 1) with (x, y). When mask is given, the
// left or upper pixel of every pair gets 1.
std::int64_t CountVerticalInnerPairs(const RasterView& raster, const ColorMatcher& matcher,
                                     std::uint8_t* mask);
std::int64_t CountHorizontalInnerPairs(const RasterView& raster, const ColorMatcher& matcher,
                                       std::uint8_t* mask);

} // namespace centrafix
