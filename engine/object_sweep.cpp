#include "object_sweep.h"

#include "color_match.h"
#include "color_object.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <thread>

namespace centrafix {
namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

// Object index of each colour corner, by the bits (red >= 128) | (green >= 128) << 1
// | (blue >= 128) << 2. White (all set) is the background, never an object.
constexpr std::array<int, 8> kCornerObject = {
    1, // black
    2, // red
    3, // green
    5, // yellow
    4, // blue
    7, // magenta
    6, // cyan
    0, // white
};

struct StripTotals {
    std::array<ObjectTotals, 8> objects{};
};

// Tells the object of every raster word when no word can match two colours:
// by its nearest colour corner and the distance to it.
class CornerClassifier {
public:
    CornerClassifier(const std::array<bool, 8>& ticked, double Tolerance)
    {
        const int maxSum = MaxColorDistance(Tolerance);
        // Per component: its distance to the nearer end (0 or 255) in the low
        // bits and which end in one corner bit; the three added up give the
        // distance to the nearest corner and the corner, and one more table
        // turns that into the object.
        for (int v = 0; v < 256; ++v) {
            const int high = v >> 7;
            const int distance = high ? 255 - v : v;
            for (int c = 0; c < 3; ++c)
                m_component[static_cast<std::size_t>(c)][static_cast<std::size_t>(v)] =
                    static_cast<std::uint16_t>(distance | (high << (9 + c)));
        }
        for (int corner = 0; corner < 8; ++corner) {
            const int object = kCornerObject[static_cast<std::size_t>(corner)];
            const int measured = object != 0 && ticked[static_cast<std::size_t>(object)] ? object : 0;
            for (int distance = 0; distance < 512; ++distance)
                m_object[static_cast<std::size_t>(corner << 9 | distance)] =
                    static_cast<std::uint8_t>(distance <= maxSum ? measured : 0);
        }
    }

    int operator()(std::uint32_t w) const
    {
        const unsigned key = m_component[0][(w >> 16) & 0xFF] + m_component[1][(w >> 8) & 0xFF] +
                             m_component[2][w & 0xFF];
        return m_object[key];
    }

private:
    std::array<std::array<std::uint16_t, 256>, 3> m_component{};
    std::array<std::uint8_t, 8 * 512> m_object{};
};

// One object by its own colour match.
class SingleClassifier {
public:
    SingleClassifier(int object, double Tolerance)
        : m_object(object), m_matcher(kObjectColors[static_cast<std::size_t>(object)], Tolerance)
    {
    }

    int operator()(std::uint32_t w) const { return m_matcher.matches(w) ? m_object : 0; }

private:
    int m_object;
    ColorMatcher m_matcher;
};

template <class Classify>
class Sweeper {
public:
    Sweeper(const RasterView& raster, const Classify& classify, QuarterChordMarks& marks,
            SweepResult& result)
        : m_raster(raster), m_classify(classify), m_marks(marks), m_result(result)
    {
    }

    void sweepRows(int y0, int y1, StripTotals& strip) const
    {
        const int W = m_raster.width;
        RowScratch scratch(W);
        for (int y = y0; y < y1; ++y) {
            const std::uint32_t* row = m_raster.row(y);
            const std::uint32_t* above = y > 0 ? m_raster.row(y - 1) : nullptr;
            // Flat drawings have long stretches of one colour, which the
            // stretch walker skips through; noise and dithering have short
            // ones, where its branches mispredict and the branch-free walker
            // wins. Counting the colour changes picks the walker per row.
            int changes = 0;
            for (int x = 1; x < W; ++x)
                changes += row[x] != row[x - 1];
            std::array<std::int64_t, 8> rowChord{};
            if (changes * 8 > W)
                sweepNoisyRow(y, row, above, strip, rowChord, scratch);
            else
                sweepFlatRow(y, row, above, strip, rowChord);
            addRow(y, rowChord, strip);
        }
    }

private:
    struct RowScratch {
        explicit RowScratch(int width)
            : labels(static_cast<std::size_t>(width) + 1), runs(static_cast<std::size_t>(width) + 1)
        {
        }
        std::vector<std::uint8_t> labels;
        std::vector<std::uint64_t> runs; // object << 56 | start << 28 | end
    };

