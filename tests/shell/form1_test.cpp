// The window's designed behaviour: start-up, runs, weights, Esc, settings,
// the origin and picture sources.

#include "form1_fixture.h"

#include "engine/loading_table.h"
#include "shell/window_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace centrafix;
using test::Form1Test;

TEST_F(Form1Test, FirstStartWithGermanStoredHasTheDefaultsAndALanguageSwitchKeepsTheResults)
{
    open();
    for (const auto& [name, value] :
         {std::pair{"txtScale", "1.0"}, {"txtAltitude", "10000"}, {"txtMach", "0.85"}, {"txtTolerance", "10"}})
        EXPECT_EQ(field(name)->text(), value) << name;
    EXPECT_EQ(get<QComboBox>("cbLanguage")->currentText(), "Deutsch");
    EXPECT_EQ(entryTexts().join(", "), "schwarz W=1, rot W=1, grün W=1, blau W=1, gelb W=1, hellblau W=1, violett W=1");
    EXPECT_EQ(entryTicks(), "1111111");
    EXPECT_EQ(status(), "Bereit.");
    EXPECT_EQ(display().screen(), ExamplePicture());
    EXPECT_EQ(copyTable(), QString::fromStdString(GridHeaderText(kGerman)));

    // A switch relabels everything and keeps the results, markers and ticks.
    analyze();
    ASSERT_GT(grid()->rowCount(), 0);
    get<QComboBox>("cbLanguage")->setCurrentIndex(1);
    EXPECT_EQ(get<QPushButton>("btnOpen")->text(), "&Open...");
    EXPECT_EQ(copyTable(), TableText(engineRun(), kEnglish));
    EXPECT_NE(shown(), workingCopy().picture()) << "markers kept";
    EXPECT_EQ(entryTexts().first(), "black W=1");
    EXPECT_EQ(entryTicks(), "1111000");
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(entry(1)).center());
    EXPECT_EQ(status(), "red:  RGB(255,0,0)");
}

TEST_F(Form1Test, AnalysingTheExampleGivesTheEngineResultsAndABadToleranceKeepsThem)
{
    open();
    field("txtScale")->setText("0.01");
    mouse(QEvent::MouseButtonPress, Qt::RightButton, {20, 150}); // an origin the run must use
    entry(6)->setCheckState(Qt::Unchecked);                      // magenta: absent anyway
    const AnalysisResult expected = engineRun();
    ASSERT_TRUE(expected.completed);

    analyze();
    EXPECT_EQ(clipboardText(),
              QString::fromStdString(LoadingTable(expected.values.RowChord, 314, form->originRow(), ".").text()));
    const QString table = copyTable(), reported = report();
    EXPECT_EQ(table, TableText(expected, kGerman));
    EXPECT_EQ(grid()->selectedItems().size(), grid()->rowCount() * 9) << "whole table left selected";
    EXPECT_EQ(reported, QString::fromStdString(expected.report).replace("\r\n", "\n"));
    EXPECT_TRUE(get<QPlainTextEdit>("txtReport")->isVisible());
    EXPECT_EQ(entryTicks(), "1111000") << "found colours keep their ticks, absent ones lose them";
    EXPECT_EQ(status(), "Tabelle mit 6 Zeilen in der Zwischenablage.");
    expectIdle();
    EXPECT_NE(shown(), workingCopy().picture()) << "markers shown over the picture";
    EXPECT_EQ(display().image().cacheKey(), workingCopy().picture().cacheKey())
        << "the marks are no second copy of the picture";

    // An unreadable tolerance stops the next run before it changes anything.
    QGuiApplication::clipboard()->setText("keep");
    field("txtTolerance")->setText("1+");
    analyze();
    ASSERT_EQ(form->messages.size(), 1);
    EXPECT_TRUE(form->messages[0].contains("Toleranz") && form->messages[0].contains("\"1+\""))
        << form->messages[0].toStdString();
    EXPECT_EQ(clipboardText(), "keep");
    EXPECT_EQ(report(), "Veraltet, seit der Analyse geändert: Toleranz\n" + reported) << "the results stay, marked";
    EXPECT_EQ(copyTable(), table);
    expectIdle();
}

TEST_F(Form1Test, EditedWeightChangesTheEfficiencyAndTheTotal)
{
    open();
    QTableWidgetItem* red = entry(1);
    list()->setCurrentItem(red);
    list()->editItem(red);
    auto* editor = list()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("rot W=2.5");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the view commits the edit from its queue
    EXPECT_EQ(entryTexts()[1], "rot W=2.5");
    form->theListView_AfterLabelEdit(1, "rot w=3"); // a lower-case w is no weight

    analyze();
    EXPECT_EQ(copyTable(), TableText(engineRun({0, 1, 2.5, 1, 1, 1, 1, 1}), kGerman));
}

