#include "object_sweep.h"

#include "row_sweep.h"

#include <algorithm>
#include <system_error>
#include <thread>

namespace centrafix {
namespace {

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

// Runs strip(k) for k = 0 .. count - 1, all but the first on threads of
// their own.
template <class Strip>
void RunStrips(int count, const Strip& strip)
{
    std::vector<std::jthread> workers;
    workers.reserve(static_cast<std::size_t>(count - 1));
    for (int k = 1; k < count; ++k) {
        try {
            workers.emplace_back(strip, k);
        } catch (const std::system_error&) {
            // A machine short of memory may refuse a thread its stack; the
            // strip is then swept here, the result is the same.
            strip(k);
        }
    }
    strip(0);
}

// The threads a run uses: `requested`, or one per core when 0, never more than
// the rows allow.
int EffectiveThreads(int requested, int rows)
{
    int threads = requested > 0 ? requested : static_cast<int>(std::thread::hardware_concurrency());
    threads = std::max(1, threads);
    // Strips of fewer than 64 rows are not worth a thread.
    return std::max(1, std::min(threads, rows / 64));
}

} // namespace

bool CanSweepAllObjectsAtOnce(double Tolerance)
{
    return !(Tolerance > 127.5);
}

ObjectSweep::ObjectSweep(int width, int height, const PixelClasses& classes, const std::array<bool, 8>& measured,
                         QuarterChordMarks* marks, int threads, SweepMethod method)
    : m_width(width),
      m_height(height),
      m_measured(measured),
      m_classes(classes),
      m_marks(marks),
      m_threads(threads),
      m_method(method)
{}

void ObjectSweep::addBand(const RasterView& band, int firstRow, const std::uint32_t* above)
{
    // The row tables grow with the rows that arrive, never ahead of them: a
    // header may announce a hundred million rows that never come. Grown here,
    // before the strips write into them side by side.
    const auto rows = static_cast<std::size_t>(std::min(firstRow + band.height, m_height));
    for (std::size_t object = 1; object < 8; ++object) {
        if (m_measured[object] && m_result.rowChords[object].size() < rows)
            m_result.rowChords[object].resize(rows, 0);
    }
    const int count = EffectiveThreads(m_threads, band.height);
    std::vector<StripTotals> strips(static_cast<std::size_t>(count));
    while (m_scratch.size() < strips.size())
        m_scratch.emplace_back(m_width);
    auto stripStart = [&](int k) { return static_cast<int>(static_cast<std::int64_t>(band.height) * k / count); };
    // Strips own disjoint rows of the marks and row chords; the totals are
    // whole numbers, so adding them up in any order gives the same result.
    RunStrips(count, [&](int k) {
        const int from = stripStart(k);
        sweepRows(band, firstRow, from, stripStart(k + 1), from > 0 ? band.row(from - 1) : above,
                  m_scratch[static_cast<std::size_t>(k)], strips[static_cast<std::size_t>(k)]);
    });
    for (const StripTotals& strip : strips) {
        for (std::size_t object = 1; object < 8; ++object)
            Add(m_result.objects[object], strip.objects[object]);
        m_result.strayPixels += strip.stray;
    }
}

void ObjectSweep::sweepRows(const RasterView& band, int firstRow, int from, int to, const std::uint32_t* above,
                            RowScratch& scratch, StripTotals& strip)
{
    std::array<ObjectTotals, 8>& totals = strip.objects;
    for (int r = from; r < to; ++r) {
        const int y = firstRow + r;
        RowInput in;
        in.row = band.row(r);
        in.above = r > from ? band.row(r - 1) : above;
        in.width = m_width;
        in.marks = m_marks ? m_marks->row(y) : nullptr;
        RowSums sums;
        if (m_method == SweepMethod::Scalar || !SweepRowVector(in, m_classes, scratch, sums))
            SweepRowScalar(in, m_classes, scratch, sums);
        strip.stray += sums.stray;
        for (std::size_t object = 1; object < 8; ++object) {
            const std::int64_t chord = sums.count[object];
            auto& chords = m_result.rowChords[object];
            if (!chords.empty())
                chords[static_cast<std::size_t>(y)] = static_cast<std::int32_t>(chord);
            if (chord == 0)
                continue;
            ObjectTotals& t = totals[object];
            t.count += chord;
            t.twiceSx += sums.twiceSx[object];
            t.twiceSy += chord * (2 * static_cast<std::int64_t>(y) + 1);
            t.fourQ += sums.fourQ[object];
            t.sumSquaredChords += chord * chord;
            t.verticalPairs += sums.vertical[object];
            t.horizontalPairs += sums.horizontal[object];
        }
    }
}

SweepResult SweepAllObjects(const RasterView& raster, const std::array<bool, 8>& ticked, double Tolerance,
                            QuarterChordMarks& marks, int threads, SweepMethod method)
{
    ObjectSweep sweep(raster.width, raster.height, PixelClasses::ByCorner(ticked, Tolerance), ticked, &marks, threads,
                      method);
    sweep.addBand(raster, 0, nullptr);
    return sweep.take();
}

SweepResult SweepOneObject(const RasterView& raster, int object, double Tolerance, QuarterChordMarks& marks,
                           int threads, SweepMethod method, bool countStray)
{
    std::array<bool, 8> only{};
    only[static_cast<std::size_t>(object)] = true;
    ObjectSweep sweep(raster.width, raster.height, PixelClasses::Single(object, Tolerance, countStray), only, &marks,
                      threads, method);
    sweep.addBand(raster, 0, nullptr);
    return sweep.take();
}

} // namespace centrafix
