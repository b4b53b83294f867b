// Speed of the analysis against the speed of simply reading the raster once.
// The ratio is the figure to watch: absolute times drift on shared machines.
//
//   build/bench/centrafix-bench --benchmark_filter='/(16|64)$'

#include "engine/analysis_run.h"
#include "picture/picture_source.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <cmath>
#include <cstdint>
#include <map>
#include <random>

using namespace centrafix;

namespace {

// The built-in example scaled up by nearest neighbour (colours stay exact) to
// about `megapixels` million pixels. Cached: building the big pictures costs
// more than some of the runs.
const QImage& ExampleAt(int megapixels)
{
    static std::map<int, QImage> cache;
    auto it = cache.find(megapixels);
    if (it == cache.end()) {
        const QImage example = ExamplePicture();
        const double k = std::sqrt(megapixels * 1e6 / (double(example.width()) * example.height()));
        const QSize size(static_cast<int>(std::lround(example.width() * k)),
                         static_cast<int>(std::lround(example.height() * k)));
        QImage big = example.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                         .convertToFormat(QImage::Format_RGB32);
        it = cache.emplace(megapixels, std::move(big)).first;
    }
    return it->second;
}

// The worst case: every pixel a random colour within the default tolerance of
// one of the seven object colours or of white, so runs are short and branches
// unpredictable.
const QImage& NoisyAt(int megapixels)
{
    static std::map<int, QImage> cache;
    auto it = cache.find(megapixels);
    if (it == cache.end()) {
        const int side = static_cast<int>(std::lround(std::sqrt(megapixels * 1e6)));
        QImage noisy(side, side, QImage::Format_RGB32);
        std::mt19937 random(1234);
        for (int y = 0; y < side; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(noisy.scanLine(y));
            for (int x = 0; x < side; ++x) {
                const std::uint32_t bits = random();
                // Corner colour from three bits, each component moved inwards by
                // 0 to 2 so the sum of the moves stays below the tolerance 10.
                auto component = [&](int bit, int shift) {
                    const int d = static_cast<int>((bits >> shift) % 3);
                    return (bits >> bit) & 1 ? 255 - d : d;
                };
                row[x] = 0xFF000000u | (static_cast<std::uint32_t>(component(0, 8)) << 16) |
                         (static_cast<std::uint32_t>(component(1, 12)) << 8) |
                         static_cast<std::uint32_t>(component(2, 16));
            }
        }
        it = cache.emplace(megapixels, std::move(noisy)).first;
    }
    return it->second;
}

void ReadPass(benchmark::State& state, const QImage& picture)
{
    const RasterView raster = RasterViewOf(picture);
    for (auto _ : state) {
        std::uint64_t sum = 0;
        for (int y = 0; y < raster.height; ++y) {
            const std::uint32_t* row = raster.row(y);
            for (int x = 0; x < raster.width; ++x)
                sum += row[x];
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(raster.width) *
                            raster.height * 4);
}

void FullAnalysis(benchmark::State& state, const QImage& picture)
{
    const RasterView raster = RasterViewOf(picture);
    AnalysisInputs inputs;
    inputs.ticked.fill(true);
    const RunSetup setup = *PrepareRun(inputs);
    AnalysisObserver quiet;
    for (auto _ : state) {
        ColorObjectTable objects = MakeColorObjects(kEnglish);
        AnalysisResult result = RunAnalysis(raster, objects, setup, inputs, quiet);
        benchmark::DoNotOptimize(result.gridRows.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(raster.width) *
                            raster.height * 4);
}

void BM_ReadPass(benchmark::State& state)
{
    ReadPass(state, ExampleAt(static_cast<int>(state.range(0))));
}

void BM_FullAnalysis(benchmark::State& state)
{
    FullAnalysis(state, ExampleAt(static_cast<int>(state.range(0))));
}

void BM_FullAnalysisNoisy(benchmark::State& state)
{
    FullAnalysis(state, NoisyAt(static_cast<int>(state.range(0))));
}

} // namespace

BENCHMARK(BM_ReadPass)->Arg(1)->Arg(16)->Arg(50)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullAnalysis)->Arg(1)->Arg(16)->Arg(50)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullAnalysisNoisy)->Arg(1)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
