// A plan as it comes: an A0 PDF line drawing (841 x 1189 mm) made into a
// picture at 150 dpi (35 megapixels) and measured, in bands as the batch
// command does, and whole as the window holds it.
//
//   centrafix-plan-bench                 the benchmarks
//   centrafix-plan-bench --write FILE    writes the A0 plan, for timing centrafix-cli on it

#include "picture/formats/plan_document.h"
#include "picture/streamed_sweep.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <cstring>

namespace {

using namespace centrafix;

// A wing of ribs and spars with hatching, dimension lines and text, drawn in
// millimetres over the whole sheet.
bool WriteA0Plan(const QString& path)
{
    QPdfWriter writer(path);
    writer.setResolution(720);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageSize(QPageSize(QSizeF(841.0, 1189.0), QPageSize::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    painter.scale(720.0 / 25.4, 720.0 / 25.4);
    painter.setPen(QPen(Qt::black, 0.35));
    for (int half = 0; half < 2; ++half) {
        const double top = 60.0 + half * 560.0;
        painter.drawPolygon(
            QPolygonF({QPointF(40, top), QPointF(800, top + 80), QPointF(800, top + 260), QPointF(40, top + 440)}));
        for (double x = 60; x < 800; x += 38)
            painter.drawLine(QPointF(x, top + 2 + (x - 40) * 80 / 760), QPointF(x, top + 438 - (x - 40) * 180 / 760));
        for (double x = 42; x < 100; x += 3)
            painter.drawLine(QPointF(x, top + 10), QPointF(x + 20, top + 400));
        painter.drawLine(QPointF(40, top - 20), QPointF(800, top - 20));
        painter.drawText(QPointF(400, top - 24), QStringLiteral("760 mm"));
    }
    painter.fillRect(QRectF(600, 1100, 150, 40), Qt::red);
    return painter.end();
}

const QString& PlanFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath("a0.pdf");
        WriteA0Plan(file);
        return file;
    }();
    return path;
}

std::array<bool, 8> AllTicked()
{
    std::array<bool, 8> ticked{};
    ticked.fill(true);
    ticked[0] = false;
    return ticked;
}

void BM_A0PlanInBands(benchmark::State& state)
{
    for (auto _ : state) {
        Result<std::unique_ptr<RowReader>> rows = OpenPlanRows(PlanFile(), 1, 150.0);
        if (!rows) {
            state.SkipWithError("the plan could not be opened");
            return;
        }
        Result<SweptPicture> swept = SweepRows(**rows, AllTicked(), 60.0);
        benchmark::DoNotOptimize(swept);
    }
}

void BM_A0PlanWhole(benchmark::State& state)
{
    for (auto _ : state) {
        Result<QImage> page = RenderPlanPage(PlanFile(), 1, 150.0);
        benchmark::DoNotOptimize(page);
    }
}

BENCHMARK(BM_A0PlanInBands)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_A0PlanWhole)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0)
        return WriteA0Plan(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
