// Results and ticks that no longer match the picture or the inputs: the
// window says so and never leaves a colour out without a visible reason.

#include "form1_fixture.h"

#include "shell/color_list_delegate.h"
#include "shell/loading_chart_window.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>

using namespace centrafix;
using test::Form1Test;

namespace {

class ResultsFreshness : public Form1Test {
protected:
    // A picture with black, a red a little off (235,0,0: 20 from red, more
    // than the tolerance of 10), and blue, opened from a file.
    void openNearRed()
    {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::white);
        for (int y = 2; y < 12; ++y)
            for (int x = 0; x < 10; ++x) {
                picture.setPixel(2 + x, y, qRgb(0, 0, 0));
                picture.setPixel(15 + x, y, qRgb(235, 0, 0));
                picture.setPixel(28 + x, y + 10, qRgb(0, 0, 255));
            }
        const QString path = dir.filePath("near-red.png");
        ASSERT_TRUE(picture.save(path));
        form->openPictureFile(path);
    }

    bool greyed(int i) { return entry(i - 1)->data(ColorListDelegate::kNotFoundRole).toBool(); }
    QString greyedEntries()
    {
        QString marks;
        for (int i = 1; i <= kObjectCount; ++i)
            marks += greyed(i) ? 'g' : '-';
        return marks;
    }

    bool gridGreyed() { return grid()->item(0, 1)->data(Qt::ForegroundRole).isValid(); }
    QLabel* outOfDateLabel() { return get<QLabel>("StatusBar1OutOfDate"); }
    QString chartNote() { return form->findChild<LoadingChartWindow*>("LoadingChart")->outOfDateNote(); }

    // Every sign of results out of date, or of none.
    void expectOutOfDate(bool stale, const QString& changes = {})
    {
        EXPECT_EQ(form->resultsOutOfDate(), stale);
        ASSERT_GT(grid()->rowCount(), 0) << "the results stay";
        EXPECT_EQ(gridGreyed(), stale);
        EXPECT_EQ(outOfDateLabel()->isVisible(), stale);
        const QString note = "Veraltet, seit der Analyse geändert: " + changes;
        EXPECT_EQ(report().startsWith(note + "\n"), stale) << report().toStdString();
        EXPECT_EQ(chartNote(), stale ? note : QString());
        if (stale) {
            EXPECT_EQ(outOfDateLabel()->text(), "Ergebnisse veraltet");
        }
    }
};

} // namespace

TEST_F(ResultsFreshness, EscDuringARunChangesNoTickAndTheNextRunMeasuresEveryColour)
{
    open();
    entry(4)->setCheckState(Qt::Unchecked); // yellow: the user's own choice
    analyzeWithHook([&] { return status().startsWith("Analysiere grün"); }, [&] { pressEsc(); });
    EXPECT_EQ(status(), "Abgebrochen.");
    EXPECT_EQ(entryTicks(), "1111011") << "blue was not scanned, and is still ticked";
    EXPECT_EQ(greyedEntries(), "-------");

    analyze();
    EXPECT_EQ(grid()->rowCount(), 5) << "black, red, green, blue and the total";
    EXPECT_EQ(entryTicks(), "1111000") << "absent cyan and magenta lose their ticks";
    EXPECT_EQ(greyedEntries(), "-----gg") << "yellow was unticked by the user, not by the run";
    EXPECT_TRUE(entry(5)->toolTip().contains("nicht im Bild gefunden")) << entry(5)->toolTip().toStdString();
    EXPECT_EQ(entry(4)->toolTip(), entry(0)->toolTip());
}

