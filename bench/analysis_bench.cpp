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

void BM_ReadPass(benchmark::State& state)
{
    const QImage& picture = ExampleAt(static_cast<int>(state.range(0)));
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

void BM_FullAnalysis(benchmark::State& state)
{
    const QImage& picture = ExampleAt(static_cast<int>(state.range(0)));
    const RasterView raster = RasterViewOf(picture);
    AnalysisInputs inputs;
    inputs.ticked.fill(true);
    RunSetup setup;
    PrepareRun(inputs, setup);
    AnalysisObserver quiet;
    for (auto _ : state) {
        ColorObjectTable objects = MakeColorObjects(kEnglish);
        AnalysisResult result = RunAnalysis(raster, objects, setup, inputs, quiet);
        benchmark::DoNotOptimize(result.gridRows.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(raster.width) *
                            raster.height * 4);
}

} // namespace

BENCHMARK(BM_ReadPass)->Arg(1)->Arg(16)->Arg(50)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullAnalysis)->Arg(1)->Arg(16)->Arg(50)->Arg(64)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