TEST_F(Form1Test, EscAtAnObjectBoundaryEndsTheRunWithoutResults)
{
    open();
    pressEsc(); // while idle: a request the next run must clear, or it would never reach green
    analyzeWithHook([&] { return status().startsWith("Analysiere grün"); },
                    [&] {
                        expectIdle(false); // nothing may change the picture under the run
                        pressEsc();
                    });
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_TRUE(report().isEmpty());
    EXPECT_EQ(status(), "Abgebrochen.");
    EXPECT_TRUE(clipboardText().startsWith("Eta\t")) << "the loading table still goes out";
    EXPECT_EQ(entryTicks(), "1111111") << "an aborted run changes no tick";
    expectIdle();

    entry(3)->setCheckState(Qt::Checked);
    analyze();
    EXPECT_EQ(grid()->rowCount(), 5) << "the next run goes to the end";
}

TEST_F(Form1Test, SettingsRoundTripEvenWhenClosedDuringARun)
{
    for (const auto& [key, value] : {std::pair{"color_w_2", "0.5"},
                                     {"color_w_3", "2.25"},
                                     {"color_w_4", "abc"},
                                     {"Scale", "1/50"},
                                     {"Altitude", "5000"},
                                     {"Language", "7"}})
        store(key, value);
    open();
    EXPECT_EQ(form->languageIndex(), kGerman);
    EXPECT_EQ(entryTexts().mid(0, 4), (QStringList{"schwarz W=1", "rot W=0.5", "grün W=2.25", "blau W=0"}));
    field("txtMach")->setText("0.7");
    analyzeWithHook([] { return true; },
                    [&] {
                        form->close();
                        EXPECT_TRUE(form->isVisible()) << "the close waits for the run";
                    });
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(grid()->rowCount(), 0);

    // Scale and Altitude come back only if they were read at the start.
    QSettings s(storePath(), QSettings::IniFormat);
    s.beginGroup("Centrafix");
    QStringList saved;
    for (const QString& key : s.childKeys())
        if (!QStringList{"WindowGeometry", "ZoomMode", "SidePanelWidth", "ResultsPanelHeight", "ReportWidth"}.contains(
                key)) // the window's own, beside the thirteen
            saved << key + "=" + s.value(key).toString();
    EXPECT_EQ(s.value("ZoomMode").toString(), "1");
    EXPECT_FALSE(s.value("WindowGeometry").toString().isEmpty());
    EXPECT_GT(s.value("ReportWidth").toInt(), 0) << "the report's place, though the run hid the report";
    EXPECT_EQ(saved, (QStringList{"Altitude=5000", "Language=1", "Mach=0.7", "Name=Simple Centrafix",
                                  "Path=" + QCoreApplication::applicationFilePath(), "Scale=1/50", "Tolerance=10",
                                  "color_w_1=1", "color_w_2=0.5", "color_w_3=2.25", "color_w_4=0", "color_w_5=1",
                                  "color_w_6=1", "color_w_7=1"}));

    store("Language", "2");
    open();
    EXPECT_EQ(get<QComboBox>("cbLanguage")->currentText(), "English");
    EXPECT_EQ(entryTexts()[1], "red W=0.5");
}

namespace {

// A value QSettings' own reader unpacks by recursion: a list holding a list,
// 50 000 deep, overflows its stack.
QByteArray NestedListValue()
{
    QByteArray value = "@Variant(";
    for (int i = 0; i < 50000; ++i)
        value += "\\0\\0\\0\\t\\0\\0\\0\\x1";
    return value + "\\0\\0\\0\\n\\0\\0\\0\\0)";
}

} // namespace

