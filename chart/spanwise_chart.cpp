#include "spanwise_chart.h"

#include "chart_texts.h"

#include <QFont>
#include <QLegend>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

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
    // Ticks at round numbers counted from 0, wherever the range ends; the
    // interval first, for the range 0 to 1 the axis starts with.
    axis->setTickInterval(0.2);
    axis->setTickAnchor(0.0);
    axis->setTickType(QValueAxis::TicksDynamic);
    chart.addAxis(axis, side);
    return axis;
}

// 1, 2 or 5 times a power of ten: four to ten ticks over `span`.
double RoundStep(double span)
{
    const double wanted = span / 5;
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    for (const double step : {1.0, 2.0, 5.0}) {
        if (step * power >= wanted)
            return step * power;
    }
    return 10 * power;
}

// The axis over `low` to `high` and a twentieth of that beyond each end: a
// line at the data's edge (the chord at its top, every line at zero beyond
// the tips, the picture's first and last row) stays off the chart's frame,
// where it would vanish into it.
void FitAxis(QValueAxis& axis, double low, double high)
{
    if (!(high > low) || !std::isfinite(high - low)) {
        low = 0.0;
        high = 1.0;
    }
    const double margin = (high - low) / 20;
    const double step = RoundStep(high - low);
    // The axis lays out its ticks at each change: changed in the other order,
    // a range of thousands would get the ticks of a range of one in between.
    if (step > axis.tickInterval()) {
        axis.setTickInterval(step);
        axis.setRange(low - margin, high + margin);
    } else {
        axis.setRange(low - margin, high + margin);
        axis.setTickInterval(step);
    }
}

} // namespace

SpanwiseChart::SpanwiseChart(int languageIndex, QGraphicsItem* parent) : QChart(parent), m_language(languageIndex)
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

// Eta over the whole picture and each value axis from zero (no value is
// below) to its largest value, each with a margin beyond both ends.
void SpanwiseChart::fitAxes()
{
    FitAxis(*m_eta, std::min(m_samples.etaFirst, m_samples.etaLast), std::max(m_samples.etaFirst, m_samples.etaLast));
    double loadingTop = 0.0;
    for (const QList<QPointF>& loading : m_samples.loading)
        loadingTop = Top(loading, loadingTop);
    FitAxis(*m_loadingAxis, 0.0, loadingTop);
    FitAxis(*m_chordAxis, 0.0, Top(m_samples.chord, 0.0));
}

} // namespace centrafix
