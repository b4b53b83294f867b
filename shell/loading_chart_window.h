#pragma once

#include "chart/spanwise_samples.h"

#include <QWidget>

class QChartView;
class QLabel;
class QPushButton;

namespace centrafix {

class SpanwiseChart;

// The loading chart beside the main window: a window of its own, so that
// showing it leaves the main window's layout as it is. It shows the last
// run's loading table until the next run or a new picture, and asks the main
// window to save it (which owns the save dialog).
class LoadingChartWindow : public QWidget {
    Q_OBJECT

public:
    LoadingChartWindow(int languageIndex, QWidget* parent);

    void setSamples(const SpanwiseSamples& samples);
    void clearSamples();
    const SpanwiseSamples& samples() const;
    bool hasSamples() const { return !samples().empty(); }

    void setLanguage(int languageIndex);
    // A note over the chart while its run's results are out of date; empty:
    // none.
    void setOutOfDate(const QString& note);
    QString outOfDateNote() const;
    // Shows the window, or brings it forward when it is shown.
    void bringUp();

    SpanwiseChart& chart() const { return *m_chart; }

signals:
    void saveRequested();
    void samplesChanged();

private:
    void setTexts();

    int m_language;
    SpanwiseChart* m_chart = nullptr; // owned by the view
    QChartView* m_view = nullptr;
    QLabel* m_outOfDate = nullptr;
    QPushButton* m_save = nullptr;
};

} // namespace centrafix