    void addRow(int y, const std::array<std::int64_t, 8>& rowChord, StripTotals& strip) const
    {
        for (int object = 1; object <= 7; ++object) {
            const std::int64_t chord = rowChord[static_cast<std::size_t>(object)];
            auto& chords = m_result.rowChords[static_cast<std::size_t>(object)];
            if (!chords.empty())
                chords[static_cast<std::size_t>(y)] = static_cast<std::int32_t>(chord);
            if (chord == 0)
                continue;
            ObjectTotals& t = strip.objects[static_cast<std::size_t>(object)];
            t.count += chord;
            t.twiceSy += chord * (2 * static_cast<std::int64_t>(y) + 1);
            t.sumSquaredChords += chord * chord;
        }
    }

    void markRun(int y, int object, std::int64_t xs, std::int64_t xe) const
    {
        const std::uint8_t bit = QuarterChordMarks::bitOf(object);
        std::uint8_t* marks = m_marks.row(y);
        marks[xs] |= bit;
        marks[xs + (xe - xs) / 4] |= bit; // floor of the quarter-chord point
        marks[xe] |= bit;
    }

    // Walks the row run by run, skipping stretches of one exact colour.
    void sweepFlatRow(int y, const std::uint32_t* row, const std::uint32_t* above,
                      StripTotals& strip, std::array<std::int64_t, 8>& rowChord) const
    {
        const int W = m_raster.width;
        int x = 0;
        while (x < W) {
            const std::uint32_t w = row[x];
            const int object = m_classify(w);
            if (object == 0) {
                ++x;
                while (x < W && row[x] == w)
                    ++x;
                continue;
            }
            ObjectTotals& t = strip.objects[static_cast<std::size_t>(object)];
            const int xs = x;
            std::int64_t vertical = 0;
            std::int64_t horizontal = 0;
            std::uint32_t previous = w;
            if (above && ((above[x] ^ w) & kRgbMask) == 0)
                ++horizontal;
            ++x;
            while (x < W) {
                const std::uint32_t v = row[x];
                if (((v ^ previous) & kRgbMask) == 0) {
                    ++vertical;
                } else if (m_classify(v) != object) {
                    break;
                }
                if (above && ((above[x] ^ v) & kRgbMask) == 0)
                    ++horizontal;
                previous = v;
                ++x;
            }
            // A run from xs to x (exclusive).
            const std::int64_t n = x - xs;
            rowChord[static_cast<std::size_t>(object)] += n;
            t.twiceSx += 2 * n * xs + n * n;
            t.fourQ += 4 * n * xs + n * n;
            t.verticalPairs += vertical;
            t.horizontalPairs += horizontal;
            if (x < W)
                markRun(y, object, xs, x);
        }
    }

    // Visits every pixel without data-dependent branches: sums go into small
    // per-object tables indexed by the pixel's object (entry 0 collects the
    // background and is thrown away), run ends are appended branch-free and
    // marked afterwards. Uses Q = Sx - (sum over runs of chord^2) / 4.
    void sweepNoisyRow(int y, const std::uint32_t* row, const std::uint32_t* above,
                       StripTotals& strip, std::array<std::int64_t, 8>& rowChord,
                       RowScratch& scratch) const
    {
        const int W = m_raster.width;
        std::uint8_t* labels = scratch.labels.data();
        for (int x = 0; x < W; ++x)
            labels[x] = static_cast<std::uint8_t>(m_classify(row[x]));
        labels[W] = 0; // closes a run at the border

        std::array<std::int64_t, 8> count{}, twiceSx{}, squares{}, vertical{}, horizontal{};
        std::uint64_t* ended = scratch.runs.data();
        int runs = 0;
        int previous = 0;
        int xs = 0;
        std::uint32_t left = ~row[0]; // no left neighbour for column 0
        for (int x = 0; x < W; ++x) {
            const std::uint32_t w = row[x];
            const int object = labels[x];
            const bool starts = object != previous;
            // Record the run that ends here (its object is `previous`).
            ended[runs] = static_cast<std::uint64_t>(previous) << 56 |
                          static_cast<std::uint64_t>(xs) << 28 | static_cast<std::uint64_t>(x);
            runs += starts & (previous != 0);
            xs = starts ? x : xs;
            const auto k = static_cast<std::size_t>(object);
            count[k] += 1;
            twiceSx[k] += 2 * static_cast<std::int64_t>(x) + 1;
            squares[k] += 2 * static_cast<std::int64_t>(x - xs) + 1;
            vertical[k] += ((w ^ left) & kRgbMask) == 0;
            if (above)
                horizontal[k] += ((w ^ above[x]) & kRgbMask) == 0;
            left = w;
            previous = object;
        }
        constexpr std::uint64_t kField = (1u << 28) - 1;
        for (int r = 0; r < runs; ++r)
            markRun(y, static_cast<int>(ended[r] >> 56), static_cast<std::int64_t>((ended[r] >> 28) & kField),
                    static_cast<std::int64_t>(ended[r] & kField));
        for (std::size_t k = 1; k < 8; ++k) {
            if (count[k] == 0)
                continue;
            ObjectTotals& t = strip.objects[k];
            rowChord[k] += count[k];
            t.twiceSx += twiceSx[k];
            t.fourQ += 2 * twiceSx[k] - squares[k];
            t.verticalPairs += vertical[k];
            t.horizontalPairs += horizontal[k];
        }
    }

