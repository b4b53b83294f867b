#include "object_measures.h"

#include <algorithm>

namespace centrafix {

std::int64_t OutlineEdges(const ObjectTotals& totals, bool withHorizontalPairs)
{
    const std::int64_t pairs = totals.verticalPairs + (withHorizontalPairs ? totals.horizontalPairs : 0);
    return 4 * totals.count - 2 * pairs;
}

ObjectMeasures MeasureObject(const ObjectTotals& totals, const std::vector<std::int32_t>& rowChords, double ScaleFactor,
                             std::vector<double>& RowChord)
{
    const double s = ScaleFactor;
    const std::size_t rows = std::min(rowChords.size(), RowChord.size());
    for (std::size_t y = 0; y < rows; ++y)
        RowChord[y] += s * static_cast<double>(rowChords[y]);

    ObjectMeasures m;
    if (totals.count == 0)
        return m;
    // Every sum is a whole number of halves or quarters, exact in a double.
    const double n = static_cast<double>(totals.count);
    m.cgX = static_cast<double>(totals.twiceSx) / 2.0 / n * s;
    m.cgY = static_cast<double>(totals.twiceSy) / 2.0 / n * s;
    m.acX = static_cast<double>(totals.fourQ) / 4.0 / n * s;
    m.refLength = static_cast<double>(totals.sumSquaredChords) / n * s;
    m.area = s * n * s;
    m.outline = static_cast<double>(OutlineEdges(totals, true)) * s;
    return m;
}

} // namespace centrafix
