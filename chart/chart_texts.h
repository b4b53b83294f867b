#pragma once

#include "engine/message.h"

#include <array>

namespace centrafix {

// The loading chart's titles and legend. The loadings keep the names of the
// loading table's columns, which users know from the clipboard.
inline constexpr Message kChartTitle{"Spannweitige Verteilung", "Spanwise distribution"};
inline constexpr Message kChartTitleEmpty{"Spannweitige Verteilung – noch keine Auswertung",
                                          "Spanwise distribution – no run yet"};
inline constexpr Message kEtaAxisTitle{"η (Spannweitenstation)", "η (span station)"};
inline constexpr Message kLoadingAxisTitle{"Normierte Belastung Cl = G / Profiltiefe",
                                           "Normalized loading Cl = G / chord"};
inline constexpr Message kChordAxisTitle{"Summierte Profiltiefe", "Summed chord"};
inline constexpr Message kChordAxisTitleUnit{"Summierte Profiltiefe (%1)", "Summed chord (%1)"};
inline constexpr Message kChordSeriesName{"Profiltiefe (rechte Achse)", "Chord (right axis)"};
inline constexpr std::array<Message, 4> kLoadingSeriesNames{{
    {"Cl(sin)", "Cl(sin)"},
    {"Cl(sin²)", "Cl(sin²)"},
    {"Cl(sin³)", "Cl(sin³)"},
    {"Cl(sin⁴)", "Cl(sin⁴)"},
}};

} // namespace centrafix
