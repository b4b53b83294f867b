// The loading chart: a window of its own that shows the last run's loading
// table, opened from the View menu and saved from the File menu or its own
// button.

#include "form1.h"

#include "analysis_session.h"
#include "loading_chart_window.h"
#include "menu_texts.h"
#include "window_menus.h"

#include "chart/chart_file.h"

#include <QAction>
#include <QFileInfo>

namespace centrafix {

void Form1::buildLoadingChart()
{
    m_chartWindow = new LoadingChartWindow(LanguageIndex, this);
    connect(m_run, &AnalysisSession::spanwiseReady, m_chartWindow, &LoadingChartWindow::setSamples);
    connect(m_chartWindow, &LoadingChartWindow::saveRequested, this, &Form1::saveChart);
    connect(m_chartWindow, &LoadingChartWindow::samplesChanged, this, [this] { updateActions(); });
}

void Form1::showLoadingChart()
{
    m_chartWindow->bringUp();
}

void Form1::saveChart()
{
    if (!m_chartWindow->hasSamples())
        return;
    // Any other extension than the two is refused by the writer, naming the file.
    const QString path =
        askSavePath({{text(kPictureFilterPng), QStringLiteral("png")}, {text(kChartFilterSvg), QStringLiteral("svg")}},
                    QStringLiteral("-chart"))
            .path;
    if (path.isEmpty())
        return;
    // A few thousand points at a fixed size, whatever the picture: no
    // memory to run out of here, unlike the picture operations.
    const std::optional<Error> failure = WriteChartFile(path, m_chartWindow->samples(), LanguageIndex);
    if (failure)
        showFailure(*failure);
    else
        setStatus(withRunInputs(Tr(kChartSaved, LanguageIndex, {QFileInfo(path).fileName().toStdString()})));
}

} // namespace centrafix