TEST_F(ResultsFreshness, AColourNotFoundIsTickedAgainByANewToleranceCleanUpOrTick)
{
    open();
    openNearRed();
    analyze();
    EXPECT_EQ(entryTicks(), "1001000");
    EXPECT_EQ(greyedEntries(), "-gg-ggg");
    analyze();
    EXPECT_EQ(grid()->rowCount(), 3) << "nothing changed: the absent colours stay out";

    field("txtTolerance")->setText("30");
    EXPECT_EQ(entryTicks(), "1111111");
    EXPECT_EQ(greyedEntries(), "-------");
    analyze();
    EXPECT_EQ(grid()->rowCount(), 4) << "the off red is found within 30";
    EXPECT_EQ(entryTicks(), "1101000");

    field("txtTolerance")->setText("10");
    analyze();
    EXPECT_EQ(entryTicks(), "1001000");
    ASSERT_TRUE(cleanUp("100"));
    EXPECT_EQ(entryTicks(), "1111111") << "the cleaned picture may hold what the old one did not";
    analyze();
    EXPECT_EQ(grid()->rowCount(), 4);

    // Any change of the ticks gives the absent colours their ticks back; a
    // tick set on a greyed entry is kept.
    EXPECT_EQ(entryTicks(), "1101000");
    entry(0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(entryTicks(), "0111111");
    EXPECT_EQ(greyedEntries(), "-------");
    analyze();
    entry(6)->setCheckState(Qt::Checked);
    EXPECT_EQ(entryTicks(), "0111111");

    // "Untick all" is the user's word for every colour, greyed or not.
    analyze();
    QApplication::setActiveWindow(form.get());
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Minus);
    EXPECT_EQ(entryTicks(), "0000000");
    EXPECT_EQ(greyedEntries(), "-------");
}

TEST_F(ResultsFreshness, APictureChangedSinceTheRunLeavesItsResultsMarkedAndItsMarksGone)
{
    for (const char* change : {"btnFlip", "btnInvert", "cleanUp"}) {
        SCOPED_TRACE(change);
        open();
        analyze();
        expectOutOfDate(false);
        const QString table = copyTable();
        if (std::string_view(change) == "cleanUp")
            ASSERT_TRUE(cleanUp("100"));
        else
            click(change);
        expectOutOfDate(true, "Bild");

        // The picture as it is now, with nothing of the run drawn over it.
        EXPECT_EQ(shown(), workingCopy().picture());
        click("btnCopyBitmap");
        EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), workingCopy().picture())
            << "no marks or quarter-chord points of the picture before";
        EXPECT_EQ(status(), "Bild mit 330 x 314 Pixeln in der Zwischenablage.");

        // The exports keep the run and say from which inputs.
        EXPECT_EQ(copyTable(), table);
        EXPECT_EQ(status(),
                  "Tabelle mit 6 Zeilen in der Zwischenablage. Aus der letzten Analyse: Maßstab 1, "
                  "Ursprung (0/0), Toleranz 10, Flughöhe 10000, Machzahl 0.85.");

        tickAllColours();
        analyze();
        expectOutOfDate(false);
        EXPECT_EQ(copyTable(), TableText(engineRun(), kGerman)) << "the next run measures the new picture";
    }
}

