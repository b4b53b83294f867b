#include "pixel_scan.h"

#include <algorithm>
#include <cmath>

namespace centrafix {

bool ColorMatches(std::int32_t p, std::int32_t c, double Tolerance)
{
    const double sum = std::fabs(double(RedOf(p)) - double(RedOf(c))) +
                       std::fabs(double(GreenOf(p)) - double(GreenOf(c))) +
                       std::fabs(double(BlueOf(p)) - double(BlueOf(c)));
    return sum < Tolerance;
}

ColorMatcher::ColorMatcher(std::int32_t color, double Tolerance)
    : m_r(RedOf(color)), m_g(GreenOf(color)), m_b(BlueOf(color))
{
    // The largest integer strictly below Tolerance, kept within the possible
    // sums 0 to 765 (a NaN tolerance matches nothing).
    if (!(Tolerance > 0.0))
        m_maxSum = -1;
    else if (Tolerance > 766.0)
        m_maxSum = 765;
    else
        m_maxSum = static_cast<int>(std::ceil(Tolerance)) - 1;
}

namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

// Calls onRun(xs, xe) for every run of matching pixels [xs, xe) of a row.
template <class OnRun>
void ForEachRun(const std::uint32_t* row, int W, const ColorMatcher& matcher, OnRun onRun)
{
    int x = 0;
    while (x < W) {
        if (!matcher.matches(row[x])) {
            ++x;
            continue;
        }
        const int xs = x;
        while (x < W && matcher.matches(row[x]))
            ++x;
        onRun(xs, x);
    }
}

} // namespace

ScanSums ScanObjectPixels(const RasterView& raster, const ColorMatcher& matcher,
                          double ScaleFactor, std::vector<double>& RowChord,
                          QuarterChordMarks& marks, std::uint8_t markBits,
                          std::uint8_t* mask)
{
    ScanSums sums;
    const int W = raster.width;
    for (int y = 0; y < raster.height; ++y) {
        std::int64_t rowChord = 0;
        double sx = 0.0;
        double q = 0.0;
        ForEachRun(raster.row(y), W, matcher, [&](int xs, int x) {
            // Leading edge xs, trailing edge x.
            const double chord = x - xs;
            const double xQC = xs + 0.25 * chord;
            rowChord += x - xs;
            sx += chord * xs + chord * chord * 0.5; // sum of (k + 0.5) for k in [xs, x)
            q += chord * xQC;
            if (x < W) {
                // Only runs closed by a non-matching pixel leave white marks.
                const int qcColumn = static_cast<int>(std::floor(xQC));
                marks.mark(xs, y, markBits);
                marks.mark(qcColumn, y, markBits);
                marks.mark(x, y, markBits);
            }
        });
        const double chord = static_cast<double>(rowChord);
        RowChord[static_cast<std::size_t>(y)] += ScaleFactor * chord;
        sums.count += chord;
        sums.Sx += sx;
        sums.Sy += chord * (y + 0.5);
        sums.Q += q;
        sums.S2 += chord * chord;
    }
    if (mask)
        FillScanMask(raster, matcher, mask);
    return sums;
}

void FillScanMask(const RasterView& raster, const ColorMatcher& matcher, std::uint8_t* mask)
{
    const int W = raster.width;
    for (int y = 0; y < raster.height; ++y) {
        std::uint8_t* maskRow = mask + static_cast<std::ptrdiff_t>(y) * W;
        ForEachRun(raster.row(y), W, matcher, [maskRow](int xs, int x) {
            std::fill(maskRow + xs, maskRow + x, std::uint8_t{1});
            maskRow[xs + (x - xs) / 4] = 2; // the quarter-chord point in the object's colour
        });
    }
}

std::int64_t CountVerticalInnerPairs(const RasterView& raster, const ColorMatcher& matcher,
                                     std::uint8_t* mask)
{
    std::int64_t pairs = 0;
    const int W = raster.width;
    for (int y = 0; y < raster.height; ++y) {
        const std::uint32_t* row = raster.row(y);
        std::uint8_t* maskRow = mask ? mask + static_cast<std::ptrdiff_t>(y) * W : nullptr;
        for (int x = 1; x < W; ++x) {
            const std::uint32_t p = row[x];
            if (((p ^ row[x - 1]) & kRgbMask) == 0 && matcher.matches(p)) {
                ++pairs;
                if (maskRow)
                    maskRow[x - 1] = 1;
            }
        }
    }
    return pairs;
}

std::int64_t CountHorizontalInnerPairs(const RasterView& raster, const ColorMatcher& matcher,
                                       std::uint8_t* mask)
{
    // The pairs are the same whether columns or rows are walked first; rows
    // keep the reads sequential.
    std::int64_t pairs = 0;
    const int W = raster.width;
    for (int y = 1; y < raster.height; ++y) {
        const std::uint32_t* row = raster.row(y);
        const std::uint32_t* above = raster.row(y - 1);
        std::uint8_t* maskAbove = mask ? mask + static_cast<std::ptrdiff_t>(y - 1) * W : nullptr;
        for (int x = 0; x < W; ++x) {
            const std::uint32_t p = row[x];
            if (((p ^ above[x]) & kRgbMask) == 0 && matcher.matches(p)) {
                ++pairs;
                if (maskAbove)
                    maskAbove[x] = 1;
            }
        }
    }
    return pairs;
}

} // namespace centrafix
