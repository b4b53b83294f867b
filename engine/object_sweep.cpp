#include "object_sweep.h"

#include "row_strips.h"
#include "row_sweep.h"

#include <algorithm>

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