TEST_F(ResultsFreshness, EveryInputTheResultsDependOnMarksThemOutOfDate)
{
    const std::vector<std::pair<QString, std::function<void()>>> changes = {
        {"Maßstabsfaktor", [&] { field("txtScale")->setText("2"); }},
        {"Flughöhe", [&] { field("txtAltitude")->setText("500"); }},
        {"Machzahl", [&] { field("txtMach")->setText("0.3"); }},
        {"Toleranz", [&] { field("txtTolerance")->setText("12"); }},
        {"Ursprung",
         [&] {
             mouse(QEvent::MouseButtonPress, Qt::RightButton, {70, 80});
         }},
        {"Wirkung", [&] { form->theListView_AfterLabelEdit(1, "rot W=2"); }},
        {"angekreuzte Farben", [&] { entry(2)->setCheckState(Qt::Unchecked); }},
        {"Ursprung",
         [&] {
             field("txtOriginX")->setText("5");
             QTest::keyClick(field("txtOriginX"), Qt::Key_Return);
         }},
        {"Einheit", [&] { QTest::keyClicks(field("txtScaleUnit"), "mm"); }},
        {"Wirkung", [&] { form->setWeightText(3, "2"); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name.toStdString());
        open();
        analyze();
        const QString reported = report();
        change();
        expectOutOfDate(true, name);
        EXPECT_EQ(report(), "Veraltet, seit der Analyse geändert: " + name + "\n" + reported);
        EXPECT_TRUE(status().startsWith("Ergebnisse veraltet, seit der Analyse geändert: " + name))
            << status().toStdString();
    }

    // Several changes are all named; the same text typed again is no change
    // of its own, and a weight edited to the weight it has is none.
    open();
    analyze();
    form->theListView_AfterLabelEdit(1, "rot W=1");
    EXPECT_FALSE(form->resultsOutOfDate());
    field("txtMach")->setText("0.5");
    field("txtAltitude")->setText("200");
    field("txtMach")->setText("0.6");
    expectOutOfDate(true, "Machzahl, Flughöhe");
}

TEST_F(ResultsFreshness, BeforeAnyRunNothingIsOutOfDateAndAnAbortedRunLeavesNothingMarked)
{
    open();
    field("txtMach")->setText("0.3");
    click("btnFlip");
    EXPECT_FALSE(form->resultsOutOfDate());
    EXPECT_FALSE(outOfDateLabel()->isVisible());

    analyze();
    field("txtMach")->setText("0.4");
    analyzeWithHook([&] { return status().startsWith("Analysiere rot"); }, [&] { pressEsc(); });
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_FALSE(form->resultsOutOfDate());
    EXPECT_FALSE(outOfDateLabel()->isVisible());
    EXPECT_TRUE(report().isEmpty());
}

TEST_F(ResultsFreshness, AnInputChangedWhileTheRunGoesLeavesItsResultsOutOfDate)
{
    open();
    analyzeWithHook([&] { return status().startsWith("Analysiere rot"); }, [&] { field("txtMach")->setText("0.5"); });
    expectOutOfDate(true, "Machzahl");
    EXPECT_TRUE(status().startsWith("Ergebnisse veraltet")) << status().toStdString();
    analyze();
    expectOutOfDate(false);

    // A tolerance changed under the run: what it did not find is not taken
    // from the old one.
    openNearRed();
    analyzeWithHook([&] { return status().startsWith("Analysiere rot"); },
                    [&] { field("txtTolerance")->setText("30"); });
    EXPECT_EQ(entryTicks(), "1111111");
    EXPECT_EQ(greyedEntries(), "-------");
}

TEST_F(ResultsFreshness, SavedResultsHoldTheRunsInputsNotTheFieldsChangedSince)
{
    open();
    field("txtScale")->setText("0.25");
    field("txtAltitude")->setText("2000");
    field("txtMach")->setText("0.4");
    field("txtTolerance")->setText("12");
    mouse(QEvent::MouseButtonPress, Qt::RightButton, {30, 150});
    analyze();
    const double originX = form->originX();

    field("txtScale")->setText("2");
    field("txtAltitude")->setText("5000");
    field("txtMach")->setText("0.7");
    field("txtTolerance")->setText("20");
    mouse(QEvent::MouseButtonPress, Qt::RightButton, {90, 40});
    form->fileToSave = dir.filePath("run.json");
    form->saveResults();
    const QJsonObject json = QJsonDocument::fromJson(storeBytes(form->fileToSave)).object();
    ASSERT_FALSE(json.isEmpty());
    EXPECT_EQ(json["scale_factor"].toDouble(), 0.25);
    EXPECT_EQ(json["altitude"].toDouble(), 2000);
    EXPECT_EQ(json["mach"].toDouble(), 0.4);
    EXPECT_EQ(json["tolerance"].toDouble(), 12);
    EXPECT_EQ(json["origin"]["column"].toDouble(), 30);
    EXPECT_EQ(json["origin"]["x"].toDouble(), originX);
    EXPECT_EQ(status(),
              "Ergebnisse in run.json gespeichert. Aus der letzten Analyse: Maßstab 0.25, "
              "Ursprung (7.5/37.5), Toleranz 12, Flughöhe 2000, Machzahl 0.4.");

    // The bitmap copy keeps the run's origin with the run's marks.
    click("btnCopyBitmap");
    const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    const QImage plain = workingCopy().picture();
    const auto marked = [&](QPoint at) {
        int changed = 0;
        for (int y = at.y() - 4; y <= at.y() + 4; ++y)
            for (int x = at.x() - 4; x <= at.x() + 4; ++x)
                changed += copied.pixel(x, y) != plain.pixel(x, y);
        return changed;
    };
    EXPECT_GT(marked({30, 150}), 0) << "the run's origin mark";
    EXPECT_EQ(marked({90, 40}), 0) << "not the one set since";
}
