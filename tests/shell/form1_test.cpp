// The window driven as a user drives it: through its controls, the mouse over
// the picture, Esc and closing, against a settings store of its own.

#include "shell/form1.h"
#include "shell/twips.h"

#include "engine/analysis_run.h"
#include "engine/results_grid.h"
#include "picture/picture_area.h"
#include "picture/picture_source.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace centrafix;

namespace {

// Message boxes and the file dialog would wait for a person.
class TestForm : public Form1 {
public:
    using Form1::Form1;

    QStringList messages;
    QString fileToOpen;
    QString offeredFilter;

protected:
    void showMessage(QMessageBox::Icon, const QString& text) override { messages << text; }
    QString chooseOpenFile(const QString& filter) override
    {
        offeredFilter = filter;
        return fileToOpen;
    }
};

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QLocale::setDefault(QLocale::c());
        QGuiApplication::clipboard()->clear();
    }

    QString storePath() const { return dir.filePath("settings.ini"); }

    void store(const QString& key, const QString& value)
    {
        QSettings s(storePath(), QSettings::IniFormat);
        s.setValue("Centrafix/" + key, value);
    }

    QString stored(const QString& key) const
    {
        QSettings s(storePath(), QSettings::IniFormat);
        return s.value("Centrafix/" + key).toString();
    }

    TestForm& open()
    {
        form = std::make_unique<TestForm>(storePath());
        form->show();
        return *form;
    }

    template <class T> T* get(const char* name)
    {
        T* w = form->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    QString status() { return get<QLabel>("StatusBar1Panel1")->text(); }
    QTableWidget* grid() { return get<QTableWidget>("grdResults"); }
    QListWidget* list() { return get<QListWidget>("theListView"); }
    QLineEdit* field(const char* name) { return get<QLineEdit>(name); }
    const PictureArea& display() { return *form->findChild<PictureArea*>("picSide"); }
    const PictureArea& workingCopy() { return *form->findChild<PictureArea*>("picBackBuffer"); }
    QString clipboardText() { return QGuiApplication::clipboard()->text(); }

    void analyze() { get<QPushButton>("btnAnalyze")->click(); }

    QString copyTable()
    {
        get<QPushButton>("btnCopy")->click();
        return clipboardText();
    }

    // Runs `action` at the first object boundary of the next analysis at which
    // `when` holds: a 0 ms timer fires whenever the run lets events through.
    void analyzeWithHook(const std::function<bool()>& when, const std::function<void()>& action)
    {
        QTimer timer;
        timer.setInterval(0);
        bool done = false;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (!done && form->isRunning() && when()) {
                done = true;
                action();
            }
        });
        timer.start();
        analyze();
        timer.stop();
        EXPECT_TRUE(done) << "the hook never ran";
    }

    void pressEsc()
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : form.get();
        QTest::keyClick(target, Qt::Key_Escape);
    }

    void mouse(QEvent::Type type, Qt::MouseButton button, QPoint at)
    {
        QWidget* view = get<QWidget>("picSide");
        QMouseEvent event(type, QPointF(at), view->mapToGlobal(QPointF(at)), button,
                          type == QEvent::MouseMove ? Qt::NoButton : button, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }

    QStringList entryTexts()
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    }

    std::vector<bool> entryTicks()
    {
        std::vector<bool> ticks;
        for (int i = 0; i < list()->count(); ++i)
            ticks.push_back(list()->item(i)->checkState() == Qt::Checked);
        return ticks;
    }

    // What the engine alone gives for the window's current inputs on its
    // working copy, as "Copy Table" would put it on the clipboard.
    AnalysisResult engineRun(const std::array<double, 8>& weights)
    {
        AnalysisInputs in;
        in.toleranceText = field("txtTolerance")->text().toStdString();
        in.scaleText = field("txtScale")->text().toStdString();
        in.altitudeText = field("txtAltitude")->text().toStdString();
        in.machText = field("txtMach")->text().toStdString();
        in.ticked.fill(true);
        in.ticked[0] = false;
        in.OriginX = form->originX();
        in.OriginY = form->originY();
        in.OriginRow = form->originRow();
        in.languageIndex = form->languageIndex();
        in.decimalSeparator = QLocale().decimalPoint().toStdString();
        RunSetup setup;
        EXPECT_FALSE(PrepareRun(in, setup).has_value());
        ColorObjectTable objects = MakeColorObjects(in.languageIndex);
        for (int i = 1; i <= kObjectCount; ++i)
            objects[static_cast<std::size_t>(i)].Weight = weights[static_cast<std::size_t>(i)];
        AnalysisObserver quiet;
        const QImage picture = workingCopy().picture();
        return RunAnalysis(RasterViewOf(picture), objects, setup, in, quiet);
    }

    static QString TableText(const AnalysisResult& result, int languageIndex)
    {
        return QString::fromStdString(CopyTableText(GridHeaderText(languageIndex), result.gridRows));
    }

    QTemporaryDir dir;
    std::unique_ptr<TestForm> form;
};

