#pragma once

// The window driven as a user drives it: through its controls, the mouse over
// the picture, Esc and closing, against a settings store of its own.

#include "shell/analysis_session.h"
#include "shell/form1.h"
#include "shell/picture_scroll.h"
#include "shell/picture_view.h"

#include "engine/analysis_run.h"
#include "engine/results_grid.h"
#include "picture/picture_area.h"
#include "picture/picture_source.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace centrafix::test {

// Message boxes and the file dialog would wait for a person.
class TestForm : public Form1 {
public:
    using Form1::Form1;

    QStringList messages;
    QString fileToOpen;
    // What the open dialog was shown with.
    QString dialogFilter;
    QString dialogSelectedFilter;
    QString dialogFolder;
    // The save dialog's answer: a name and the filter it was chosen with
    // (empty: the one offered first).
    QString fileToSave;
    QString saveFilterChosen;
    QString saveDialogFilter;
    QString saveDialogSuggested; // the name the save dialog offered, in its folder
    // Yes/no questions asked, and the answer they get.
    QStringList questions;
    bool answerYes = true;
    // Questions about unsaved changes, and their answer.
    QStringList saveQuestions;
    SaveChoice saveAnswer = SaveChoice::Discard;

protected:
    void showMessage(QMessageBox::Icon, const QString& text) override { messages << text; }
    QString chooseOpenFile(const QString& filter, const QString& selected, const QString& folder) override
    {
        dialogFilter = filter;
        dialogSelectedFilter = selected;
        dialogFolder = folder;
        return fileToOpen;
    }
    SaveChoice askSaveChanges(const QString& question) override
    {
        saveQuestions << question;
        return saveAnswer;
    }
    bool askYesNo(const QString& question) override
    {
        questions << question;
        return answerYes;
    }
    QString chooseSaveFile(const QString& filter, QString& selected, const QString& suggested) override
    {
        saveDialogFilter = filter;
        saveDialogSuggested = suggested;
        if (!saveFilterChosen.isEmpty())
            selected = saveFilterChosen;
        return fileToSave;
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

    QByteArray storeBytes(const QString& path = {}) const
    {
        QFile file(path.isEmpty() ? storePath() : path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void setStoreBytes(const QByteArray& bytes, const QString& path = {}) const
    {
        QFile file(path.isEmpty() ? storePath() : path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    void store(const QString& key, const QString& value)
    {
        QSettings(storePath(), QSettings::IniFormat).setValue("Centrafix/" + key, value);
    }

    // The offscreen screen is small enough for the example to be fitted;
    // the tests point at picture pixels, so they see it at 1:1. The tests
    // read a German window: without a store of its own, one that keeps
    // German is made (in the C locale the window would speak English).
    void open(const QString& settingsFile = {})
    {
        const QString path = settingsFile.isEmpty() ? storePath() : settingsFile;
        if (storeGerman && !QFile::exists(path))
            setStoreBytes("[Centrafix]\nLanguage=1\n", path);
        form = std::make_unique<TestForm>(path);
        form->show();
        scroll()->actualSize();
    }

    PictureScroll* scroll() { return form->findChild<PictureScroll*>("picSideScroll"); }
    PictureView* view() { return form->findChild<PictureView*>("picSide"); }
    // What the picture's view shows: the picture with the marks over it.
    QImage shown() { return view()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    template <class T>
    T* get(const char* name)
    {
        T* w = form->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    QString status() { return get<QLabel>("StatusBar1Panel1")->text(); }
    QTableWidget* grid() { return get<QTableWidget>("grdResults"); }
    QTableWidget* list() { return get<QTableWidget>("theListView"); }
    // The colour list's entry of row r (0 to 6): the tick, the swatch and the name.
    QTableWidgetItem* entry(int r) { return list()->item(r, 0); }
    QLineEdit* field(const char* name) { return get<QLineEdit>(name); }
    const PictureArea& display() { return *form->findChild<PictureArea*>("picSide"); }
    const PictureArea& workingCopy() { return *form->findChild<PictureArea*>("picBackBuffer"); }
    QString clipboardText() { return QGuiApplication::clipboard()->text(); }

    QString report() { return get<QPlainTextEdit>("txtReport")->toPlainText(); }
    // A click on a button that starts long work returns once the work has
    // ended, after withHook's hook had its chance right after the click.
    void click(const char* button)
    {
        get<QPushButton>(button)->click();
        if (hook)
            hook();
        waitForWork();
    }
    void analyze() { click("btnAnalyze"); }

    // Waits until the run or picture pass under way, if any, has ended.
    void waitForWork()
    {
        if (!form->isBusy())
            return;
        QSignalSpy ended(form.get(), &Form1::workEnded);
        EXPECT_TRUE(ended.wait(120'000)) << "the work never ended";
    }

    QString copyTable()
    {
        click("btnCopy");
        return clipboardText();
    }

    // Runs `action` the first time `when` holds while `start` is under way:
    // right after the click that started it, and at every status text of a
    // run, which waits there until the hook has looked. What the action does
    // (Esc, a close, a field changed) so happens at a known object boundary.
    void withHook(const std::function<void()>& start, const std::function<bool()>& when,
                  const std::function<void()>& action)
    {
        bool done = false;
        hook = [&] {
            if (!done && when()) {
                done = true;
                action();
            }
        };
        const QMetaObject::Connection atStatus = QObject::connect(
            form->findChild<AnalysisSession*>(), &AnalysisSession::statusChanged, form.get(), [&] { hook(); },
            Qt::BlockingQueuedConnection);
        start();
        QObject::disconnect(atStatus);
        hook = nullptr;
        EXPECT_TRUE(done) << "the hook never ran";
    }

    // The same during the next analysis.
    void analyzeWithHook(const std::function<bool()>& when, const std::function<void()>& action)
    {
        withHook([&] { analyze(); }, [&] { return form->isRunning() && when(); }, action);
    }

    // Answers the next modal dialog once it shows; `answer` fills it in and
    // closes it. Returns whether one showed at all.
    bool answeringDialog(const std::function<void()>& action, const std::function<void(QDialog&)>& answer)
    {
        bool shown = false;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || shown)
                return;
            shown = true;
            answer(*dialog);
        });
        timer.start(0);
        action();
        timer.stop();
        return shown;
    }

    // Picture > Clean up colors, answered with the threshold typed.
    bool cleanUp(const QString& threshold)
    {
        const bool asked = answeringDialog([&] { form->findChild<QAction*>("actCleanUp")->trigger(); },
                                           [&](QDialog& d) {
                                               auto& ask = static_cast<QInputDialog&>(d);
                                               ask.setTextValue(threshold);
                                               ask.accept();
                                           });
        waitForWork();
        return asked;
    }

    void pressEsc()
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : form.get(), Qt::Key_Escape);
    }

    void mouse(QEvent::Type type, Qt::MouseButton button, QPoint at)
    {
        QWidget* view = get<QWidget>("picSide");
        QMouseEvent event(type, QPointF(at), view->mapToGlobal(QPointF(at)), button,
                          type == QEvent::MouseMove ? Qt::NoButton : button, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }

    // The colour list's rows as "name W=weight".
    QStringList entryTexts()
    {
        QStringList texts;
        for (int i = 0; i < list()->rowCount(); ++i)
            texts << list()->item(i, 0)->text() + " W=" + list()->item(i, 1)->text();
        return texts;
    }

    void tickAllColours()
    {
        for (int i = 0; i < list()->rowCount(); ++i)
            entry(i)->setCheckState(Qt::Checked);
    }

    // The seven ticks as a string: "1111000".
    QString entryTicks()
    {
        QString ticks;
        for (int i = 0; i < list()->rowCount(); ++i)
            ticks += entry(i)->checkState() == Qt::Checked ? '1' : '0';
        return ticks;
    }

    // Idle: every control that could change the picture usable, no busy cursor,
    // no progress bar. Busy during a run: the reverse of each.
    void expectIdle(bool idle = true)
    {
        for (const char* name :
             {"btnAnalyze", "btnOpen", "btnPaste", "btnFlip", "btnInvert", "btnCopyBitmap", "cbLanguage"})
            EXPECT_EQ(get<QWidget>(name)->isEnabled(), idle) << name;
        EXPECT_EQ(QApplication::overrideCursor() == nullptr, idle);
        EXPECT_EQ(get<QProgressBar>("theProgressBar")->isVisible(), !idle);
    }

    // What the engine alone gives for the window's current inputs on its
    // working copy, as "Copy Table" would put it on the clipboard.
    AnalysisResult engineRun(const std::array<double, 8>& weights = {0, 1, 1, 1, 1, 1, 1, 1})
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
        in.localeSeparator = in.decimalSeparator;
        const Result<RunSetup> setup = PrepareRun(in);
        EXPECT_TRUE(setup.ok());
        ColorObjectTable objects = MakeColorObjects(in.languageIndex);
        for (int i = 1; i <= kObjectCount; ++i)
            objects[static_cast<std::size_t>(i)].Weight = weights[static_cast<std::size_t>(i)];
        AnalysisObserver quiet;
        const QImage picture = workingCopy().picture();
        return RunAnalysis(RasterViewOf(picture), objects, *setup, in, quiet);
    }

    static QString TableText(const AnalysisResult& result, int languageIndex)
    {
        return QString::fromStdString(CopyTableText(GridHeaderText(languageIndex), result.gridRows));
    }

    QTemporaryDir dir;
    std::unique_ptr<TestForm> form;
    std::function<void()> hook; // withHook's, while it runs
    bool storeGerman = true;
};

} // namespace centrafix::test
