#pragma once

#include "chart/spanwise_samples.h"
#include "engine/color_object.h"
#include "engine/error.h"
#include "engine/quarter_chord_marks.h"
#include "engine/run_types.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <array>
#include <optional>
#include <string>

class QLineEdit;

namespace centrafix {

// The window's fields a run reads when the user asks for it.
struct RunFields {
    const QLineEdit* tolerance = nullptr;
    const QLineEdit* scale = nullptr;
    const QLineEdit* altitude = nullptr;
    const QLineEdit* mach = nullptr;
};

// The tallest picture whose loading table goes on the clipboard after a run:
// some 100 MB of text. The batch command writes any table to a file.
inline constexpr std::size_t kClipboardTableRows = 500'000;

// Entries 1 to 7 of the colour list.
using Ticks = std::array<bool, 8>;

// Where the window stands as the run begins: the origin (scaled units and its
// pixel row) and the ticked colours.
struct RunStart {
    double OriginX = 0.0;
    double OriginY = 0.0;
    double OriginRow = 0.0;
    Ticks ticked{};
};

// One analysis as the window runs it, in two steps: prepare() reads the fields
// and refuses a run that could not start; run() analyses the working copy on
// the user-interface thread, letting events through at object boundaries, and
// reports everything it has to show through the signals below, in the order
// the phases happen. The abort request (Esc, or a close while running) is kept
// here because it is a request to the run, even when it is made between runs.
class AnalysisSession : public QObject {
    Q_OBJECT

public:
    AnalysisSession(const RunFields& fields, QObject* parent = nullptr);

    // Clears any earlier abort request and reads the fields as typed. On error
    // nothing has changed and run() must not be called.
    // `unit` names the scaled unit in the report (empty: none).
    Result<RunSetup> prepare(int languageIndex, const std::string& decimalSeparator, const std::string& unit = {});

    // Runs the prepared analysis on `working`, taken as a copy: the shared
    // image keeps the raster alive and unchanged for the run, whatever happens
    // to the window's picture while the run yields. Returns what the run
    // leaves behind, or nothing when memory ran out (failed() has said so).
    std::optional<AnalysisResult> run(QImage working, const RunSetup& setup,
                                      ColorObjectTable& objects, const RunStart& start);

    bool isRunning() const { return m_running; }
    // The inputs of the last prepared run, with the origin it measured from.
    const AnalysisInputs& inputs() const { return m_inputs; }
    bool abortRequested() const { return m_abortRequested; }
    void requestAbort() { m_abortRequested = true; }

signals:
    void statusChanged(const QString& text);
    void progressChanged(qint64 value, qint64 maximum);
    void passPainted(const PassFeedback& feedback);
    void displayRestored();
    void loadingTableReady(const QString& table);
    void loadingTableTooLarge(qint64 rows);
    // The same table as the loading chart shows it, however tall.
    void spanwiseReady(const SpanwiseSamples& samples);
    void gridRowAppended(const GridRow& row);
    // The inputs carry the origin the run measured from.
    void plotRequested(const ColorObjectTable& objects, const RunValues& values,
                       const AnalysisInputs& inputs);
    void reportReady(const QString& report);
    void failed(const Error& error);

private:
    class Observer;

    RunFields m_fields;
    AnalysisInputs m_inputs;
    bool m_running = false;
    bool m_abortRequested = false;
};

} // namespace centrafix