const std::array<double, 8> kUnitWeights{0, 1, 1, 1, 1, 1, 1, 1};

const QStringList kGermanEntries{"schwarz W=1", "rot W=1",      "grün W=1",  "blau W=1",
                                 "gelb W=1",    "hellblau W=1", "violett W=1"};

} // namespace

TEST_F(Form1Test, FirstStartShowsTheDefaultsInGermanWithEveryColourTicked)
{
    open();
    EXPECT_EQ(form->windowTitle(), "Centrafix");
    EXPECT_EQ(field("txtScale")->text(), "1.0");
    EXPECT_EQ(field("txtAltitude")->text(), "10000");
    EXPECT_EQ(field("txtMach")->text(), "0.85");
    EXPECT_EQ(field("txtTolerance")->text(), "10");
    EXPECT_EQ(form->languageIndex(), kGerman);
    EXPECT_EQ(get<QComboBox>("cbLanguage")->currentText(), "Deutsch");
    EXPECT_EQ(get<QPushButton>("btnOpen")->text(), "Ö&ffnen...");
    EXPECT_EQ(get<QPushButton>("btnCopyBitmap")->text(), "Copy Bitmap");
    EXPECT_EQ(get<QLabel>("Label4")->text(), "Mach number [-]:");
    EXPECT_EQ(entryTexts(), kGermanEntries);
    EXPECT_EQ(entryTicks(), std::vector<bool>(7, true));
    EXPECT_EQ(status(), "Ready.");
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_FALSE(get<QProgressBar>("theProgressBar")->isVisible());
    EXPECT_EQ(display().screen(), ExamplePicture());
    EXPECT_EQ(copyTable(), QString::fromStdString(GridHeaderText(kGerman)));

    // The designed layout, converted at the screen's DPI.
    const double dpiX = form->logicalDpiX(), dpiY = form->logicalDpiY();
    EXPECT_EQ(get<QPushButton>("btnAnalyze")->geometry(),
              TwipsToPixels(TwipsRect{1680, 120, 1455, 375}, dpiX, dpiY));
    EXPECT_EQ(get<QWidget>("picSideScroll")->geometry(),
              TwipsToPixels(TwipsRect{120, 2880, 5055, 2340}, dpiX, dpiY));
}

TEST_F(Form1Test, ResizingKeepsThePanelRightAndTheGridBesideIt)
{
    open();
    QWidget* panel = get<QWidget>("picBox");
    const double dpi = form->logicalDpiX();
    form->resize(TwipsToPixels(16000, dpi), form->height());
    EXPECT_EQ(panel->geometry().right() + 1, form->width());
    EXPECT_EQ(panel->y(), TwipsToPixels(80, form->logicalDpiY()));
    EXPECT_EQ(grid()->x() + grid()->width() + TwipsToPixels(240, dpi), panel->x());

    const int left = panel->x();
    form->resize(panel->width(), form->height()); // nothing to spare
    EXPECT_EQ(panel->x(), left);
}

