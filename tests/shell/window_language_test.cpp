// The window's language: the one it starts in, and a switch that rewrites
// what is shown without losing any of it.

#include "form1_fixture.h"

#include "chart/spanwise_chart.h"
#include "shell/color_list_delegate.h"
#include "shell/loading_chart_window.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineSeries>

using namespace centrafix;
using test::Form1Test;

namespace {

class WindowLanguage : public Form1Test {
protected:
    void switchTo(int languageIndex) { get<QComboBox>("cbLanguage")->setCurrentIndex(languageIndex - 1); }
    SpanwiseChart& chart() { return form->findChild<LoadingChartWindow*>("LoadingChart")->chart(); }

    // The grid as Copy Table gives it, without the names of the first column.
    QStringList numbers()
    {
        QStringList rows = copyTable().split("\r\n").mid(1);
        for (QString& row : rows)
            row = row.section('\t', 1);
        return rows;
    }
};

} // namespace

TEST_F(WindowLanguage, ASwitchKeepsTheTicksAndTheRunAndWritesThemAnew)
{
    open();
    entry(2)->setCheckState(Qt::Unchecked); // green: the user's choice
    analyze();
    ASSERT_EQ(entryTicks(), "1101000");
    const QStringList germanNumbers = numbers();
    const QImage marked = shown();
    const qsizetype chordPoints = chart().chordSeries()->count();

    switchTo(kEnglish);
    EXPECT_EQ(entryTicks(), "1101000");
    EXPECT_TRUE(entry(6)->data(ColorListDelegate::kNotFoundRole).toBool()) << "magenta still greyed";
    EXPECT_FALSE(entry(2)->data(ColorListDelegate::kNotFoundRole).toBool());
    EXPECT_EQ(entryTexts()[0], "black W=1");

    EXPECT_EQ(grid()->rowCount(), 4) << "black, red, blue and the total";
    EXPECT_EQ(grid()->item(0, 0)->text(), "black");
    EXPECT_EQ(grid()->item(3, 0)->text(), "total");
    EXPECT_EQ(grid()->horizontalHeaderItem(0)->text(), "Object");
    EXPECT_EQ(numbers(), germanNumbers) << "the same numbers";
    EXPECT_TRUE(grid()->item(1, 4)->textAlignment() & Qt::AlignRight) << "numbers right-aligned, as the run left them";
    EXPECT_FALSE(grid()->item(1, 0)->textAlignment() & Qt::AlignRight);
    EXPECT_TRUE(report().contains("Pixels: 330 x 314 -> scaled: 330.00 x 314.00"));
    EXPECT_EQ(chart().title(), "Spanwise distribution");
    EXPECT_EQ(chart().chordSeries()->count(), chordPoints);
    EXPECT_NE(shown(), workingCopy().picture()) << "the marks stay over the picture";
    EXPECT_NE(shown(), marked) << "their labels in English";

    // Out-of-date results are said anew too.
    entry(2)->setCheckState(Qt::Checked);
    EXPECT_TRUE(report().startsWith("Out of date, changed since the analysis: ticked colors\n"))
        << report().toStdString();
    switchTo(kGerman);
    EXPECT_TRUE(report().startsWith("Veraltet, seit der Analyse geändert: angekreuzte Farben\n"));
    EXPECT_EQ(get<QLabel>("StatusBar1OutOfDate")->text(), "Ergebnisse veraltet");
    EXPECT_EQ(grid()->item(0, 0)->text(), "schwarz");
    EXPECT_TRUE(grid()->item(0, 1)->data(Qt::ForegroundRole).isValid()) << "still greyed";

    // What is saved is what the grid shows.
    switchTo(kEnglish);
    form->fileToSave = dir.filePath("run.json");
    form->saveResults();
    const QJsonObject json = QJsonDocument::fromJson(storeBytes(form->fileToSave)).object();
    EXPECT_EQ(json["objects"][1]["name"], "black");
    EXPECT_TRUE(json["grid"].toString().startsWith("Object\t")) << json["grid"].toString().toStdString();
    EXPECT_TRUE(json["report"].toString().startsWith("Pixels: ")) << json["report"].toString().toStdString();
}

TEST_F(WindowLanguage, WithoutAStoredLanguageTheWindowSpeaksTheLocalesAndAStoredOneWins)
{
    storeGerman = false;
    const struct {
        QLocale locale;
        const char* stored;
        const char* shown;
    } cases[] = {
        {QLocale::c(), nullptr, "English"},
        {QLocale(QLocale::English, QLocale::UnitedStates), nullptr, "English"},
        {QLocale(QLocale::French, QLocale::France), nullptr, "English"},
        {QLocale(QLocale::German, QLocale::Germany), nullptr, "Deutsch"},
        {QLocale(QLocale::German, QLocale::Switzerland), nullptr, "Deutsch"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "1", "Deutsch"},
        {QLocale(QLocale::German, QLocale::Germany), "2", "English"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString() + " stored " + (c.stored ? c.stored : "none"));
        QFile::remove(storePath());
        if (c.stored)
            store("Language", c.stored);
        QLocale::setDefault(c.locale);
        open();
        EXPECT_EQ(get<QComboBox>("cbLanguage")->currentText(), c.shown);
        EXPECT_EQ(status(), std::string_view(c.shown) == "English" ? "Ready." : "Bereit.");
        form->close();
        EXPECT_TRUE(storeBytes().contains(std::string_view(c.shown) == "English" ? "Language=2" : "Language=1"));
    }
}
