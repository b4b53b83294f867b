#include "spanwise_samples.h"

#include <algorithm>

namespace centrafix {
namespace {

constexpr int kSeries = 5; // the chord, then the four loadings

double ValueOf(const LoadingTable::Row& row, int series)
{
    return series == 0 ? row.chord : row.Cl[series - 1];
}

QList<QPointF>& SeriesOf(SpanwiseSamples& samples, int series)
{
    return series == 0 ? samples.chord : samples.loading[static_cast<std::size_t>(series - 1)];
}

// The lowest and highest row of one run for one series.
struct Extremes {
    LoadingTable::Row low;
    LoadingTable::Row high;
    std::size_t lowAt = 0;
    std::size_t highAt = 0;
};

} // namespace

SpanwiseSamples SampleLoadingTable(const LoadingTable& table, std::string unit, qsizetype maxPoints)
{
    SpanwiseSamples samples;
    samples.unit = std::move(unit);
    const std::size_t rows = table.rows();
    if (rows == 0)
        return samples;
    samples.etaFirst = table.row(0).Eta;
    samples.etaLast = table.row(rows - 1).Eta;
    const std::size_t limit = static_cast<std::size_t>(std::max<qsizetype>(maxPoints, 2));
    const std::size_t run = rows <= limit ? 1 : (rows + limit / 2 - 1) / (limit / 2);
    const qsizetype expected = static_cast<qsizetype>(std::min(rows, limit));
    for (int s = 0; s < kSeries; ++s)
        SeriesOf(samples, s).reserve(expected);

    for (std::size_t first = 0; first < rows; first += run) {
        const std::size_t end = std::min(rows, first + run);
        std::array<Extremes, kSeries> extremes;
        for (std::size_t y = first; y < end; ++y) {
            const LoadingTable::Row row = table.row(y);
            for (int s = 0; s < kSeries; ++s) {
                Extremes& e = extremes[static_cast<std::size_t>(s)];
                if (y == first || ValueOf(row, s) < ValueOf(e.low, s)) {
                    e.low = row;
                    e.lowAt = y;
                }
                if (y == first || ValueOf(row, s) > ValueOf(e.high, s)) {
                    e.high = row;
                    e.highAt = y;
                }
            }
        }
        for (int s = 0; s < kSeries; ++s) {
            const Extremes& e = extremes[static_cast<std::size_t>(s)];
            QList<QPointF>& series = SeriesOf(samples, s);
            const LoadingTable::Row& earlier = e.lowAt <= e.highAt ? e.low : e.high;
            const LoadingTable::Row& later = e.lowAt <= e.highAt ? e.high : e.low;
            series.append(QPointF(earlier.Eta, ValueOf(earlier, s)));
            if (e.lowAt != e.highAt)
                series.append(QPointF(later.Eta, ValueOf(later, s)));
        }
    }
    return samples;
}

} // namespace centrafix
