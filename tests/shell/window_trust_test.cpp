// What the window shows is never silently wrong: numbers in either decimal
// convention, an origin that keeps its pixel, nothing left over from another
// picture or language, and a word for everything it does.

#include "form1_fixture.h"

#include <QAction>
#include <QLibraryInfo>
#include <QSignalSpy>

#include "address_space_limit.h"

using namespace centrafix;
using test::Form1Test;

namespace {

class WindowTrust : public Form1Test {
protected:
    void german() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void english() { get<QComboBox>("cbLanguage")->setCurrentIndex(1); }

    // Edits the entry of colour i (1 to 7) to `text`, as a user does in place.
    void editEntry(int i, const QString& text)
    {
        QTableWidgetItem* name = entry(i - 1);
        list()->setCurrentItem(name);
        list()->editItem(name);
        auto* editor = list()->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the view commits the edit from its queue
    }

    void rightClick(QPoint at) { mouse(QEvent::MouseButtonPress, Qt::RightButton, at); }
};

} // namespace

TEST_F(WindowTrust, GermanLocaleReadsBothConventionsAndTheDefaultsGiveTheDragEstimate)
{
    german();
    open();
    analyze();
    EXPECT_TRUE(
        report().contains("CD_lam = 0,000083 (Meter je Pixel angenommen)\n"
                          "CD_turb = 0,003035 (Meter je Pixel angenommen)"))
        << report().toStdString();
    EXPECT_TRUE(form->messages.isEmpty());

    field("txtScale")->setText("0,5");
    field("txtAltitude")->setText("10000,0");
    field("txtMach")->setText("0.85");
    tickAllColours();
    analyze();
    EXPECT_TRUE(form->messages.isEmpty()) << form->messages.join('\n').toStdString();
    EXPECT_TRUE(report().startsWith("Pixel: 330 x 314 -> skaliert: 165,00 x 157,00")) << report().toStdString();
    EXPECT_TRUE(report().contains("CD_lam = 0,0"));

    // A weight typed with a comma is the number it looks like.
    editEntry(2, "rot W=2,5");
    EXPECT_DOUBLE_EQ(form->colorObjects()[2].Weight, 2.5);
    EXPECT_EQ(entryTexts()[1], "rot W=2,5");
}

TEST_F(WindowTrust, WhereACommaIsNoDecimalSeparatorItIsRefusedNotCutShort)
{
    open();
    editEntry(2, "rot W=2,5");
    EXPECT_DOUBLE_EQ(form->colorObjects()[2].Weight, 1) << "not 2";
    EXPECT_EQ(entryTexts()[1], "rot W=1") << "the entry keeps the weight it has";
    ASSERT_EQ(form->messages.size(), 1);
    EXPECT_EQ(form->messages[0], "Wirkung \"2,5\" ist keine Zahl");

    field("txtScale")->setText("0,5");
    analyze();
    ASSERT_EQ(form->messages.size(), 2);
    EXPECT_TRUE(form->messages[1].startsWith("Maßstabsfaktor \"0,5\" ")) << form->messages[1].toStdString();
}

TEST_F(WindowTrust, TheOriginKeepsItsPixelWhateverTheScaleTextSays)
{
    open();
    rightClick({100, 40});
    for (const auto& [text, factor] : {std::pair{"1/50", 1.0 / 50}, {"2*0.75", 1.5}, {"1/", 1.0}, {"0.5", 0.5}}) {
        field("txtScale")->setText(text);
        EXPECT_DOUBLE_EQ(form->originX(), 100 * factor) << text;
        EXPECT_DOUBLE_EQ(form->originY(), 40 * factor) << text;
    }
    EXPECT_EQ(form->originColumn(), 100);
}

TEST_F(WindowTrust, ARightClickWhileBusyLeavesTheWorkingCopyAlone)
{
    open();
    withHook([&] { click("btnInvert"); }, [&] { return !get<QPushButton>("btnInvert")->isEnabled(); },
             [&] {
                 rightClick({60, 60});
             });
    int origin = 0;
    for (int y = 50; y < 120; ++y)
        for (int x = 50; x < 120; ++x)
            origin += (workingCopy().picture().pixel(x, y) & 0xFFFFFF) == 0xFFFF00;
    EXPECT_EQ(origin, 0) << "no yellow rim of an origin mark in the working copy";
    EXPECT_EQ(form->originColumn(), 0);
}

TEST_F(WindowTrust, ANewPictureLeavesNothingOfTheOldOne)
{
    open();
    analyze();
    ASSERT_GT(grid()->rowCount(), 0);
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(picture);
    click("btnPaste");
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_EQ(copyTable(), QString::fromStdString(GridHeaderText(kGerman)));
    EXPECT_EQ(report(), "Pixel: 30 x 20");
    click("btnCopyBitmap");
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), picture)
        << "no marks of the old picture";
    EXPECT_EQ(form->windowTitle(), "Centrafix – eingefügtes Bild[*]");

    form->fileToOpen = dir.filePath("wing.png");
    ASSERT_TRUE(picture.save(form->fileToOpen));
    analyze();
    click("btnOpen");
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_EQ(form->windowTitle(), "Centrafix – wing.png[*]");
    EXPECT_EQ(form->dialogFolder, "") << "the first dialog starts where the system says";
    click("btnOpen");
    EXPECT_EQ(form->dialogFolder, dir.path()) << "the next one where the last picture came from";
    EXPECT_TRUE(form->dialogFilter.startsWith("Windows Bitmap Dateien (*.bmp);;"));
    EXPECT_TRUE(form->dialogFilter.endsWith(form->dialogSelectedFilter));
    for (const char* pattern : {"*.png", "*.tif", "*.tiff", "*.jpeg", "*.jpg", "*.wmf"})
        EXPECT_TRUE(form->dialogSelectedFilter.contains(QString(pattern) + ' ') ||
                    form->dialogSelectedFilter.contains(QString(pattern) + ')'))
            << pattern;
}

