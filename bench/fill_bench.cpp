// The paint bucket and colour mapping on a 100-megapixel line scan (a plan
// scanned at 600 dpi, 12000 x 8400). Beside one plain read of a 64-megapixel
// raster (BM_ReadPass/64), the figure to compare on a shared machine:
//
//   build/bench/centrafix-bench --benchmark_filter='FillWing|MapColour|ReadPass/64'

#include "picture/edits/colour_map.h"
#include "picture/edits/paint_fill.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <cstdint>

using namespace centrafix;

namespace {

constexpr double kScanDpi = 600.0;

// A wing spanning most of the sheet, a tail, hatching and a dimension, drawn
// with 0.5 mm anti-aliased lines.
const QImage& LineScan()
{
    static const QImage scan = [] {
        QImage page(12000, 8400, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(kScanDpi / 25.4, kScanDpi / 25.4);
        painter.setPen(QPen(Qt::black, 0.5));
        painter.drawPolygon(QPolygonF{{20, 30}, {250, 90}, {480, 140}, {480, 200}, {250, 230}, {20, 240}});
        painter.drawPolygon(QPolygonF{{30, 270}, {200, 290}, {200, 330}, {30, 340}});
        painter.setPen(QPen(Qt::black, 0.25));
        for (double x = 260; x < 470; x += 2.0)
            painter.drawLine(QPointF(x, 270), QPointF(x + 50, 340));
        // A dimension line under the wing (text needs a running application).
        painter.drawLine(QPointF(20, 255), QPointF(480, 255));
        painter.setBrush(Qt::black);
        painter.drawPolygon(QPolygonF{{20, 255}, {26, 253}, {26, 257}});
        painter.drawPolygon(QPolygonF{{480, 255}, {474, 253}, {474, 257}});
        return page;
    }();
    return scan;
}

void BM_FillWing(benchmark::State& state)
{
    std::int64_t changed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QImage picture = LineScan().copy();
        state.ResumeTiming();
        const auto filled = FillRegion(picture, QPoint(5000, 3500), 2, {});
        if (!filled)
            state.SkipWithError("the wing did not fill");
        else
            changed = *filled;
        state.PauseTiming();
        picture = QImage();
        state.ResumeTiming();
    }
    state.counters["filled_megapixels"] = static_cast<double>(changed) / 1e6;
}
BENCHMARK(BM_FillWing)->Unit(benchmark::kMillisecond);

void BM_MapColour(benchmark::State& state)
{
    QImage picture = LineScan().copy();
    for (auto _ : state)
        benchmark::DoNotOptimize(MapColour(picture, qRgb(20, 20, 20), 1, 60.0));
}
BENCHMARK(BM_MapColour)->Unit(benchmark::kMillisecond);

} // namespace