TEST_F(Form1Test, AnalysingTheExampleGivesTheEngineResultsEverywhere)
{
    open();
    field("txtScale")->setText("0.01");
    mouse(QEvent::MouseButtonPress, Qt::RightButton, {20, 150}); // an origin the run must use
    list()->item(6)->setCheckState(Qt::Unchecked);               // magenta: absent anyway
    const AnalysisResult expected = engineRun(kUnitWeights);
    ASSERT_TRUE(expected.completed);

    analyze();
    EXPECT_EQ(clipboardText(), QString::fromStdString(expected.loadingTable));
    EXPECT_EQ(copyTable(), TableText(expected, kGerman));
    EXPECT_EQ(grid()->selectedItems().size(), grid()->rowCount() * 9) << "whole table left selected";
    QString report = QString::fromStdString(expected.report);
    report.replace("\r\n", "\n");
    EXPECT_EQ(get<QPlainTextEdit>("txtReport")->toPlainText(), report);
    EXPECT_TRUE(get<QPlainTextEdit>("txtReport")->isVisible());

    // Found colours keep their ticks; the absent ones lose them.
    EXPECT_EQ(entryTicks(), (std::vector<bool>{true, true, true, true, false, false, false}));
    EXPECT_EQ(status(), "Bereit.");
    EXPECT_FALSE(get<QProgressBar>("theProgressBar")->isVisible());
    EXPECT_TRUE(get<QPushButton>("btnAnalyze")->isEnabled());
    EXPECT_TRUE(get<QPushButton>("btnOpen")->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_NE(display().image(), workingCopy().picture()) << "markers plotted over the picture";
}

TEST_F(Form1Test, LanguageSwitchRelabelsAndResetsGridPictureAndList)
{
    open();
    analyze();
    ASSERT_GT(grid()->rowCount(), 0);

    get<QComboBox>("cbLanguage")->setCurrentIndex(1);
    EXPECT_EQ(form->languageIndex(), kEnglish);
    EXPECT_EQ(get<QLabel>("lblLanguage")->text(), "Language");
    EXPECT_EQ(get<QLabel>("Label2")->text(), "Colors:");
    EXPECT_EQ(get<QPushButton>("btnOpen")->text(), "&Open...");
    EXPECT_EQ(get<QPushButton>("btnCopyBitmap")->text(), "Copy Bitmap");
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_EQ(copyTable(), QString::fromStdString(GridHeaderText(kEnglish)));
    EXPECT_EQ(display().screen(), workingCopy().picture()) << "markers removed";
    EXPECT_EQ(entryTexts().first(), "black W=1");
    EXPECT_EQ(entryTicks(), std::vector<bool>(7, false));
    EXPECT_EQ(list()->currentRow(), 0);
    EXPECT_TRUE(list()->item(0)->isSelected());

    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                      list()->visualItemRect(list()->item(1)).center());
    EXPECT_EQ(status(), "red:  RGB(255,0,0)");
}

TEST_F(Form1Test, EditedWeightChangesTheEfficiencyAndTheTotal)
{
    open();
    QListWidgetItem* red = list()->item(1);
    list()->setCurrentItem(red);
    list()->editItem(red);
    auto* editor = list()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("rot W=2.5");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the view commits the edit from its queue
    EXPECT_EQ(red->text(), "rot W=2.5");
    EXPECT_EQ(form->colorObjects()[2].Weight, 2.5);

    // A lower-case w is no weight; a text without its name still edits the colour.
    form->theListView_AfterLabelEdit(1, "rot w=3");
    EXPECT_EQ(form->colorObjects()[2].Weight, 2.5);

    analyze();
    const AnalysisResult expected = engineRun({0, 1, 2.5, 1, 1, 1, 1, 1});
    EXPECT_EQ(copyTable(), TableText(expected, kGerman));
    EXPECT_NE(TableText(expected, kGerman), TableText(engineRun(kUnitWeights), kGerman));
    const QList<QTableWidgetItem*> redRow = grid()->findItems("rot", Qt::MatchExactly);
    ASSERT_EQ(redRow.size(), 1);
    EXPECT_EQ(grid()->item(redRow[0]->row(), 8)->text(), "2.50");
}

TEST_F(Form1Test, EscAtAnObjectBoundaryEndsTheRunWithoutResults)
{
    open();
    pressEsc(); // while idle: only the status text
    EXPECT_EQ(status(), "Abbrechen...");
    EXPECT_TRUE(form->abortRequested());

    analyzeWithHook([&] { return status().startsWith("Analysiere grün"); }, [&] {
        // While the run yields, nothing may change the picture under it.
        for (const char* name : {"btnAnalyze", "btnOpen", "btnPaste", "btnFlip", "btnInvert",
                                 "btnCopyBitmap", "cbLanguage"})
            EXPECT_FALSE(get<QWidget>(name)->isEnabled()) << name;
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_FALSE(get<QPlainTextEdit>("txtReport")->isVisible());
        const QWidget* progress = get<QProgressBar>("theProgressBar");
        const QWidget* panel2 = get<QLabel>("StatusBar1Panel2");
        EXPECT_TRUE(progress->isVisible());
        EXPECT_TRUE(QRect(panel2->mapTo(form.get(), QPoint(0, 0)), panel2->size())
                        .contains(progress->geometry().center()));
        pressEsc();
    });
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_TRUE(get<QPlainTextEdit>("txtReport")->toPlainText().isEmpty());
    EXPECT_EQ(status(), "Bereit.");
    EXPECT_TRUE(clipboardText().startsWith("Eta\t")) << "the loading table still goes out";
    // Blue is in the picture but its pass never ran.
    EXPECT_EQ(entryTicks(), (std::vector<bool>{true, true, true, false, false, false, false}));
    EXPECT_TRUE(get<QPushButton>("btnAnalyze")->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The next run starts with the request cleared and goes to the end.
    form->findChild<QListWidget*>("theListView")->item(3)->setCheckState(Qt::Checked);
    analyze();
    EXPECT_EQ(grid()->rowCount(), 5);
}

TEST_F(Form1Test, ClosingDuringARunEndsItAndStillSavesTheSettings)
{
    open();
    field("txtMach")->setText("0.7");
    analyzeWithHook([] { return true; }, [&] {
        form->close();
        EXPECT_TRUE(form->isVisible()) << "the close waits for the run";
    });
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->isRunning());
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_EQ(stored("Mach"), "0.7");
}