TEST_F(WindowTrust, NoRunWithoutAColourOrWithAToleranceThatMatchesNothing)
{
    open();
    QApplication::setActiveWindow(form.get());
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Minus);
    EXPECT_EQ(entryTicks(), "0000000");
    analyze();
    ASSERT_EQ(form->messages.size(), 1);
    EXPECT_EQ(form->messages[0], "Keine Farbe ist angekreuzt: es gäbe nichts zu analysieren.");
    EXPECT_EQ(grid()->rowCount(), 0);
    expectIdle();

    QTest::keyClick(list(), Qt::Key_Plus);
    EXPECT_EQ(entryTicks(), "1111111");
    EXPECT_EQ(list()->actions().size(), 3) << "both also in the list's own menu, beside the Role submenu";
    field("txtTolerance")->setText("-5");
    analyze();
    ASSERT_EQ(form->messages.size(), 2);
    EXPECT_EQ(form->messages[1], "Toleranz \"-5\" ist nicht größer als 0");
    EXPECT_EQ(entryTicks(), "1111111") << "no run, so no colour unticked";
}

TEST_F(WindowTrust, ALanguageSwitchRewritesEverythingShown)
{
    open();
    analyze();
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Open"), "Öffnen") << "Qt's own dialogs speak German too";
    english();
    EXPECT_EQ(status(), "Ready.");
    EXPECT_TRUE(report().startsWith("Pixels: 330 x 314 -> scaled: 330.00 x 314.00\nCD_lam = "))
        << report().toStdString();
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Open"), "Open");
    field("txtTolerance")->setText("1+");
    tickAllColours();
    analyze();
    ASSERT_EQ(form->messages.size(), 1);
    EXPECT_EQ(form->messages[0], "Tolerance \"1+\" ends before the expression is complete");
    EXPECT_EQ(get<QPushButton>("btnCopyBitmap")->text(), "Copy Bitmap");
}

TEST_F(WindowTrust, CopiesAndAbortsSayWhatHappened)
{
    open();
    analyze();
    copyTable();
    EXPECT_EQ(status(), "Tabelle mit 6 Zeilen in der Zwischenablage.");
    click("btnCopyBitmap");
    EXPECT_EQ(status(), "Bild mit 330 x 314 Pixeln in der Zwischenablage.");
    EXPECT_EQ(form->windowTitle(), "Centrafix[*]") << "the built-in example";

    // Esc right after the Analyze key, before the click it sends arrives.
    form->activateWindow();
    QSignalSpy analysed(form->findChild<QAction*>("actAnalyze"), &QAction::triggered);
    QTest::keyClick(form.get(), Qt::Key_N, Qt::AltModifier);
    pressEsc();
    ASSERT_TRUE(analysed.wait());
    waitForWork();
    EXPECT_EQ(status(), "Abgebrochen.");
    EXPECT_EQ(grid()->rowCount(), 0);
}

TEST_F(WindowTrust, RunningOutOfMemorySaysSoAndKeepsThePicture)
{
    if (!test::AddressSpaceLimit::kAvailable)
        GTEST_SKIP() << "the address sanitizer cannot run under an address-space limit";
    open();
    QImage big(6000, 6000, QImage::Format_RGB32); // 144 MB; every copy of it needs as much again
    big.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(big);
    click("btnPaste");
    ASSERT_EQ(workingCopy().picture().size(), big.size());
    // Each with 32 MB to spare, counted from what the window holds just then:
    // the run first, while no earlier run has left memory to reuse.
    {
        const test::AddressSpaceLimit limit(32u << 20);
        analyze();
    }
    analyze(); // with the memory back, the run goes through and leaves marks for the bitmap copy
    EXPECT_EQ(grid()->rowCount(), 2);
    for (const char* button : {"btnCopyBitmap", "btnFlip"}) {
        const test::AddressSpaceLimit limit(32u << 20);
        click(button);
    }
    ASSERT_EQ(form->messages.size(), 3) << form->messages.join(" | ").toStdString();
    EXPECT_EQ(form->messages[0], "Nicht genug Speicher, um dieses Bild zu analysieren.");
    EXPECT_EQ(form->messages[1], "Nicht genug Speicher für dieses Bild.");
    EXPECT_EQ(form->messages[2], "Nicht genug Speicher für dieses Bild.");
    EXPECT_EQ(workingCopy().picture().pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(display().screen().cacheKey(), workingCopy().picture().cacheKey()) << "the display shows it again";
    expectIdle();
}

TEST_F(WindowTrust, ATableTooTallForTheClipboardIsSaidNotBuilt)
{
    open();
    QImage tall(1, 600001, QImage::Format_RGB32);
    tall.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(tall);
    click("btnPaste");
    QGuiApplication::clipboard()->setText("an older table");
    analyze();
    EXPECT_EQ(grid()->rowCount(), 2) << "the run itself goes through";
    EXPECT_TRUE(status().startsWith("Die Auftriebstabelle hat 600001 Zeilen, mehr als die 500000"))
        << status().toStdString();
    EXPECT_TRUE(clipboardText().isEmpty()) << "nothing of an earlier picture left to paste";
}
