#pragma once

#include "spanwise_samples.h"

#include <QChart>

#include <array>

class QLineSeries;
class QValueAxis;

namespace centrafix {

// The spanwise distribution of one run: the four normalised loadings against
// Eta on the left axis, the summed chord on an axis of its own on the right.
// The chord is a length in the picture's units (hundreds, say), the loadings
// are one over such a length (hundredths): on one axis the loadings would lie
// flat along zero.
class SpanwiseChart : public QChart {
public:
    explicit SpanwiseChart(int languageIndex, QGraphicsItem* parent = nullptr);

    // Shows these samples in place of any before; empty samples clear it.
    void setSamples(const SpanwiseSamples& samples);
    void clearSamples() { setSamples({}); }
    const SpanwiseSamples& samples() const { return m_samples; }

    // Titles, axis titles and legend in this language.
    void setLanguage(int languageIndex);

    QLineSeries* chordSeries() const { return m_chord; }
    QLineSeries* loadingSeries(int n) const { return m_loading[static_cast<std::size_t>(n)]; }
    QValueAxis* etaAxis() const { return m_eta; }
    QValueAxis* loadingAxis() const { return m_loadingAxis; }
    QValueAxis* chordAxis() const { return m_chordAxis; }

private:
    void setTexts();
    void fitAxes();

    int m_language;
    SpanwiseSamples m_samples;
    // Owned by the chart.
    QLineSeries* m_chord = nullptr;
    std::array<QLineSeries*, 4> m_loading{};
    QValueAxis* m_eta = nullptr;
    QValueAxis* m_loadingAxis = nullptr;
    QValueAxis* m_chordAxis = nullptr;
};

} // namespace centrafix