TEST_F(Form1Test, SettingsRoundTrip)
{
    store("color_w_2", "0.5");
    store("color_w_3", "2.25");
    store("color_w_4", "abc");
    store("Scale", "1/50");
    store("Altitude", "5000");
    store("Language", "7");
    open();
    EXPECT_EQ(form->languageIndex(), kGerman);
    EXPECT_EQ(entryTexts().mid(0, 4), (QStringList{"schwarz W=1", "rot W=0.5", "grün W=2.25", "blau W=0"}));
    EXPECT_EQ(field("txtScale")->text(), "1/50");
    EXPECT_EQ(field("txtAltitude")->text(), "5000");
    form->close();

    QSettings s(storePath(), QSettings::IniFormat);
    s.beginGroup("Centrafix");
    EXPECT_EQ(s.childKeys().size(), 13);
    EXPECT_EQ(stored("Language"), "1");
    EXPECT_EQ(stored("Name"), "Simple Centrafix");
    EXPECT_EQ(stored("Path"), QCoreApplication::applicationFilePath());
    EXPECT_EQ(stored("Scale"), "1/50");
    EXPECT_EQ(stored("Mach"), "0.85");
    EXPECT_EQ(stored("Altitude"), "5000");
    EXPECT_EQ(stored("color_w_1"), "1");
    EXPECT_EQ(stored("color_w_2"), "0.5");
    EXPECT_EQ(stored("color_w_3"), "2.25");
    EXPECT_EQ(stored("color_w_4"), "0");

    store("Language", "2");
    open();
    EXPECT_EQ(form->languageIndex(), kEnglish);
    EXPECT_EQ(get<QComboBox>("cbLanguage")->currentText(), "English");
    EXPECT_EQ(entryTexts()[1], "red W=0.5");
}

TEST_F(Form1Test, RightClickSetsTheOriginAndDrawsItsMark)
{
    open();
    field("txtScale")->setText("0.5");
    mouse(QEvent::MouseMove, Qt::NoButton, {100, 40});
    EXPECT_EQ(status(), "x = 50.00, y = 20.00.");

    const QRgb under = workingCopy().picture().pixel(100, 40);
    mouse(QEvent::MouseButtonPress, Qt::RightButton, {100, 40});
    EXPECT_EQ(status(), QString("(50.00/20.00), RGB(%1,%2,%3)")
                            .arg(qRed(under)).arg(qGreen(under)).arg(qBlue(under)));
    EXPECT_EQ(form->originColumn(), 100);
    EXPECT_EQ(form->originRow(), 40);
    EXPECT_EQ(form->originX(), 50);
    EXPECT_EQ(form->originY(), 20);
    const QImage& shown = display().screen();
    EXPECT_EQ(shown.pixel(100, 40) & 0xFFFFFF, 0u) << "black disc at the origin";
    EXPECT_EQ(shown.pixel(130, 40) & 0xFFFFFF, 0u) << "x axis";
    EXPECT_EQ(shown.pixel(100, 70) & 0xFFFFFF, 0u) << "y axis";

    mouse(QEvent::MouseMove, Qt::NoButton, {100, 40});
    EXPECT_EQ(status(), "x = 0.00, y = 0.00.");
    mouse(QEvent::MouseMove, Qt::NoButton, {90, 30});
    EXPECT_EQ(status(), "x = -5.00, y = -5.00.");

    // The origin follows the scale, so the same pixel still reads zero.
    field("txtScale")->setText("2");
    EXPECT_EQ(form->originX(), 200);
    EXPECT_EQ(form->originY(), 80);
    mouse(QEvent::MouseMove, Qt::NoButton, {100, 40});
    EXPECT_EQ(status(), "x = 0.00, y = 0.00.");

    // A left click reads out but moves nothing; the locale gives the separator.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, {101, 40});
    EXPECT_TRUE(status().startsWith("(2,00/0,00), RGB(")) << status().toStdString();
    EXPECT_EQ(form->originColumn(), 100);
}

