// Undo on a 100-megapixel scan (12000 x 8400, a line drawing): keeping a fill
// of a large region (the difference over its rectangle), keeping a whole
// picture (an Open or a crop), and undoing each. The counters say how many
// bytes the step holds.
//
//   build/bench/centrafix-bench --benchmark_filter=BM_History

#include "document/picture_history.h"

#include <benchmark/benchmark.h>

#include <QPainter>

using namespace centrafix;

namespace {

constexpr Message kStep{"Schritt", "Step"};

const QImage& Scan()
{
    static const QImage scan = [] {
        QImage image(12000, 8400, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 3));
        p.drawPolygon(QPolygonF({{1000, 600}, {9000, 2400}, {9000, 6000}, {1000, 7800}}));
        for (int x = 200; x < 11800; x += 400)
            p.drawLine(x, 100, x + 150, 300);
        return image;
    }();
    return scan;
}

void BM_HistoryFillStep(benchmark::State& state)
{
    const QImage& before = Scan();
    QImage after = before.copy();
    {
        QPainter p(&after);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::red);
        p.drawPolygon(QPolygonF({{1002, 602}, {8998, 2402}, {8998, 5998}, {1002, 7798}}));
    }
    std::int64_t bytes = 0;
    for (auto _ : state) {
        PictureHistory history;
        history.record(before, {}, after, {}, kStep);
        PictureIdentity identity;
        benchmark::DoNotOptimize(history.undo(after, identity));
        bytes = history.bytesHeld();
    }
    state.counters["held_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_HistoryFillStep)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HistoryWholeStep(benchmark::State& state)
{
    const QImage& before = Scan();
    const QImage after = before.copy(0, 0, 6000, 4200);
    std::int64_t bytes = 0;
    for (auto _ : state) {
        PictureHistory history;
        history.record(before, {"scan.png", {}, false}, after, {"crop", {}, false}, kStep);
        PictureIdentity identity{"crop", {}, false};
        benchmark::DoNotOptimize(history.undo(after, identity));
        bytes = history.bytesHeld();
    }
    state.counters["held_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_HistoryWholeStep)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
