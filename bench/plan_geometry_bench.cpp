// Straightening and levelling a 24-megapixel phone photo (6000 x 4000).
//
//   build/bench/centrafix-bench --benchmark_filter='Straighten|Level'

#include "picture/edits/plan_geometry.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <cstdint>
#include <random>

using namespace centrafix;

namespace {

// A photo: a gradient with noise, so no pixel is one of the eight colours
// and every output pixel is mixed from four.
const QImage& Photo()
{
    static const QImage photo = [] {
        QImage image(6000, 4000, QImage::Format_RGB32);
        std::mt19937 random(5);
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const auto noise = static_cast<int>(random() % 16);
                row[x] = qRgb(200 + noise, 40 + (x >> 5) % 128 + noise, 40 + (y >> 5) % 128);
            }
        }
        return image;
    }();
    return photo;
}

void BM_Straighten24Megapixels(benchmark::State& state)
{
    const QImage& photo = Photo();
    // An A4 sheet photographed at an angle, filling most of the photo.
    const std::array<QPointF, 4> corners{QPointF(400, 300), QPointF(5600, 200), QPointF(5800, 3800),
                                         QPointF(200, 3700)};
    std::int64_t pixels = 0;
    for (auto _ : state) {
        const Result<StraightenedPlan> straightened = StraightenPicture(photo, corners, QSizeF(297, 210));
        if (!straightened.ok()) {
            state.SkipWithError("refused");
            return;
        }
        pixels = straightened->picture.width() * std::int64_t(straightened->picture.height());
        benchmark::DoNotOptimize(straightened->picture.constBits());
    }
    state.counters["megapixels_out"] = static_cast<double>(pixels) / 1e6;
}

void BM_Level24Megapixels(benchmark::State& state)
{
    const QImage& photo = Photo();
    for (auto _ : state) {
        const Result<QImage> levelled = LevelPicture(photo, QPointF(100, 100), QPointF(5900, 400));
        if (!levelled.ok()) {
            state.SkipWithError("refused");
            return;
        }
        benchmark::DoNotOptimize(levelled->constBits());
    }
}

} // namespace

BENCHMARK(BM_Straighten24Megapixels)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Level24Megapixels)->Unit(benchmark::kMillisecond)->UseRealTime();
