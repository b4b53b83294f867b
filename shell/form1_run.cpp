// The Analyze button: what the window shows before, during and after a run.
// The run itself is the AnalysisSession's, on a worker thread; the window only
// answers its signals and takes the results when it has ended.

#include "form1.h"

#include "frozen_column_grid.h"
#include "loading_chart_window.h"

#include "analysis_session.h"
#include "window_clipboard.h"
#include "window_texts.h"

#include "engine/analysis_run.h"
#include "picture/picture_area.h"
#include "picture/picture_ops.h"
#include "picture/result_plot.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <climits>
#include <utility>

namespace centrafix {

bool Form1::isRunning() const
{
    return m_run->isRunning();
}

bool Form1::abortRequested() const
{
    return m_run->abortRequested();
}

void Form1::btnAnalyze_Click()
{
    if (isBusy())
        return;
    // An origin typed and not yet entered (F5 straight from the field) is
    // the one the user means.
    if (const std::optional<Error> origin = applyOriginFields()) {
        showOrigin();
        showError(*origin);
        return;
    }
    setWaiting(true);
    // The run as the batch command would prepare it, on the working copy:
    // the fields, the origin, the ticks and the weights as they are now, one
    // consistent set, even if the user changes them while it goes.
    Result<PreparedRun> prepared =
        m_document.prepareRun(SmallScale::BecomesOne, QSize(picBackBuffer->scaleWidth(), picBackBuffer->scaleHeight()));
    if (!prepared) {
        // A run needs both numbers and something to look for; without them it
        // changes nothing at all.
        setWaiting(false);
        m_escBeforeRun = false;
        showError(prepared.error());
        return;
    }
    showRunStarting(prepared->setup);
    m_report = {};
    // Esc pressed between the Analyze key and the click it sends is meant for
    // this run.
    m_run->start(picBackBuffer->picture(), std::move(*prepared), std::exchange(m_escBeforeRun, false));
}

// The run's last report: its results join the window.
void Form1::runEnded()
{
    RunOutcome outcome = m_run->takeOutcome();
    PreparedRun& run = outcome.run;
    // Weights typed while the run went stay the user's; the run measured with
    // the ones it started with, and such a change left its results out of date.
    m_document.takeMeasures(run.objects);
    std::optional<LastRun> last;
    if (std::optional<AnalysisResult>& result = outcome.result) {
        picQuarterChord = std::move(result->values.marks);
        if (result->completed) {
            m_report = ReportSource{result->values.width, result->values.height, result->values.ScaleFactor,
                                    result->drag,         run.inputs.unit,       result->matches,
                                    result->balance,      result->noBalance};
            last = LastRun{std::move(run.inputs), run.originColumn, run.setup, m_document.colorObjects(),
                           std::move(*result)};
        }
    }
    takeRunOutcome(std::move(last));
    showRunOver();
}

void Form1::connectRun()
{
    AnalysisSession* run = m_run;
    connect(run, &AnalysisSession::statusChanged, this, [this](const QString& s) { setStatus(s); });
    connect(run, &AnalysisSession::progressChanged, this, &Form1::setProgress);
    connect(run, &AnalysisSession::passPainted, this, [this](const PassFeedback& feedback, const PassMask& mask) {
        PassFeedback painted = feedback;
        painted.mask = mask.get();
        PaintPassFeedback(*picSide, painted);
    });
    connect(run, &AnalysisSession::displayRestored, this, &Form1::showWorkingCopy);
    connect(run, &AnalysisSession::loadingTableReady, this, [](const QString& table) { PutOnClipboard(table); });
    connect(run, &AnalysisSession::loadingTableTooLarge, this, [this](qint64 rows) {
        // Nothing of an earlier picture may be pasted for this one's table.
        PutOnClipboard(QString());
        m_runNotice = QString::fromStdString(
            Tr(kTableTooLarge, LanguageIndex, {std::to_string(rows), std::to_string(kClipboardTableRows)}));
    });
    connect(run, &AnalysisSession::gridRowAppended, this, &Form1::appendGridRow);
    connect(run, &AnalysisSession::plotRequested, this,
            [this](const ColorObjectTable& objects, const RunValues& values, const AnalysisInputs& inputs) {
                showPlot(objects, values, inputs);
            });
    connect(run, &AnalysisSession::reportReady, this, [this](const QString& report) { setReport(report); });
    connect(run, &AnalysisSession::failed, this, &Form1::showError);
    connect(run, &AnalysisSession::ended, this, &Form1::runEnded);
}

// The moment between the click and a run that may yet be refused: only the
// cursor says that something is going on.
void Form1::setWaiting(bool waiting)
{
    if (waiting)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void Form1::showRunStarting(const RunSetup& setup)
{
    setBusy(true);
    txtReport->clear();
    showWorkingCopy();
    picSide->setAutoRedraw(false);
    txtReport->hide();
    setProgress(0, ProgressMaximum(picBackBuffer->scaleWidth(), picBackBuffer->scaleHeight()));
    theProgressBar->show();
    SetupGrid();
    m_chartWindow->clearSamples(); // until this run's table is there
    if (setup.scaleReplaced)
        txtScale->setText(QStringLiteral("1")); // rescales the origin, as typing "1" would
    picSide->ForeColor = Rgb(255, 255, 255);
    // From here, a change to the inputs makes this run's results out of date.
    clearOutOfDate();
    m_document.beginRun();
}

void Form1::showRunOver()
{
    // Inputs changed while the run went: its results are out of date as
    // soon as they are shown.
    showOutOfDate();
    // What the run's status texts would have overwritten is said last.
    if (!m_runNotice.isEmpty())
        setStatus(std::exchange(m_runNotice, QString()));
    // The last pass's tint was transient; the display now shows the picture
    // with what the plot put into it.
    picSide->refresh();
    setWaiting(false);
    theProgressBar->setValue(0);
    theProgressBar->hide();
    txtReport->show();
    endBusy();
}

void Form1::setProgress(std::int64_t value, std::int64_t maximum)
{
    // A progress bar counts in int; a picture large enough to exceed that is
    // shown in proportion.
    if (maximum > INT_MAX) {
        const double k = static_cast<double>(INT_MAX) / static_cast<double>(maximum);
        value = static_cast<std::int64_t>(static_cast<double>(value) * k);
        maximum = INT_MAX;
    }
    theProgressBar->setMaximum(static_cast<int>(maximum));
    theProgressBar->setValue(static_cast<int>(value));
}

} // namespace centrafix
