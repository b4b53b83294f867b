#include "quarter_chord_marks.h"
#include "row_sweep.h"

namespace centrafix {
namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

bool SameColor(std::uint32_t a, std::uint32_t b)
{
    return ((a ^ b) & kRgbMask) == 0;
}

void MarkRun(std::uint8_t* marks, int object, std::int64_t xs, std::int64_t xe)
{
    const std::uint8_t bit = QuarterChordMarks::bitOf(object);
    marks[xs] |= bit;
    marks[xs + (xe - xs) / 4] |= bit; // floor of the quarter-chord point
    marks[xe] |= bit;
}

// Walks the row run by run, skipping stretches of one exact colour.
void SweepFlatRow(const RowInput& in, const PixelClasses& classify, RowSums& s)
{
    const int W = in.width;
    const std::uint32_t* row = in.row;
    const std::uint32_t* above = in.above;
    int x = 0;
    while (x < W) {
        const std::uint32_t w = row[x];
        const int object = classify(w);
        if (object == 0) {
            const int from = x;
            ++x;
            while (x < W && row[x] == w)
                ++x;
            // A matched word is never stray, whichever object it matched.
            if (classify.countStray && IsStrayPixel(w, classify.maxSum))
                s.stray += x - from;
            continue;
        }
        const auto k = static_cast<std::size_t>(object);
        const int xs = x;
        std::int64_t vertical = 0;
        std::int64_t horizontal = 0;
        std::uint32_t previous = w;
        if (above && SameColor(above[x], w))
            ++horizontal;
        ++x;
        while (x < W) {
            const std::uint32_t v = row[x];
            if (SameColor(v, previous))
                ++vertical;
            else if (classify(v) != object)
                break;
            if (above && SameColor(above[x], v))
                ++horizontal;
            previous = v;
            ++x;
        }
        // A run from xs to x (exclusive).
        const std::int64_t n = x - xs;
        s.count[k] += n;
        s.twiceSx[k] += 2 * n * xs + n * n;
        s.fourQ[k] += 4 * n * xs + n * n;
        s.vertical[k] += vertical;
        s.horizontal[k] += horizontal;
        if (x < W && in.marks)
            MarkRun(in.marks, object, xs, x);
    }
}

// Visits every pixel without data-dependent branches: sums go into the
// per-object tables indexed by the pixel's object (entry 0 collects the
// background), run ends are appended branch-free and marked afterwards.
// Uses Q = Sx - (sum over runs of chord^2) / 4.
void SweepNoisyRow(const RowInput& in, const PixelClasses& classify, RowScratch& scratch, RowSums& s)
{
    const int W = in.width;
    const std::uint32_t* row = in.row;
    std::uint8_t* labels = scratch.codes();
    for (int x = 0; x < W; ++x)
        labels[x] = static_cast<std::uint8_t>(classify(row[x]));
    if (classify.countStray) {
        for (int x = 0; x < W; ++x)
            s.stray += IsStrayPixel(row[x], classify.maxSum) ? 1 : 0;
    }

    std::array<std::int64_t, 8> twiceSx{}, squares{};
    std::int64_t* starts = scratch.runStarts().data();
    std::int64_t* ends = scratch.runEnds().data();
    std::int64_t runs = 0;
    int previous = 0;
    std::int64_t xs = 0;
    std::uint32_t left = ~row[0]; // no left neighbour for column 0
    for (int x = 0; x < W; ++x) {
        const std::uint32_t w = row[x];
        const int object = labels[x];
        const bool starts_here = object != previous;
        // Record the run that ends here (its object is `previous`).
        starts[runs] = xs;
        ends[runs] = x;
        runs += starts_here & (previous != 0);
        xs = starts_here ? x : xs;
        const auto k = static_cast<std::size_t>(object);
        s.count[k] += 1;
        twiceSx[k] += 2 * static_cast<std::int64_t>(x) + 1;
        squares[k] += 2 * (x - xs) + 1;
        s.vertical[k] += SameColor(w, left);
        if (in.above)
            s.horizontal[k] += SameColor(w, in.above[x]);
        left = w;
        previous = object;
    }
    if (in.marks) {
        for (std::int64_t r = 0; r < runs; ++r)
            MarkRun(in.marks, labels[starts[r]], starts[r], ends[r]);
    }
    for (std::size_t k = 0; k < 8; ++k) {
        s.twiceSx[k] += twiceSx[k];
        s.fourQ[k] += 2 * twiceSx[k] - squares[k];
    }
}

} // namespace

RowScratch::RowScratch(int width)
    : m_codes(static_cast<std::size_t>(width) + kLead + 256, 0),
      m_bits(static_cast<std::size_t>(width) / 64 + 8, 0),
      m_runStarts(static_cast<std::size_t>(width) + 1),
      m_runEnds(static_cast<std::size_t>(width) + 1)
{}

void SweepRowScalar(const RowInput& in, const PixelClasses& classes, RowScratch& scratch, RowSums& sums)
{
    // Flat drawings have long stretches of one colour, which the stretch
    // walker skips through; noise and dithering have short ones, where its
    // branches mispredict and the branch-free walker wins. Counting the colour
    // changes picks the walker per row.
    const int W = in.width;
    std::int64_t changes = 0;
    for (int x = 1; x < W; ++x)
        changes += in.row[x] != in.row[x - 1];
    if (changes * 8 > W)
        SweepNoisyRow(in, classes, scratch, sums);
    else
        SweepFlatRow(in, classes, sums);
}

} // namespace centrafix
