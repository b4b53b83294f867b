#include "loading_chart_window.h"

#include "menu_texts.h"

#include "chart/spanwise_chart.h"

#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace centrafix {

LoadingChartWindow::LoadingChartWindow(int languageIndex, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_language(languageIndex)
{
    setObjectName(QStringLiteral("LoadingChart"));
    m_chart = new SpanwiseChart(languageIndex);
    m_view = new QChartView(m_chart, this); // takes the chart
    m_view->setRenderHint(QPainter::Antialiasing);
    m_save = new QPushButton(this);
    m_save->setObjectName(QStringLiteral("btnSaveChart"));
    m_save->setEnabled(false);
    connect(m_save, &QPushButton::clicked, this, &LoadingChartWindow::saveRequested);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    m_outOfDate = new QLabel(this);
    m_outOfDate->setObjectName(QStringLiteral("lblChartOutOfDate"));
    QFont bold = m_outOfDate->font();
    bold.setBold(true);
    m_outOfDate->setFont(bold);
    m_outOfDate->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_outOfDate);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
    resize(900, 600);
    setTexts();
}

void LoadingChartWindow::setSamples(const SpanwiseSamples& samples)
{
    m_chart->setSamples(samples);
    m_save->setEnabled(hasSamples());
    emit samplesChanged();
}

void LoadingChartWindow::clearSamples()
{
    setSamples({});
}

const SpanwiseSamples& LoadingChartWindow::samples() const
{
    return m_chart->samples();
}

void LoadingChartWindow::setLanguage(int languageIndex)
{
    m_language = languageIndex;
    m_chart->setLanguage(languageIndex);
    setTexts();
}

void LoadingChartWindow::setOutOfDate(const QString& note)
{
    m_outOfDate->setText(note);
    m_outOfDate->setVisible(!note.isEmpty());
}

QString LoadingChartWindow::outOfDateNote() const
{
    return m_outOfDate->text();
}

void LoadingChartWindow::bringUp()
{
    show();
    raise();
    activateWindow();
}

void LoadingChartWindow::setTexts()
{
    setWindowTitle(QString::fromUtf8(Tr(kLoadingChartTitle, m_language)));
    m_save->setText(QString::fromUtf8(Tr(kSaveChart, m_language)));
}

} // namespace centrafix
