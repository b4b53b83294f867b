#include "analysis_session.h"

#include "window_texts.h"
#include "worker_thread.h"

#include "engine/analysis_run.h"
#include "engine/string_table.h"
#include "picture/picture_source.h"

#include <new>
#include <utility>

namespace centrafix {

// Hands what the run reports on to the session's signals, on the worker: every
// argument is a copy of its own by the time the window sees it. Reads the
// abort request.
class AnalysisSession::Observer final : public AnalysisObserver {
public:
    Observer(AnalysisSession& session, const QImage& working)
        : m_session(session),
          m_feedback(static_cast<std::int64_t>(working.width()) * working.height() <= kFeedbackPixels)
    {}

    void statusChanged(const std::string& text) override { emit m_session.statusChanged(QString::fromStdString(text)); }
    void progressChanged(std::int64_t value, std::int64_t maximum) override
    {
        emit m_session.progressChanged(value, maximum);
    }
    bool abortRequested() override { return m_session.m_abortRequested.load(); }
    // Painting every pass over the picture costs a pass of its own; on big
    // scans the whole run takes less time than that and the user would never
    // see the tint, so only pictures up to this size get it.
    static constexpr std::int64_t kFeedbackPixels = 4'000'000;
    bool wantsFeedback() const override { return m_feedback; }
    void passPainted(const PassFeedback& feedback) override
    {
        if (feedback.mask == nullptr)
            return;
        PassFeedback alone = feedback;
        alone.mask = nullptr;
        emit m_session.passPainted(alone, std::make_shared<const std::vector<std::uint8_t>>(*feedback.mask));
    }
    void displayRestored() override { emit m_session.displayRestored(); }
    void loadingTableReady(const LoadingTable& table) override
    {
        // Every run leaves the table on the clipboard, as long as the
        // clipboard can sensibly hold it: a very tall picture's table would
        // take hundreds of megabytes.
        if (table.rows() <= kClipboardTableRows)
            emit m_session.loadingTableReady(QString::fromStdString(table.text()));
        else
            emit m_session.loadingTableTooLarge(static_cast<qint64>(table.rows()));
        emit m_session.spanwiseReady(SampleLoadingTable(table, m_session.m_outcome.run.inputs.unit));
    }
    void gridRowAppended(const GridRow& row) override { emit m_session.gridRowAppended(row); }
    void plotRequested(const ColorObjectTable& objects, const RunValues& values) override
    {
        emit m_session.plotRequested(objects, values, m_session.m_outcome.run.inputs);
    }
    void reportReady(const std::string& report) override { emit m_session.reportReady(QString::fromStdString(report)); }

private:
    AnalysisSession& m_session;
    const bool m_feedback;
};

AnalysisSession::AnalysisSession(QObject* parent) : QObject(parent), m_worker(new WorkerThread(this))
{
    connect(m_worker, &WorkerThread::finished, this, &AnalysisSession::collect);
}

AnalysisSession::~AnalysisSession()
{
    stopAndWait();
}

void AnalysisSession::start(QImage working, PreparedRun run, bool stopAtOnce)
{
    Q_ASSERT(!m_running);
    m_abortRequested = stopAtOnce;
    m_outcome = RunOutcome{std::nullopt, std::move(run)};
    m_running = true;
    // The outcome is the worker's until ended(): the window neither prepares
    // nor starts another run before.
    if (!m_worker->start([this, working = std::move(working)] { execute(working); }))
        runOutOfMemory();
}

void AnalysisSession::runOutOfMemory()
{
    // A picture near the size limit on a machine short of memory: the
    // window stays, with what the run had shown so far.
    emit statusChanged(QString::fromUtf8(Tr(msg::Ready, m_outcome.run.inputs.languageIndex)));
    emit failed(Described({}, kNotEnoughMemoryToAnalyse));
}

void AnalysisSession::execute(const QImage& working)
{
    Observer observer(*this, working);
    try {
        PreparedRun& run = m_outcome.run;
        m_outcome.result = RunAnalysis(RasterViewOf(working), run.objects, run.setup, run.inputs, observer);
    } catch (const std::bad_alloc&) {
        runOutOfMemory();
    }
}

void AnalysisSession::collect()
{
    m_running = false;
    emit ended();
}

void AnalysisSession::stopAndWait()
{
    requestAbort();
    m_worker->wait();
}

} // namespace centrafix
