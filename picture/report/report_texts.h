#pragma once

#include "engine/message.h"

namespace centrafix {

// The printed report's texts.
inline constexpr Message kReportTitle{"Centrafix – Bericht", "Centrafix – report"};
inline constexpr Message kReportTitleOf{"Centrafix – Bericht: %1", "Centrafix – report: %1"};
inline constexpr Message kReportResults{"Ergebnisse", "Results"};
inline constexpr Message kReportText{"Bericht", "Report"};
inline constexpr Message kReportBalance{"Neutralpunkt und Schwerpunktbereich", "Neutral point and C.G. range"};
inline constexpr Message kReportScale{"Maßstab: 1 Pixel = %1 %2", "Scale: 1 pixel = %1 %2"};
inline constexpr Message kReportTrueSizePages{
    "Die Seiten 2 bis %1 zeigen den Grundriss in wahrer Größe (1:1) auf %2 Blättern, %3 × %4 (Zeilen × Spalten).",
    "Pages 2 to %1 show the planform at true size (1:1) on %2 sheets, %3 × %4 (rows × columns)."};
inline constexpr Message kReportTrueSizePage{"Seite 2 zeigt den Grundriss in wahrer Größe (1:1).",
                                             "Page 2 shows the planform at true size (1:1)."};
inline constexpr Message kReportNoTrueSize{
    "Keine Seiten in wahrer Größe (1:1): die Einheit „%1“ ist keine Länge (mm, cm, m, in oder ft).",
    "No pages at true size (1:1): the unit \"%1\" is no length (mm, cm, m, in or ft)."};
inline constexpr Message kReportNoTrueSizeNoUnit{
    "Keine Seiten in wahrer Größe (1:1): der Maßstab nennt keine Längeneinheit (mm, cm, m, in oder ft).",
    "No pages at true size (1:1): the scale names no unit of length (mm, cm, m, in or ft)."};
inline constexpr Message kReportPageLabel{"Zeile %1, Spalte %2 – Seite %3 von %4",
                                          "Row %1, column %2 – page %3 of %4"};
inline constexpr Message kReportTrueSizeHeading{"Grundriss 1:1", "Planform 1:1"};
inline constexpr Message kReportCheckBar{"Prüfstrecke %1: nachmessen, ob der Drucker den Maßstab hielt",
                                         "Check bar %1: measure it to see that the printer kept the scale"};
inline constexpr Message kReportMac{"MAC %1", "MAC %1"};
inline constexpr Message kReportNeutralPoint{"N.P.", "N.P."};
inline constexpr Message kReportCgRange{"Schwerpunktbereich", "C.G. range"};
inline constexpr Message kReportOverlap{"Überlappung %1 mm: an den Passkreuzen aufeinanderlegen",
                                        "Overlap %1 mm: lay the pages over each other at the crosses"};

} // namespace centrafix
