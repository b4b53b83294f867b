#pragma once

#include "engine/loading_table.h"

#include <QList>
#include <QPointF>

#include <array>
#include <string>

namespace centrafix {

// At most this many points per series: a chart a few thousand pixels wide
// shows no more, and a picture a million rows tall must not hand a million
// points to every line.
inline constexpr qsizetype kChartPoints = 4000;

// What the chart shows of one loading table: the summed chord of each row and
// the four normalised loadings Cl = G / chord (the second value of each pair
// of the table), each against Eta, in row order.
struct SpanwiseSamples {
    QList<QPointF> chord;
    std::array<QList<QPointF>, 4> loading;
    // Eta of the table's first and last row, so the axis spans the whole
    // picture even where thinning dropped its ends.
    double etaFirst = 0.0;
    double etaLast = 0.0;
    std::string unit; // what the chord is measured in; may be empty

    bool empty() const { return chord.isEmpty(); }
};

// Every row of the table while there are at most `maxPoints` of them. A taller
// table is cut into runs of k consecutive rows, k chosen so that two points a
// run stay within `maxPoints`, and each series keeps the lowest and the
// highest value of every run, in row order: the line's outline at any zoom
// the chart can show, a one-row peak included, where taking every k-th row
// would drop it.
SpanwiseSamples SampleLoadingTable(const LoadingTable& table, std::string unit = {},
                                   qsizetype maxPoints = kChartPoints);

} // namespace centrafix
