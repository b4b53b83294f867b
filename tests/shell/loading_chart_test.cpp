// The loading chart's window as a user meets it: opened from the View menu,
// filled by each run, emptied by a new picture, in the window's language, and
// saved as PNG or SVG.

#include "form1_fixture.h"

#include "chart/spanwise_chart.h"
#include "shell/loading_chart_window.h"

#include <QAction>
#include <QLineSeries>
#include <QValueAxis>

namespace centrafix::test {
namespace {

class LoadingChartTest : public Form1Test {
protected:
    LoadingChartWindow* chartWindow() { return form->findChild<LoadingChartWindow*>("LoadingChart"); }
    SpanwiseChart& chart() { return chartWindow()->chart(); }

    QAction* action(const QString& caption)
    {
        for (QAction* a : form->findChildren<QAction*>())
            if (a->text() == caption)
                return a;
        ADD_FAILURE() << "no menu entry " << caption.toStdString();
        return nullptr;
    }

    // In the other language, every colour ticked as for a first run.
    void setLanguage(int languageIndex)
    {
        get<QComboBox>("cbLanguage")->setCurrentIndex(languageIndex - 1);
        tickAllColours();
    }
};

TEST_F(LoadingChartTest, EachRunFillsItANewPictureEmptiesItTheLanguageFollows)
{
    open();
    setLanguage(kEnglish);
    ASSERT_NE(chartWindow(), nullptr);
    EXPECT_FALSE(chartWindow()->isVisible());
    action("Loading &chart")->trigger();
    EXPECT_TRUE(chartWindow()->isVisible());
    EXPECT_EQ(chart().title(), "Spanwise distribution – no run yet");
    EXPECT_FALSE(action("Save c&hart...")->isEnabled());

    // The origin part-way down: the run's Eta is measured from its row.
    mouse(QEvent::MouseButtonPress, Qt::RightButton, QPoint(40, 100));
    ASSERT_EQ(form->originRow(), 100);
    analyze();
    const AnalysisResult expected = engineRun();
    const LoadingTable table(expected.values.RowChord, expected.values.height, form->originRow(), ".");
    ASSERT_EQ(chart().chordSeries()->count(), static_cast<int>(table.rows()));
    for (std::size_t y = 0; y < table.rows(); ++y) {
        const LoadingTable::Row row = table.row(y);
        const int i = static_cast<int>(y);
        EXPECT_EQ(chart().chordSeries()->at(i), QPointF(row.Eta, row.chord)) << y;
        for (int n = 0; n < 4; ++n)
            EXPECT_EQ(chart().loadingSeries(n)->at(i), QPointF(row.Eta, row.Cl[n])) << y << " " << n;
    }
    EXPECT_EQ(chart().title(), "Spanwise distribution");
    EXPECT_TRUE(action("Save c&hart...")->isEnabled());

    setLanguage(kGerman);
    EXPECT_EQ(chart().title(), "Spannweitige Verteilung");
    EXPECT_EQ(chart().etaAxis()->titleText(), "η (Spannweitenstation)");
    EXPECT_EQ(chart().chordSeries()->name(), "Profiltiefe (rechte Achse)");
    EXPECT_EQ(chartWindow()->windowTitle(), "Auftriebsverteilung – Centrafix");
    EXPECT_EQ(chart().chordSeries()->count(), static_cast<int>(table.rows())) << "the run's lines stay";

    QImage white(60, 40, QImage::Format_RGB32);
    white.fill(Qt::white);
    const QString picture = dir.filePath("white.png");
    ASSERT_TRUE(white.save(picture));
    form->openPictureFile(picture);
    EXPECT_EQ(chart().chordSeries()->count(), 0);
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(chart().loadingSeries(n)->count(), 0) << n;
    EXPECT_EQ(chart().title(), "Spannweitige Verteilung – noch keine Auswertung");
    EXPECT_FALSE(action("Dia&gramm speichern...")->isEnabled());
}

TEST_F(LoadingChartTest, SavedAsPngOrSvgByNameOrFilterAndAFailureNamesTheFile)
{
    open();
    setLanguage(kEnglish);
    analyze();

    form->fileToSave = dir.filePath("chart"); // no extension: the filter's
    form->saveFilterChosen = "SVG drawing (*.svg)";
    chartWindow()->findChild<QPushButton*>("btnSaveChart")->click();
    QFile svg(dir.filePath("chart.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<svg"));
    EXPECT_EQ(status(), "Chart saved to chart.svg.");

    form->fileToSave = dir.filePath("chart.png");
    form->saveFilterChosen.clear();
    action("Save c&hart...")->trigger();
    EXPECT_EQ(QImage(form->fileToSave).size(), QSize(1200, 750));

    form->fileToSave = dir.filePath("chart.jpg");
    form->saveChart();
    ASSERT_EQ(form->messages.size(), 1);
    EXPECT_TRUE(form->messages[0].startsWith(form->fileToSave + ": a chart is written as PNG or SVG"))
        << form->messages[0].toStdString();
    EXPECT_FALSE(QFile::exists(form->fileToSave));
}

} // namespace
} // namespace centrafix::test
