// The loading chart holds the loading table's numbers: every row while the
// picture is short, the outline of each line when it is tall; its texts follow
// the language.

#include "chart/chart_texts.h"
#include "chart/spanwise_chart.h"
#include "chart/spanwise_samples.h"

#include "engine/analysis_run.h"
#include "picture/picture_source.h"

#include <gtest/gtest.h>

#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace centrafix {
namespace {

struct ExampleRun {
    AnalysisResult result;
    double originRow = 0.0;
};

// The built-in example measured with the origin part-way down, so Eta runs
// through zero as it does on a half-span drawing.
ExampleRun RunExample()
{
    AnalysisInputs in;
    in.ticked.fill(true);
    in.ticked[0] = false;
    in.OriginRow = 120;
    const Result<RunSetup> setup = PrepareRun(in);
    EXPECT_TRUE(setup.ok());
    ColorObjectTable objects = MakeColorObjects(kEnglish);
    AnalysisObserver quiet;
    const QImage picture = ExamplePicture();
    return {RunAnalysis(RasterViewOf(picture), objects, *setup, in, quiet), in.OriginRow};
}

// The loading table as the clipboard gets it, each line's fields as numbers.
std::vector<std::vector<double>> TableNumbers(const LoadingTable& table)
{
    std::vector<std::vector<double>> lines;
    const QStringList text = QString::fromStdString(table.text()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < text.size(); ++i) {
        std::vector<double>& fields = lines.emplace_back();
        for (const QString& field : text[i].split('\t'))
            fields.push_back(field.toDouble());
    }
    return lines;
}

void ExpectSame(double shown, double written, const std::string& where)
{
    EXPECT_NEAR(shown, written, 1e-13 * std::max(1.0, std::abs(written))) << where;
}

TEST(LoadingChart, SeriesCarryTheExampleLoadingTable)
{
    const ExampleRun run = RunExample();
    const RunValues& v = run.result.values;
    const LoadingTable table(v.RowChord, v.height, run.originRow, ".");
    SpanwiseChart chart(kEnglish);
    chart.setSamples(SampleLoadingTable(table));

    const std::vector<std::vector<double>> lines = TableNumbers(table);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(v.height));
    ASSERT_EQ(chart.chordSeries()->count(), v.height) << "every row while the picture is short";
    int rowsWithChord = 0;
    for (std::size_t y = 0; y < lines.size(); ++y) {
        const std::vector<double>& line = lines[y];
        const std::string where = "row " + std::to_string(y);
        const QPointF chord = chart.chordSeries()->at(static_cast<int>(y));
        ExpectSame(chord.x(), line[0], where);
        EXPECT_EQ(chord.y(), v.RowChord[y]) << where;
        rowsWithChord += line.size() == 9 ? 1 : 0;
        for (int n = 0; n < 4; ++n) {
            // The table's second value of each pair; a row without chord has zeros.
            const double written = line.size() == 9 ? line[static_cast<std::size_t>(2 + 2 * n)] : 0.0;
            const QPointF loading = chart.loadingSeries(n)->at(static_cast<int>(y));
            ExpectSame(loading.x(), line[0], where);
            ExpectSame(loading.y(), written, where + " Cl" + std::to_string(n + 1));
        }
    }
    EXPECT_GT(rowsWithChord, 50) << "the example is not empty";
    EXPECT_LT(chart.etaAxis()->min(), -0.99);
    EXPECT_GE(chart.etaAxis()->max(), lines.back()[0]);
    EXPECT_GE(chart.chordAxis()->max(), *std::max_element(v.RowChord.begin(), v.RowChord.end()));
}

// Each axis strictly contains its lines, so none lies on the chart's frame:
// not the chord of a rectangular wing, whose top is a round number, nor the
// zeros beyond the tips, nor the picture's first and last row.
TEST(LoadingChart, AxesLeaveAMarginAroundEveryLine)
{
    std::vector<double> rectangle(201, 0.0);
    for (int y = 50; y < 150; ++y)
        rectangle[static_cast<std::size_t>(y)] = 500.0;
    const ExampleRun example = RunExample();
    const std::pair<LoadingTable, const char*> tables[] = {
        {LoadingTable(rectangle, 200, 100.0, "."), "rectangle"},
        {LoadingTable(example.result.values.RowChord, example.result.values.height, example.originRow, "."), "example"},
    };
    for (const auto& [table, what] : tables) {
        SCOPED_TRACE(what);
        SpanwiseChart chart(kEnglish);
        chart.setSamples(SampleLoadingTable(table));
        const auto expectInside = [](const QValueAxis* axis, const QList<QPointF>& line, bool alongX) {
            for (const QPointF& p : line) {
                const double v = alongX ? p.x() : p.y();
                ASSERT_GT(v, axis->min());
                ASSERT_LT(v, axis->max());
            }
        };
        expectInside(chart.chordAxis(), chart.chordSeries()->points(), false);
        expectInside(chart.etaAxis(), chart.chordSeries()->points(), true);
        for (int n = 0; n < 4; ++n)
            expectInside(chart.loadingAxis(), chart.loadingSeries(n)->points(), false);
        EXPECT_LT(chart.chordAxis()->max(), 500.0 * 1.2) << "a margin, not a second chart";
        EXPECT_GT(chart.chordAxis()->min(), -500.0 * 0.2);
    }
    SpanwiseChart empty(kEnglish);
    EXPECT_LT(empty.chordAxis()->min(), 0.0);
    EXPECT_GT(empty.chordAxis()->max(), 1.0);
}