TEST_F(Form1Test, APoisonedSettingsFileStartsWithDefaultsAndLosesNothingElse)
{
    const QByteArray other = "[Other]\nBlob=" + NestedListValue() + "\n\n";
    for (const bool inOurs : {true, false}) {
        SCOPED_TRACE(inOurs ? "in our section" : "in another section");
        setStoreBytes(inOurs ? "[Centrafix]\nMach=0.5\nScale=" + NestedListValue() + "\n"
                             : other + "[Centrafix]\nMach=0.5\n");
        open();
        EXPECT_EQ(field("txtScale")->text(), "1.0");
        EXPECT_EQ(field("txtMach")->text(), "0.5") << "what is readable is used";
        // No language stored: the C locale's, English.
        EXPECT_EQ(status(), inOurs ? "Settings unreadable: defaults used." : "Ready.");
        field("txtScale")->setText("2");
        form->close();

        const QByteArray saved = storeBytes();
        if (inOurs)
            EXPECT_LT(saved.size(), 1000) << "the poisoned value is written over";
        else
            EXPECT_TRUE(saved.startsWith(other)) << "another program's section stays byte for byte";
        const SettingsRead read = ReadStoredSettings(storePath());
        EXPECT_FALSE(read.unreadable);
        EXPECT_EQ(read.values.scale, "2");
        EXPECT_EQ(read.values.mach, "0.5");
    }
    setStoreBytes("[Centrafix]\nLanguage=2\nScale=@Variant(\\0)\n");
    open();
    EXPECT_EQ(status(), "Settings unreadable: defaults used.");
}

TEST_F(Form1Test, SettingsThatCannotBeWrittenKeepTheOldFile)
{
    // A folder the user may not write in (no bar to root), and a name too long
    // for the new file to be made beside the old one (a bar to anyone).
    const QString locked = dir.filePath("locked");
    ASSERT_TRUE(QDir().mkdir(locked));
    const QByteArray old = "[Centrafix]\nScale=1/50\n";
    for (const QString& path : {locked + "/settings.ini", dir.filePath(QString(255, u'n'))}) {
        setStoreBytes(old, path);
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (QFileInfo(path).absolutePath() == locked && QFileInfo(locked).isWritable())
            continue;
        open(path);
        EXPECT_EQ(field("txtScale")->text(), "1/50");
        field("txtScale")->setText("2");
        form->close();
        EXPECT_EQ(storeBytes(path), old) << path.toStdString();
    }
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(Form1Test, RightClickSetsTheOriginAndDrawsItsMark)
{
    open();
    field("txtScale")->setText("0.5");
    const QRgb under = workingCopy().picture().pixel(100, 40);
    mouse(QEvent::MouseButtonPress, Qt::RightButton, {100, 40});
    EXPECT_EQ(status(), QString("(50.00/20.00), RGB(%1,%2,%3)").arg(qRed(under)).arg(qGreen(under)).arg(qBlue(under)));
    for (const QPoint p : {QPoint(100, 40), QPoint(130, 40), QPoint(100, 70)}) // disc, x and y axes
        EXPECT_EQ(shown().pixel(p) & 0xFFFFFF, 0u) << p.x() << "," << p.y();
    // A second click moves the mark: one origin, no trail.
    mouse(QEvent::MouseButtonPress, Qt::RightButton, {200, 100});
    EXPECT_EQ(shown().pixel(130, 40), workingCopy().picture().pixel(130, 40));
    EXPECT_EQ(shown().pixel(230, 100) & 0xFFFFFF, 0u);
    mouse(QEvent::MouseButtonPress, Qt::RightButton, {100, 40});
    mouse(QEvent::MouseMove, Qt::NoButton, {90, 30});
    EXPECT_EQ(status(), "x = -5.00, y = -5.00.");

    // The origin follows the scale, so the same pixel still reads zero.
    field("txtScale")->setText("2");
    mouse(QEvent::MouseMove, Qt::NoButton, {100, 40});
    EXPECT_EQ(status(), "x = 0.00, y = 0.00.");

    // An unusable scale is named and the origin stays.
    const QImage before = shown();
    field("txtScale")->setText("1+");
    mouse(QEvent::MouseButtonPress, Qt::RightButton, {50, 50});
    EXPECT_TRUE(status().contains("Maßstabsfaktor") && status().contains("1+")) << status().toStdString();
    EXPECT_EQ(form->originColumn(), 100);
    EXPECT_EQ(shown(), before);
}

TEST_F(Form1Test, OpeningOrPastingNoPictureSaysSoAndPastingOneReplacesIt)
{
    open();
    form->fileToOpen = dir.filePath("empty.bmp");
    QFile(form->fileToOpen).open(QIODevice::WriteOnly);
    click("btnOpen");
    QGuiApplication::clipboard()->setText("no picture");
    click("btnPaste");
    EXPECT_EQ(form->messages.join('\n'), form->fileToOpen +
                                             ": die Datei ist leer\n"
                                             "Die Zwischenablage enthält keine Bitmap Abbildung!");
    EXPECT_EQ(workingCopy().picture(), ExamplePicture());

    entry(2)->setCheckState(Qt::Unchecked);
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(picture);
    click("btnPaste");
    EXPECT_EQ(display().screen(), picture);
    EXPECT_EQ(entryTicks(), "1111111");
    EXPECT_EQ(form->messages.size(), 2);
}
