// The balance's vortex lattice: a tapered wing and a tail of a third of its
// span behind it, at the default density and at double density (both
// directions), the case the convergence test checks.
//
//   build/bench/centrafix-bench --benchmark_filter=BM_BalanceLattice

#include "aero/vortex_lattice.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

using namespace centrafix::aero;

namespace {

Outline Taper(int rows, int firstRow, double rootChord, double tipChord, double quarterChordColumn)
{
    Outline outline{firstRow, {}};
    for (int r = 0; r < rows; ++r) {
        const double eta = std::abs(-1.0 + (r + 0.5) * 2.0 / rows);
        const double c = rootChord + (tipChord - rootChord) * eta;
        outline.rows.push_back({quarterChordColumn - 0.25 * c, quarterChordColumn + 0.75 * c});
    }
    return outline;
}

void BM_BalanceLattice(benchmark::State& state)
{
    const Outline wing = Taper(400, 0, 100.0, 50.0, 125.0);
    const Outline tail = Taper(140, 130, 40.0, 25.0, 510.0);
    double area = 0.0;
    for (const auto& row : wing.rows)
        area += (row.trail - row.lead) * 0.005 * 0.005;
    const std::vector<LatticeSurface> surfaces{{&wing, 0.0}, {&tail, 0.0}};
    const int factor = static_cast<int>(state.range(0));
    // 0 asks for the default; double density spelled out.
    const LatticeDensity density = factor == 1 ? LatticeDensity{} : LatticeDensity{160, 8};
    int panels = 0;
    for (auto _ : state) {
        const auto result = SolveLattice(surfaces, {0.005, 0.0, 0.0}, area, 0.1, density);
        panels = result ? result->panels : 0;
        benchmark::DoNotOptimize(result);
    }
    state.counters["panels"] = panels;
}
BENCHMARK(BM_BalanceLattice)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
