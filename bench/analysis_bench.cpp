// Speed of the analysis against the speed of simply reading the raster once.
// The ratio is the figure to watch: absolute times drift on shared machines.
//
//   build/bench/centrafix-bench --benchmark_filter='/(16|64)$'

#include "engine/analysis_run.h"
#include "picture/picture_source.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <random>
#include <vector>

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
        QImage big =
            example.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation).convertToFormat(QImage::Format_RGB32);
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

// A drawing as a scanner returns it: the example upscaled, its edges
// blurred over a few pixels (a box blur of the upscaled picture) and every
// component moved by -8 to +8 at random. Runs are long inside the areas,
// broken at every pixel near an edge, and no two neighbours have one colour.
const QImage& ScanAt(int megapixels)
{
    static std::map<int, QImage> cache;
    auto it = cache.find(megapixels);
    if (it == cache.end()) {
        QImage scan = ExampleAt(megapixels).copy();
        const int w = scan.width(), h = scan.height();
        // The blur: each component averaged over a 5 x 5 box, by rows then columns.
        constexpr int kRadius = 2;
        auto blur = [&](int length, int count, auto at) {
            std::vector<int> line(static_cast<std::size_t>(length));
            for (int i = 0; i < count; ++i)
                for (int shift = 0; shift < 24; shift += 8) {
                    for (int k = 0; k < length; ++k)
                        line[static_cast<std::size_t>(k)] = static_cast<int>((at(i, k) >> shift) & 0xFF);
                    for (int k = 0; k < length; ++k) {
                        int sum = 0;
                        for (int d = -kRadius; d <= kRadius; ++d)
                            sum += line[static_cast<std::size_t>(std::clamp(k + d, 0, length - 1))];
                        std::uint32_t& word = at(i, k);
                        word = (word & ~(0xFFu << shift)) |
                               static_cast<std::uint32_t>((sum + kRadius) / (2 * kRadius + 1)) << shift;
                    }
                }
        };
        auto pixel = [&](int y, int x) -> std::uint32_t& {
            return reinterpret_cast<std::uint32_t*>(scan.scanLine(y))[x];
        };
        blur(w, h, pixel);
        blur(h, w, [&](int x, int y) -> std::uint32_t& { return pixel(y, x); });
        std::mt19937 random(77);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                std::uint32_t& word = pixel(y, x);
                const std::uint32_t bits = random();
                std::uint32_t out = 0xFF000000u;
                for (int shift = 0; shift < 24; shift += 8) {
                    const int noise = static_cast<int>((bits >> shift) % 17) - 8;
                    const int c = std::clamp(static_cast<int>((word >> shift) & 0xFF) + noise, 0, 255);
                    out |= static_cast<std::uint32_t>(c) << shift;
                }
                word = out;
            }
        it = cache.emplace(megapixels, std::move(scan)).first;
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
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(raster.width) * raster.height * 4);
}

void FullAnalysis(benchmark::State& state, const QImage& picture, const char* tolerance = "10", bool balance = true)
{
    const RasterView raster = RasterViewOf(picture);
    AnalysisInputs inputs;
    inputs.ticked.fill(true);
    inputs.toleranceText = tolerance;
    // The example's wing and tail; without them the run reads no edges and
    // computes no balance.
    inputs.balance.roles.fill(aero::SurfaceRole::Other);
    if (balance) {
        inputs.balance.roles[2] = aero::SurfaceRole::Wing;
        inputs.balance.roles[4] = aero::SurfaceRole::Tail;
    }
    const RunSetup setup = *PrepareRun(inputs);
    AnalysisObserver quiet;
    for (auto _ : state) {
        ColorObjectTable objects = MakeColorObjects(kEnglish);
        AnalysisResult result = RunAnalysis(raster, objects, setup, inputs, quiet);
        benchmark::DoNotOptimize(result.gridRows.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(raster.width) * raster.height * 4);
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

// The scan needs a wider tolerance: the noise alone moves a colour by up to 24.
void BM_FullAnalysisScan(benchmark::State& state)
{
    FullAnalysis(state, ScanAt(static_cast<int>(state.range(0))), "60");
}

// The whole Analyze with the balance (edge read, outline, lattice), beside
// the same run without it; 0 is the example at its own size.
const QImage& PictureOf(int megapixels)
{
    static const QImage example = ExamplePicture().convertToFormat(QImage::Format_RGB32);
    return megapixels == 0 ? example : ExampleAt(megapixels);
}

void BM_Balance(benchmark::State& state)
{
    FullAnalysis(state, PictureOf(static_cast<int>(state.range(0))), "10", true);
}

void BM_NoBalance(benchmark::State& state)
{
    FullAnalysis(state, PictureOf(static_cast<int>(state.range(0))), "10", false);
}

} // namespace

BENCHMARK(BM_Balance)->Arg(0)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NoBalance)->Arg(0)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPass)->Arg(1)->Arg(16)->Arg(50)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullAnalysis)->Arg(1)->Arg(16)->Arg(50)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullAnalysisNoisy)->Arg(1)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullAnalysisScan)->Arg(1)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
