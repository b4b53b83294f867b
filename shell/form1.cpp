// The window's life (start-up, shutdown, Esc, closing), the picture
// operations, and the pointer over the picture.

#include "form1.h"

#include "plan_tool_texts.h"

#include "frozen_column_grid.h"
#include "loading_chart_window.h"

#include "analysis_session.h"
#include "out_of_date.h"
#include "picture_pass.h"
#include "picture_scroll.h"
#include "picture_view.h"
#include "window_clipboard.h"
#include "window_menus.h"
#include "window_settings.h"
#include "window_texts.h"

#include "engine/drag_report.h"
#include "engine/error.h"
#include "engine/number_text.h"
#include "picture/clipboard_picture.h"
#include "picture/picture_area.h"
#include "picture/picture_ops.h"
#include "picture/picture_source.h"
#include "picture/result_plot.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTranslator>

#include <functional>
#include <new>
#include <utility>

namespace centrafix {

namespace {

const QString kAppTitle = QStringLiteral("Centrafix");
constexpr int kEsc = 27;

} // namespace

Form1::Form1(const QString& settingsFile, QWidget* parent) : QMainWindow(parent), m_settingsFile(settingsFile)
{
    setWindowTitle(kAppTitle);
    picSide = new PictureArea(this);
    picSide->setObjectName(QStringLiteral("picSide"));
    picBackBuffer = new PictureArea(this);
    picBackBuffer->setObjectName(QStringLiteral("picBackBuffer"));
    picBackBuffer->setPicture(ExamplePicture());
    m_qtTranslator = new QTranslator(this);
    buildWidgets();
    setAcceptDrops(true);
    m_run = new AnalysisSession(this);
    m_pass = new PicturePass(this);
    connectRun();
    buildLoadingChart();
    connectFreshness();
    updateActions();
    // Esc must reach Form_KeyPress whichever control has the focus, and must
    // still reach that control: an application filter sees the key first and
    // lets it pass.
    qApp->installEventFilter(this);
    Form_Load();
}

Form1::~Form1()
{
    // The worker may not outlive what its signals reach.
    m_run->stopAndWait();
    m_pass->wait();
    if (isBusy())
        QApplication::restoreOverrideCursor(); // the run's or the pass's
}

// ---------------------------------------------------------------------------
// Small helpers of the handlers.

void Form1::setStatus(const QString& text)
{
    statusPanel1->setText(text);
}

void Form1::setStatus(const std::string& text)
{
    setStatus(QString::fromStdString(text));
}

std::string Form1::decimalSeparator() const
{
    return QLocale().decimalPoint().toStdString();
}

QString Form1::text(const Message& message) const
{
    return QString::fromUtf8(Tr(message, LanguageIndex));
}

// A run or a picture pass begins (true) or ends (false). A scale line being
// drawn is given up: the picture under it is about to change. A window
// already closed stays so.
void Form1::setBusy(bool busy)
{
    if (busy && m_activity == Activity::ScaleLine)
        leaveScaleLine();
    if (busy && (m_activity == Activity::Idle || m_activity == Activity::PlanTool))
        m_activity = Activity::Busy;
    else if (!busy && isBusy())
        m_activity = m_planTool ? Activity::PlanTool : Activity::Idle; // a fill tool stays for the next region
    updateActions();
}

// Ends what setBusy(true) began, and performs the close the user asked for
// meanwhile.
void Form1::endBusy()
{
    const bool closing = m_activity == Activity::BusyThenClose;
    setBusy(false);
    if (closing)
        close();
    emit workEnded();
}

void Form1::showError(const Error& error)
{
    showMessage(QMessageBox::Warning, QString::fromStdString(ErrorText(error, LanguageIndex)));
}

// The display shows the working copy alone: an earlier run's marks and the
// origin mark go with whatever was drawn over it.
void Form1::showWorkingCopy()
{
    picSide->setPicture(picBackBuffer->picture());
    m_plot.clear();
    m_hasPlot = false;
    m_originMark.reset();
    picSideView->clearMarks();
}

// ---------------------------------------------------------------------------
// Start-up, shutdown, Esc, closing.

void Form1::Form_Load()
{
    showWorkingCopy();
    {
        const QSignalBlocker quiet(cbLanguage);
        cbLanguage->clear();
        cbLanguage->addItem(QString::fromUtf8(Tr(kGermanName, kGerman)));
        cbLanguage->addItem(QString::fromUtf8(Tr(kEnglishName, kEnglish)));
        cbLanguage->setCurrentIndex(-1);
    }
    const SettingsRead read = ReadStoredSettings(SettingsFilePath(m_settingsFile));
    const StoredSettings& stored = read.values;
    // Numbers are typed and shown in the locale's convention.
    m_document.setSeparators(decimalSeparator(), decimalSeparator());
    for (int i = 1; i <= kObjectCount; ++i)
        m_document.setWeight(i, stored.weights[static_cast<std::size_t>(i)]);
    txtScale->setText(stored.scale);
    txtAltitude->setText(stored.altitude);
    txtMach->setText(stored.mach);
    txtTolerance->setText(stored.tolerance);
    // A text the field already had sends no change.
    m_document.setScaleText(stored.scale.toStdString());
    m_document.setAltitudeText(stored.altitude.toStdString());
    m_document.setMachText(stored.mach.toStdString());
    m_document.setToleranceText(stored.tolerance.toStdString());
    // Until the user chooses one, the window speaks the locale's language.
    LanguageIndex = stored.languageIndex.value_or(LanguageOfLocale(QLocale()));
    cbLanguage->setCurrentIndex(LanguageIndex - 1); // runs cbLanguage_Click
    SwitchLanguage();
    resize(defaultSize());
    if (!stored.windowGeometry.isEmpty())
        restoreGeometry(QByteArray::fromBase64(stored.windowGeometry.toLatin1()));
    keepOnScreen();
    setPanelSizes(stored.panels);
    // The zoom needs the region's size, which the window has once it shows.
    m_startZoom = ZoomModeFromText(stored.zoomMode);
    m_unitGiven = stored.unit.has_value();
    m_document.setUnit(stored.unit.value_or(QString()).toStdString());
    txtScaleUnit->setText(stored.unit.value_or(QString()));
    m_cleanUpThreshold = stored.cleanUpThreshold;
    m_fillSettings = stored.fill;
    m_mapTolerance = stored.mapTolerance;
    setBalanceSettings(stored.balance);
    actShowBalance->setChecked(stored.showBalance);
    m_paper = stored.paper ? PaperNamed(*stored.paper) : std::nullopt;
    if (read.unreadable)
        setStatus(text(kSettingsUnreadable));
    theProgressBar->hide();
    txtReport->show();
    showOrigin();
    tickAll();
    m_recentFiles = stored.recentFiles;
    showRecentFiles();
    // What the window starts with is nothing the user could lose.
    markSaved({});
}

void Form1::Form_Unload()
{
    if (m_activity == Activity::Closed)
        return;
    m_activity = Activity::Closed;
    m_chartWindow->close();
    StoredSettings values;
    values.languageIndex = LanguageIndex;
    values.scale = txtScale->text();
    values.mach = txtMach->text();
    values.altitude = txtAltitude->text();
    values.tolerance = txtTolerance->text();
    for (std::size_t i = 1; i < values.weights.size(); ++i)
        values.weights[i] = m_document.colorObjects()[i].Weight;
    values.windowGeometry = QString::fromLatin1(saveGeometry().toBase64());
    values.zoomMode = ZoomModeText(picSideScroll->mode());
    values.panels = panelSizes();
    if (m_unitGiven)
        values.unit = QString::fromStdString(m_document.unit());
    values.cleanUpThreshold = m_cleanUpThreshold;
    values.fill = m_fillSettings;
    values.mapTolerance = m_mapTolerance;
    values.balance = m_document.balanceSettings();
    values.showBalance = actShowBalance->isChecked();
    values.recentFiles = m_recentFiles;
    if (m_paper)
        values.paper = PaperName(*m_paper);
    // The program's own file; this system's executables have no ".exe". A
    // store that cannot be written keeps what it had: with the window closing
    // there is no one left to tell.
    (void)WriteStoredSettings(SettingsFilePath(m_settingsFile), values, QCoreApplication::applicationFilePath());
}

void Form1::Form_KeyPress(int KeyAscii)
{
    if (KeyAscii != kEsc)
        return;
    // Esc while a scale line is drawn ends the line, not a run: none goes.
    if (m_activity == Activity::ScaleLine) {
        cancelScaleLine();
        return;
    }
    if (m_activity == Activity::PlanTool) {
        leavePlanTool();
        setStatus(text(kToolEnded));
        return;
    }
    m_run->requestAbort();
    if (btnAnalyze->isDown())
        m_escBeforeRun = true;
    setStatus(text(msg::Aborting));
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (isBusy()) {
        // The run (or a picture pass) still goes on the worker; the run ends
        // at its next object boundary, a pass when it is done, and the window
        // closes then.
        if (m_run->isRunning())
            m_run->requestAbort();
        m_activity = Activity::BusyThenClose;
        event->ignore();
        return;
    }
    if (m_activity != Activity::Closed && !mayDiscardChanges()) {
        event->ignore();
        return;
    }
    Form_Unload();
    QMainWindow::closeEvent(event);
}

void Form1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (std::exchange(m_zoomChosen, true))
        return;
    keepOnScreen(); // now with the frame the window manager gave it
    if (m_startZoom)
        picSideScroll->setMode(*m_startZoom);
    else
        picSideScroll->chooseZoomForPicture();
    showZoom();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        auto* widget = static_cast<QWidget*>(watched);
        // A key the focus widget ignores climbs to its parents and passes this
        // filter again; only its first delivery counts.
        QWidget* focus = QApplication::focusWidget();
        const bool first = widget == focus || (focus == nullptr && widget == this);
        if (first && widget->window() == this)
            Form_KeyPress(kEsc);
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Picture sources and operations.

void Form1::showMessage(QMessageBox::Icon icon, const QString& message)
{
    QMessageBox box(icon, kAppTitle, message, QMessageBox::Ok, this);
    box.exec();
}

bool Form1::askYesNo(const QString& question)
{
    QMessageBox box(QMessageBox::Question, kAppTitle, question, QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void Form1::withMemory(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::bad_alloc&) {
        // A big picture on a machine short of memory: the operation stops
        // where it was, the working copy is the one from before, and the
        // display shows it again.
        picSide->setAutoRedraw(false);
        showWorkingCopy();
        if (isBusy())
            endBusy();
        showError(Described({}, kNotEnoughMemory));
    }
}

void Form1::btnCopyBitmap_Click()
{
    // Before the first analysis there are no marks: an empty canvas leaves the
    // picture as it is.
    withMemory([this] {
        const QImage bitmap = annotatedPicture();
        PutOnClipboard(bitmap);
        const std::string said =
            Tr(kBitmapCopied, LanguageIndex, {std::to_string(bitmap.width()), std::to_string(bitmap.height())});
        setStatus(m_hasPlot ? withRunInputs(said) : QString::fromStdString(said));
    });
}

// ---------------------------------------------------------------------------
// Pointer read-outs, origin and scale.

void Form1::picSide_MouseMove(int /*Button*/, int /*Shift*/, float X, float Y)
{
    if (m_lineStart) {
        moveScaleLine(X, Y);
        return;
    }
    const Result<double> scale = m_document.scaleFactor();
    const float s = scale ? static_cast<float>(*scale) : 0.0f;
    if (s == 0.0f) {
        setStatus(ScaleProblemText(txtScale->text(), LanguageIndex));
        return;
    }
    const DocumentOrigin& origin = m_document.origin();
    setStatus(PointerReadout(s, X, Y, origin.x, origin.y, decimalSeparator()));
}

void Form1::picSide_MouseDown(int Button, int /*Shift*/, float X, float Y)
{
    if (m_activity == Activity::ScaleLine && Button == 1) {
        beginScaleLine(X, Y);
        return;
    }
    if (m_activity == Activity::PlanTool && Button == 1) {
        planToolClick(X, Y);
        return;
    }
    const Result<double> scale = m_document.scaleFactor();
    if (!scale || *scale == 0.0) {
        // Without a usable factor there is no scaled position to show, and an
        // origin placed with it could not be drawn or rescaled.
        setStatus(ScaleProblemText(txtScale->text(), LanguageIndex));
        return;
    }
    const double s = *scale;
    const std::int32_t c = picSide->point(X, Y);
    setStatus(ClickReadout(s, X, Y, m_document.origin().x, m_document.origin().y, c, decimalSeparator()));
    // While a run or the invert pass works on the display, an origin mark
    // drawn into it would become part of the next working copy.
    if (Button != 2 || isBusy())
        return;
    const bool moved = m_document.origin().column != X || m_document.origin().row != Y;
    (void)m_document.placeOrigin(X, Y); // the factor was checked above
    // One origin mark, where the origin now is.
    m_originMark = QPointF(X, Y);
    picSideView->setOrigin(m_originMark);
    showOrigin();
    if (moved)
        showInputsChanged();
}

void Form1::txtScale_Change()
{
    // The origin keeps its pixel and follows the scale (the document's rule).
    m_document.setScaleText(txtScale->text().toStdString());
    showOrigin();
    showInputsChanged();
}

} // namespace centrafix
