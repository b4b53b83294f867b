#include "spanwise_chart.h"

#include "chart_texts.h"

#include <QFont>
#include <QLegend>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>

namespace centrafix {
namespace {

QString Text(const Message& message, int languageIndex)
{
    return QString::fromUtf8(Tr(message, languageIndex));
}

// The largest value of a series, at least `floor`.
double Top(const QList<QPointF>& points, double floor)
{
    double top = floor;
    for (const QPointF& p : points)
        top = std::max(top, p.y());
    return top;
}

QValueAxis* NewAxis(QChart& chart, Qt::Alignment side)
{
    auto* axis = new QValueAxis(&chart);
    axis->setLabelFormat(QStringLiteral("%.3g"));
    chart.addAxis(axis, side);
    return axis;
}

} // namespace

SpanwiseChart::SpanwiseChart(int languageIndex, QGraphicsItem* parent)
    : QChart(parent), m_language(languageIndex)
{
    m_eta = NewAxis(*this, Qt::AlignBottom);
    m_loadingAxis = NewAxis(*this, Qt::AlignLeft);
    m_chordAxis = NewAxis(*this, Qt::AlignRight);
    m_chord = new QLineSeries(this);
    // The chord is the shape the loadings are read against: a broad grey
    // line behind them rather than a sixth colour among them.
    m_chord->setPen(QPen(QColor(150, 150, 150), 3));
    addSeries(m_chord);
    m_chord->attachAxis(m_eta);
    m_chord->attachAxis(m_chordAxis);
    for (QLineSeries*& loading : m_loading) {
        loading = new QLineSeries(this);
        addSeries(loading);
        loading->attachAxis(m_eta);
        loading->attachAxis(m_loadingAxis);
    }
    legend()->setAlignment(Qt::AlignBottom);
    // Axis numbers written as the user's locale writes them, as the grid
    // and the report are.
    setLocalizeNumbers(true);
    QFont font = titleFont();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    font.setBold(true);
    setTitleFont(font);
    setTexts();
    fitAxes();
}

void SpanwiseChart::setSamples(const SpanwiseSamples& samples)
{
    m_samples = samples;
    m_chord->replace(samples.chord);
    for (std::size_t n = 0; n < m_loading.size(); ++n)
        m_loading[n]->replace(samples.loading[n]);
    setTexts();
    fitAxes();
}

void SpanwiseChart::setLanguage(int languageIndex)
{
    m_language = languageIndex;
    setTexts();
}

void SpanwiseChart::setTexts()
{
    setTitle(Text(m_samples.empty() ? kChartTitleEmpty : kChartTitle, m_language));
    m_eta->setTitleText(Text(kEtaAxisTitle, m_language));
    m_loadingAxis->setTitleText(Text(kLoadingAxisTitle, m_language));
    m_chordAxis->setTitleText(m_samples.unit.empty()
                                  ? Text(kChordAxisTitle, m_language)
                                  : QString::fromStdString(Tr(kChordAxisTitleUnit, m_language, {m_samples.unit})));
    m_chord->setName(Text(kChordSeriesName, m_language));
    for (std::size_t n = 0; n < m_loading.size(); ++n)
        m_loading[n]->setName(Text(kLoadingSeriesNames[n], m_language));
}

// Eta over the whole picture and each value axis from zero (no value is below)
// to a round number above its largest value.
void SpanwiseChart::fitAxes()
{
    double left = std::min(m_samples.etaFirst, m_samples.etaLast);
    double right = std::max(m_samples.etaFirst, m_samples.etaLast);
    if (!(right > left)) {
        left = 0.0;
        right = 1.0;
    }
    m_eta->setRange(left, right);
    m_eta->applyNiceNumbers();
    double loadingTop = 0.0;
    for (const QList<QPointF>& loading : m_samples.loading)
        loadingTop = Top(loading, loadingTop);
    const double chordTop = Top(m_samples.chord, 0.0);
    m_loadingAxis->setRange(0.0, loadingTop > 0 ? loadingTop : 1.0);
    m_chordAxis->setRange(0.0, chordTop > 0 ? chordTop : 1.0);
    m_loadingAxis->applyNiceNumbers();
    m_chordAxis->applyNiceNumbers();
}

} // namespace centrafix
