#pragma once

#include "chart/spanwise_samples.h"
#include "document/run_record.h"
#include "engine/color_object.h"
#include "engine/error.h"
#include "engine/quarter_chord_marks.h"
#include "engine/run_types.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace centrafix {

// The tallest picture whose loading table goes on the clipboard after a run:
// some 100 MB of text. The batch command writes any table to a file.
inline constexpr std::size_t kClipboardTableRows = 500'000;

// What a run leaves for the window once it has ended.
struct RunOutcome {
    // Empty when memory ran out (failed() has said so).
    std::optional<AnalysisResult> result;
    // The run as the document prepared it, its objects as the run left them:
    // objects it did not reach keep what they had at the start.
    PreparedRun run;
};

// One pass's mask as it crosses to the user-interface thread: a copy, since
// the run reuses its buffer for the next pass.
using PassMask = std::shared_ptr<const std::vector<std::uint8_t>>;

class WorkerThread;

// One analysis as the window runs it: start() analyses the working copy with
// a run the document prepared, on a worker thread, and reports everything it
// has to show through the signals below, which the window receives queued, in
// the order the phases happen; ended() comes last. The abort request (Esc, or
// a close while running) is kept here because it is a request to the run,
// even when it is made between runs; the run reads it at its object
// boundaries.
class AnalysisSession : public QObject {
    Q_OBJECT

public:
    explicit AnalysisSession(QObject* parent = nullptr);
    // Stops a run still going at its next object boundary and waits for it.
    ~AnalysisSession() override;

    // Starts the prepared run on `working` on the worker and returns. The run
    // reads its own reference to the picture, so the raster stays alive and
    // unchanged whatever happens to the window's; it measures the run's copy
    // of the objects, which takeOutcome() hands back. An abort asked for
    // before is forgotten, unless `stopAtOnce` says it was meant for this run.
    void start(QImage working, PreparedRun run, bool stopAtOnce = false);
    // After ended(): what the run left behind.
    RunOutcome takeOutcome() { return std::move(m_outcome); }
    // Asks a run still going to stop and waits until it has (its signals
    // still arrive, ended() last).
    void stopAndWait();

    // From start() until ended() has been delivered.
    bool isRunning() const { return m_running; }
    bool abortRequested() const { return m_abortRequested.load(); }
    // Any thread; the run sees it at its next object boundary.
    void requestAbort() { m_abortRequested.store(true); }

signals:
    void statusChanged(const QString& text);
    void progressChanged(qint64 value, qint64 maximum);
    // feedback.mask is null; the mask travels beside it.
    void passPainted(const PassFeedback& feedback, const PassMask& mask);
    void displayRestored();
    void loadingTableReady(const QString& table);
    void loadingTableTooLarge(qint64 rows);
    // The same table as the loading chart shows it, however tall.
    void spanwiseReady(const SpanwiseSamples& samples);
    void gridRowAppended(const GridRow& row);
    // The inputs carry the origin the run measured from.
    void plotRequested(const ColorObjectTable& objects, const RunValues& values, const AnalysisInputs& inputs);
    void reportReady(const QString& report);
    void failed(const Error& error);
    // The run is over; takeOutcome() has its results.
    void ended();

private:
    class Observer;

    void execute(const QImage& working);
    void runOutOfMemory();
    void collect();

    WorkerThread* m_worker = nullptr; // a child
    RunOutcome m_outcome;             // the worker's until ended()
    bool m_running = false;
    std::atomic<bool> m_abortRequested{false};
};

} // namespace centrafix
