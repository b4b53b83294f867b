#include "analysis_session.h"

#include "window_texts.h"

#include "engine/analysis_run.h"
#include "engine/string_table.h"
#include "picture/picture_source.h"

#include <QCoreApplication>
#include <QLineEdit>

#include <new>
#include <utility>

namespace centrafix {

// Hands what the run reports on to the session's signals; reads the abort
// request and lets events through for it.
class AnalysisSession::Observer final : public AnalysisObserver {
public:
    Observer(AnalysisSession& session, const QImage& working)
        : m_session(session),
          m_feedback(static_cast<std::int64_t>(working.width()) * working.height() <= kFeedbackPixels)
    {
    }

    void statusChanged(const std::string& text) override
    {
        emit m_session.statusChanged(QString::fromStdString(text));
    }
    void progressChanged(std::int64_t value, std::int64_t maximum) override
    {
        emit m_session.progressChanged(value, maximum);
    }
    void yieldToEvents() override
    {
        // The run stays on the user-interface thread like every other action, so
        // nothing can touch the colour table or the picture concurrently; letting
        // pending events through at the object boundaries is what repaints the
        // window and lets Esc (or a close) reach the run.
        QCoreApplication::processEvents();
    }
    bool abortRequested() override { return m_session.m_abortRequested; }
    // Painting every pass over the picture costs a pass of its own; on big
    // scans the whole run takes less time than that and the user would never
    // see the tint, so only pictures up to this size get it.
    static constexpr std::int64_t kFeedbackPixels = 4'000'000;
    bool wantsFeedback() const override { return m_feedback; }
    void passPainted(const PassFeedback& feedback) override { emit m_session.passPainted(feedback); }
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
        emit m_session.spanwiseReady(SampleLoadingTable(table, m_session.m_inputs.unit));
    }
    void gridRowAppended(const GridRow& row) override { emit m_session.gridRowAppended(row); }
    void plotRequested(const ColorObjectTable& objects, const RunValues& values) override
    {
        emit m_session.plotRequested(objects, values, m_session.m_inputs);
    }
    void reportReady(const std::string& report) override
    {
        emit m_session.reportReady(QString::fromStdString(report));
    }

private:
    AnalysisSession& m_session;
    const bool m_feedback;
};

AnalysisSession::AnalysisSession(const RunFields& fields, QObject* parent)
    : QObject(parent), m_fields(fields)
{
}

Result<RunSetup> AnalysisSession::prepare(int languageIndex, const std::string& decimalSeparator,
                                          const std::string& unit)
{
    m_abortRequested = false;
    m_inputs = AnalysisInputs{};
    m_inputs.toleranceText = m_fields.tolerance->text().toStdString();
    m_inputs.scaleText = m_fields.scale->text().toStdString();
    m_inputs.altitudeText = m_fields.altitude->text().toStdString();
    m_inputs.machText = m_fields.mach->text().toStdString();
    m_inputs.languageIndex = languageIndex;
    m_inputs.decimalSeparator = decimalSeparator;
    m_inputs.localeSeparator = decimalSeparator;
    m_inputs.unit = unit;
    return PrepareRun(m_inputs);
}

std::optional<AnalysisResult> AnalysisSession::run(QImage working, const RunSetup& setup,
                                                      ColorObjectTable& objects, const RunStart& start)
{
    m_inputs.OriginX = start.OriginX;
    m_inputs.OriginY = start.OriginY;
    m_inputs.OriginRow = start.OriginRow;
    m_inputs.ticked = start.ticked;

    m_running = true;
    std::optional<AnalysisResult> result;
    Observer observer(*this, working);
    try {
        result = RunAnalysis(RasterViewOf(working), objects, setup, m_inputs, observer);
    } catch (const std::bad_alloc&) {
        // A picture near the size limit on a machine short of memory: the
        // window stays, with what the run had shown so far.
        emit statusChanged(QString::fromUtf8(Tr(msg::Ready, m_inputs.languageIndex)));
        emit failed(Described({}, kNotEnoughMemoryToAnalyse));
    }
    m_running = false;
    return result;
}

} // namespace centrafix