TEST_F(Form1Test, UnusableScaleShowsAMessageAndKeepsTheOrigin)
{
    open();
    field("txtScale")->setText("1");
    mouse(QEvent::MouseButtonPress, Qt::RightButton, {10, 10});
    const QImage before = display().screen();

    for (const char* text : {"1+", "0", "1/0"}) {
        field("txtScale")->setText(text);
        mouse(QEvent::MouseMove, Qt::NoButton, {50, 50});
        EXPECT_TRUE(status().contains("Maßstabsfaktor") && status().contains(text))
            << status().toStdString();
        mouse(QEvent::MouseButtonPress, Qt::RightButton, {50, 50});
        EXPECT_EQ(form->originColumn(), 10) << text;
        EXPECT_EQ(display().screen(), before) << text;
    }
}

TEST_F(Form1Test, UnreadableToleranceStopsTheRunBeforeItChangesAnything)
{
    open();
    analyze();
    const QString table = copyTable();
    const QString report = get<QPlainTextEdit>("txtReport")->toPlainText();
    QGuiApplication::clipboard()->setText("keep");

    field("txtTolerance")->setText("1+");
    analyze();
    ASSERT_EQ(form->messages.size(), 1);
    EXPECT_TRUE(form->messages[0].contains("Toleranz") && form->messages[0].contains("\"1+\""))
        << form->messages[0].toStdString();
    EXPECT_EQ(clipboardText(), "keep");
    EXPECT_EQ(get<QPlainTextEdit>("txtReport")->toPlainText(), report);
    EXPECT_EQ(copyTable(), table);
    EXPECT_TRUE(get<QPushButton>("btnAnalyze")->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A scale of 0 is no error: the run replaces it by 1 and says so in the field.
    field("txtTolerance")->setText("10");
    field("txtScale")->setText("0");
    analyze();
    EXPECT_EQ(field("txtScale")->text(), "1");
    EXPECT_EQ(form->messages.size(), 1);
}

TEST_F(Form1Test, OpeningAndPastingReplaceThePictureAndTickEveryColour)
{
    open();
    QImage big(640, 480, QImage::Format_RGB32);
    big.fill(Qt::white);
    const QString bmp = dir.filePath("big.bmp");
    ASSERT_TRUE(big.save(bmp));
    const QString broken = dir.filePath("broken.bmp");
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("BM not really");
    }

    list()->item(2)->setCheckState(Qt::Unchecked);
    form->fileToOpen = broken;
    get<QPushButton>("btnOpen")->click();
    ASSERT_EQ(form->messages.size(), 1);
    EXPECT_TRUE(form->messages[0].contains("broken.bmp"));
    EXPECT_EQ(workingCopy().picture(), ExamplePicture());
    EXPECT_FALSE(entryTicks()[2]);
    EXPECT_TRUE(form->offeredFilter.startsWith("Windows Bitmap Dateien (*.bmp);;JPEG Bilddateien (*.jpg);;"))
        << form->offeredFilter.toStdString();

    form->fileToOpen = bmp;
    get<QPushButton>("btnOpen")->click();
    EXPECT_EQ(workingCopy().picture().size(), QSize(640, 480));
    EXPECT_EQ(display().screen().size(), QSize(640, 480));
    EXPECT_EQ(get<QPlainTextEdit>("txtReport")->toPlainText(), "Pixel: 640 x 480");
    EXPECT_EQ(entryTicks(), std::vector<bool>(7, true));

    // Paste: text is no picture; an image is, and the report stays.
    list()->item(2)->setCheckState(Qt::Unchecked);
    QGuiApplication::clipboard()->setText("no picture");
    get<QPushButton>("btnPaste")->click();
    ASSERT_EQ(form->messages.size(), 2);
    EXPECT_EQ(form->messages[1], "Die Zwischenablage enthält keine Bitmap Abbildung!");
    EXPECT_FALSE(entryTicks()[2]);

    QImage small(30, 20, QImage::Format_RGB32);
    small.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(small);
    get<QPushButton>("btnPaste")->click();
    EXPECT_EQ(form->messages.size(), 2);
    EXPECT_EQ(workingCopy().picture().size(), QSize(30, 20));
    EXPECT_EQ(get<QPlainTextEdit>("txtReport")->toPlainText(), "Pixel: 640 x 480");
    EXPECT_EQ(entryTicks(), std::vector<bool>(7, true));
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