    const RasterView& m_raster;
    const Classify& m_classify;
    QuarterChordMarks& m_marks;
    SweepResult& m_result;
};

void Add(ObjectTotals& into, const ObjectTotals& t)
{
    into.count += t.count;
    into.twiceSx += t.twiceSx;
    into.twiceSy += t.twiceSy;
    into.fourQ += t.fourQ;
    into.sumSquaredChords += t.sumSquaredChords;
    into.verticalPairs += t.verticalPairs;
    into.horizontalPairs += t.horizontalPairs;
}

} // namespace

bool CanSweepAllObjectsAtOnce(double Tolerance)
{
    return !(Tolerance > 127.5);
}

int EffectiveThreads(int requested, int rows)
{
    int threads = requested > 0 ? requested : static_cast<int>(std::thread::hardware_concurrency());
    threads = std::max(1, threads);
    // Strips of fewer than 64 rows are not worth a thread.
    return std::max(1, std::min(threads, rows / 64));
}

namespace {

template <class Classify>
SweepResult Sweep(const RasterView& raster, const std::array<bool, 8>& measured,
                  const Classify& classify, QuarterChordMarks& marks, int threads)
{
    SweepResult result;
    for (int object = 1; object <= 7; ++object) {
        if (measured[static_cast<std::size_t>(object)])
            result.rowChords[static_cast<std::size_t>(object)].assign(
                static_cast<std::size_t>(raster.height), 0);
    }
    const Sweeper<Classify> sweeper(raster, classify, marks, result);
    const int count = EffectiveThreads(threads, raster.height);
    std::vector<StripTotals> strips(static_cast<std::size_t>(count));
    auto stripStart = [&](int k) {
        return static_cast<int>(static_cast<std::int64_t>(raster.height) * k / count);
    };
    if (count == 1) {
        sweeper.sweepRows(0, raster.height, strips[0]);
    } else {
        // Strips own disjoint rows of the marks and row chords; the totals are
        // whole numbers, so adding them up in any order gives the same result.
        std::vector<std::jthread> workers;
        workers.reserve(static_cast<std::size_t>(count - 1));
        for (int k = 1; k < count; ++k) {
            auto strip = [&, k] {
                sweeper.sweepRows(stripStart(k), stripStart(k + 1), strips[static_cast<std::size_t>(k)]);
            };
            try {
                workers.emplace_back(strip);
            } catch (const std::system_error&) {
                // A machine short of memory may refuse a thread its stack;
                // the strip is then swept here, the result is the same.
                strip();
            }
        }
        sweeper.sweepRows(0, stripStart(1), strips[0]);
    }
    for (const StripTotals& strip : strips)
        for (std::size_t object = 1; object < 8; ++object)
            Add(result.objects[object], strip.objects[object]);
    return result;
}

} // namespace

SweepResult SweepAllObjects(const RasterView& raster, const std::array<bool, 8>& ticked,
                            double Tolerance, QuarterChordMarks& marks, int threads)
{
    return Sweep(raster, ticked, CornerClassifier(ticked, Tolerance), marks, threads);
}

SweepResult SweepOneObject(const RasterView& raster, int object, double Tolerance,
                           QuarterChordMarks& marks, int threads)
{
    std::array<bool, 8> only{};
    only[static_cast<std::size_t>(object)] = true;
    return Sweep(raster, only, SingleClassifier(object, Tolerance), marks, threads);
}

} // namespace centrafix