// An axis lays out every tick whenever its range or interval changes: from
// a short chord to a long one and back, it never holds more than a few,
// not even between the two changes.
TEST(LoadingChart, AxesKeepAFewTicksWhileTheyChange)
{
    SpanwiseChart chart(kEnglish);
    double most = 0;
    for (QValueAxis* axis : {chart.etaAxis(), chart.loadingAxis(), chart.chordAxis()}) {
        const auto count = [&most, axis] { most = std::max(most, (axis->max() - axis->min()) / axis->tickInterval()); };
        QObject::connect(axis, &QValueAxis::rangeChanged, count);
        QObject::connect(axis, &QValueAxis::tickIntervalChanged, count);
    }
    for (const double chord : {5000.0, 0.002, 70.0, 1e6}) {
        const std::vector<double> rectangle(101, chord);
        chart.setSamples(SampleLoadingTable(LoadingTable(rectangle, 100, 50.0, ".")));
        EXPECT_GT(most, 0.0);
        EXPECT_LE(most, 20.0) << chord;
    }
}

// A million rows, empty but for a wing in the middle and a single row, far
// from it, as wide as the wing: the line through every row would show the
// spike.
TEST(LoadingChart, ATallTableKeepsEveryLinesOutlineInAFewThousandPoints)
{
    const int height = 1'000'000;
    std::vector<double> chord(height + 1, 0.0);
    for (int y = 400'000; y < 600'000; ++y)
        chord[static_cast<std::size_t>(y)] = 500.0 - std::abs(y - 500'000) / 201.0;
    chord[123'457] = 450.0;
    const LoadingTable table(chord, height, 0.0, ".");
    const SpanwiseSamples samples = SampleLoadingTable(table);

    std::vector<const QList<QPointF>*> lines{&samples.chord};
    for (const QList<QPointF>& loading : samples.loading)
        lines.push_back(&loading);
    for (const QList<QPointF>* line : lines) {
        ASSERT_LE(line->size(), kChartPoints);
        ASSERT_GT(line->size(), kChartPoints / 2);
        for (qsizetype i = 0; i < line->size(); ++i) {
            // Each point is a row of the table, in row order.
            const double row = (*line)[i].x() * height;
            ASSERT_NEAR(row, std::round(row), 1e-6);
            if (i > 0) {
                ASSERT_GT((*line)[i].x(), (*line)[i - 1].x());
            }
        }
    }
    const auto highest = [](const QList<QPointF>& line) {
        return std::max_element(line.begin(), line.end(), [](QPointF a, QPointF b) { return a.y() < b.y(); });
    };
    EXPECT_EQ(highest(samples.chord)->y(), 500.0);
    EXPECT_TRUE(std::any_of(samples.chord.begin(), samples.chord.end(), [](QPointF p) {
        return p.y() == 450.0 && std::abs(p.x() - 0.123457) < 1e-9;
    })) << "the one-row spike survives";
    // The loadings' largest values are where the chord is narrowest, at the
    // wing's two tips; the thinned line keeps them.
    for (int n = 0; n < 4; ++n) {
        double top = 0.0;
        for (std::size_t y = 0; y < table.rows(); ++y)
            top = std::max(top, table.row(y).Cl[n]);
        EXPECT_EQ(highest(samples.loading[static_cast<std::size_t>(n)])->y(), top) << n;
    }
    EXPECT_EQ(samples.etaFirst, 0.0);
    EXPECT_EQ(samples.etaLast, (height - 1.0) / height);
}

TEST(LoadingChart, ClearsAndFollowsTheLanguage)
{
    const ExampleRun run = RunExample();
    const LoadingTable table(run.result.values.RowChord, run.result.values.height, run.originRow, ".");
    SpanwiseChart chart(kGerman);
    EXPECT_EQ(chart.title(), QString::fromUtf8(Tr(kChartTitleEmpty, kGerman)));
    chart.setSamples(SampleLoadingTable(table, "mm"));
    EXPECT_EQ(chart.title(), "Spannweitige Verteilung");
    EXPECT_EQ(chart.chordAxis()->titleText(), "Summierte Profiltiefe (mm)");
    EXPECT_EQ(chart.loadingSeries(1)->name(), "Cl(sin²)");

    chart.setLanguage(kEnglish);
    EXPECT_EQ(chart.title(), "Spanwise distribution");
    EXPECT_EQ(chart.etaAxis()->titleText(), "η (span station)");
    EXPECT_EQ(chart.loadingAxis()->titleText(), "Normalized loading Cl = G / chord");
    EXPECT_EQ(chart.chordAxis()->titleText(), "Summed chord (mm)");
    EXPECT_EQ(chart.chordSeries()->name(), "Chord (right axis)");
    EXPECT_GT(chart.chordSeries()->count(), 0) << "a language switch keeps the lines";

    chart.clearSamples();
    EXPECT_EQ(chart.title(), "Spanwise distribution – no run yet");
    EXPECT_EQ(chart.chordAxis()->titleText(), "Summed chord");
    EXPECT_EQ(chart.chordSeries()->count(), 0);
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(chart.loadingSeries(n)->count(), 0) << n;
}

} // namespace
} // namespace centrafix
