// The loading chart's share of a run on a tall picture: every row of the
// loading table read once and thinned to the chart's points.

#include "chart/spanwise_samples.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

void BM_ChartSamples(benchmark::State& state)
{
    const int height = static_cast<int>(state.range(0));
    std::vector<double> chord(static_cast<std::size_t>(height) + 1, 0.0);
    for (int y = height / 5; y < height * 4 / 5; ++y)
        chord[static_cast<std::size_t>(y)] = 100.0 + std::sin(y * 0.001) * 50.0;
    const centrafix::LoadingTable table(chord, height, height / 2.0, ".");
    for (auto _ : state)
        benchmark::DoNotOptimize(centrafix::SampleLoadingTable(table));
    state.SetItemsProcessed(state.iterations() * height);
}

} // namespace

BENCHMARK(BM_ChartSamples)->Arg(1000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
