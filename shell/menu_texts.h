#pragma once

#include "engine/message.h"

namespace centrafix {

// The menu bar's texts and the controls' tooltips. The menu mnemonics are
// chosen apart from the buttons' (Ö&ffnen, &Einfügen, A&nalysieren, Tabelle
// &Kopieren; &Open, &Paste, &Analyze, &Copy Table), so that Alt and a button's
// letter still presses the button. The menus keep the letters German users
// know from other programs (Alt+A: &Ansicht), and the Analyze button, which
// has F5, gives way.
inline constexpr Message kMenuFile{"&Datei", "&File"};
inline constexpr Message kMenuView{"&Ansicht", "&View"};
inline constexpr Message kMenuPicture{"&Bild", "P&icture"};
inline constexpr Message kMenuLanguage{"&Sprache", "&Language"};

inline constexpr Message kSaveResults{"Ergebnisse &speichern...", "&Save results..."};
inline constexpr Message kSavePicture{"Bild spei&chern...", "Save pict&ure..."};
inline constexpr Message kPrintReport{"&Drucken...", "Pri&nt..."};
inline constexpr Message kExportPdf{"Als PDF e&xportieren...", "E&xport PDF..."};
inline constexpr Message kReportFilterA4{"PDF, Papier A4 (*.pdf)", "PDF, A4 paper (*.pdf)"};
inline constexpr Message kReportFilterLetter{"PDF, Papier Letter (*.pdf)", "PDF, Letter paper (*.pdf)"};
inline constexpr Message kReportSaved{"Bericht in %1 gespeichert.", "Report saved to %1."};
inline constexpr Message kReportPrinted{"Bericht gedruckt.", "Report printed."};
inline constexpr Message kCannotPrint{"Der Bericht kann nicht gedruckt werden (%1)", "The report cannot be printed (%1)"};
inline constexpr Message kSaveChart{"Dia&gramm speichern...", "Save c&hart..."};
inline constexpr Message kLoadingChart{"&Auftriebsverteilung", "Loading &chart"};
inline constexpr Message kLoadingChartTitle{"Auftriebsverteilung – Centrafix", "Loading chart – Centrafix"};
inline constexpr Message kQuit{"&Beenden", "&Quit"};
inline constexpr Message kZoomFit{"&Einpassen", "&Fit to window"};
inline constexpr Message kZoomActual{"&Originalgröße (1:1)", "&Actual size (1:1)"};
inline constexpr Message kZoomIn{"&Vergrößern", "Zoom &in"};
inline constexpr Message kZoomOut{"Ver&kleinern", "Zoom &out"};

inline constexpr Message kZoomShown{"Zoom %1", "Zoom %1"};

inline constexpr Message kTipOpen{"Ein Bild öffnen (BMP, JPEG, GIF, PNG, TIFF, WMF) – Strg+O",
                                  "Open a picture (BMP, JPEG, GIF, PNG, TIFF, WMF) – Ctrl+O"};
inline constexpr Message kTipAnalyze{"Die angekreuzten Farben ausmessen – F5", "Measure the ticked colors – F5"};
inline constexpr Message kTipPaste{"Ein Bild aus der Zwischenablage einfügen – Strg+V",
                                   "Paste a picture from the clipboard – Ctrl+V"};
inline constexpr Message kTipCopyTable{"Die Ergebnistabelle in die Zwischenablage kopieren – Strg+Umschalt+C",
                                       "Copy the results table to the clipboard – Ctrl+Shift+C"};
inline constexpr Message kTipInvert{"Schwarz und Weiß tauschen (innerhalb der Toleranz)",
                                    "Swap black and white (within the tolerance)"};
inline constexpr Message kTipCopyBitmap{"Das Bild mit den Markierungen in die Zwischenablage kopieren",
                                        "Copy the picture with its marks to the clipboard"};
inline constexpr Message kTipFlip{"Das Bild links-rechts spiegeln", "Mirror the picture left to right"};
inline constexpr Message kTipShowAC{"Die aerodynamischen Zentren jeder Farbe zeigen",
                                    "Show the aerodynamic center of every color"};
inline constexpr Message kTipShowCG{"Die Flächenschwerpunkte zeigen", "Show the area centroids"};
inline constexpr Message kTipScale{"Längeneinheiten je Pixel: eine Zahl oder ein Ausdruck wie 1/50",
                                   "Length units per pixel: a number or an expression such as 1/50"};
inline constexpr Message kTipAltitude{"Flughöhe in Metern, für die Reibungsschätzung",
                                      "Altitude in meters, for the friction estimate"};
inline constexpr Message kTipMach{"Machzahl, für die Reibungsschätzung", "Mach number, for the friction estimate"};
inline constexpr Message kTipTolerance{"Wie weit eine Farbe abweichen darf (Summe der RGB-Abstände)",
                                       "How far a color may stray (sum of the RGB distances)"};
inline constexpr Message kTipLanguage{"Sprache der Fenstertexte und Ergebnisse",
                                      "Language of the window and the results"};
inline constexpr Message kTipPicture{"Rechtsklick: Ursprung setzen; Linksklick: Farbe ablesen; Strg+Mausrad: Zoom",
                                     "Right click: set the origin; left click: read the color; Ctrl+wheel: zoom"};
inline constexpr Message kTipWeight{"Doppelklick: W=… bearbeiten; Kreuz: Farbe ausmessen",
                                    "double-click: edit W=…; tick: measure the color"};
inline constexpr Message kTipGrid{"Ergebnisse je Farbe und gesamt", "Results for every color and the total"};

inline constexpr Message kResultsFilterCsv{"CSV, kommagetrennt (*.csv)", "CSV, comma-separated (*.csv)"};
inline constexpr Message kResultsFilterJson{"JSON (*.json)", "JSON (*.json)"};
inline constexpr Message kNoResultsToSave{"Es gibt noch keine Ergebnisse zum Speichern: erst analysieren.",
                                          "There are no results to save yet: analyze first."};
inline constexpr Message kPictureFilterPng{"PNG-Bild (*.png)", "PNG picture (*.png)"};
inline constexpr Message kChartFilterSvg{"SVG-Grafik (*.svg)", "SVG drawing (*.svg)"};
inline constexpr Message kChartSaved{"Diagramm in %1 gespeichert.", "Chart saved to %1."};
inline constexpr Message kResultsSaved{"Ergebnisse in %1 gespeichert.", "Results saved to %1."};
inline constexpr Message kPictureSaved{"Bild in %1 gespeichert.", "Picture saved to %1."};
inline constexpr Message kCannotWriteFile{"die Datei kann nicht geschrieben werden (%1)",
                                          "the file cannot be written (%1)"};
// The names the save dialogs offer for a picture that has no file name of
// its own.
inline constexpr Message kExampleFileName{"Beispiel", "example"};
inline constexpr Message kPastedFileName{"eingefügt", "pasted"};
inline constexpr Message kReplaceOpenPicture{"%1 ist das geöffnete Bild. Soll es wirklich überschrieben werden?",
                                             "%1 is the picture that is open. Replace it all the same?"};
inline constexpr Message kReplaceFile{"%1 gibt es schon. Ersetzen?", "%1 already exists. Replace it?"};
inline constexpr Message kSeveralDropped{"%1 Dateien abgelegt; geöffnet ist die erste: %2",
                                         "%1 files dropped; the first is open: %2"};

} // namespace centrafix
