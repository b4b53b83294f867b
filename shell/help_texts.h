#pragma once

#include "engine/message.h"

namespace centrafix {

// The Help menu: the user guide and what the program is made of.
inline constexpr Message kMenuHelp{"&Hilfe", "&Help"};
inline constexpr Message kUserGuide{"&Anleitung", "&User guide"};
inline constexpr Message kAbout{"Ü&ber Centrafix", "&About Centrafix"};
inline constexpr Message kAboutTitle{"Über Centrafix", "About Centrafix"};
inline constexpr Message kGuideMissing{"Die Anleitung ist nicht installiert; gesucht wurde sie unter %1.",
                                       "The user guide is not installed; it was looked for at %1."};
inline constexpr Message kGuideNotOpened{
    "Kein Browser konnte die Anleitung öffnen. Sie liegt unter %1.",
    "No browser could open the user guide. It lies at %1."};

inline constexpr Message kAboutSummary{
    "Misst flächig gemalte Zeichnungen von Flugzeug-Grundrissen: Flächen, Schwerpunkte, Neutralpunkt und "
    "Schwerpunktbereich.",
    "Measures flat-colored drawings of aircraft planforms: areas, centroids, the neutral point and the C.G. range."};
inline constexpr Message kAboutVersion{"Version %1, mit Qt %2.", "Version %1, built with Qt %2."};
inline constexpr Message kAboutLicence{"Centrafix steht unter der MIT-Lizenz.", "Centrafix is under the MIT licence."};
inline constexpr Message kAboutLibraries{"Es verwendet diese Bibliotheken:", "It uses these libraries:"};
inline constexpr Message kAboutGuideAt{"Die Anleitung liegt unter %1.", "The user guide lies at %1."};
inline constexpr Message kAboutGuideMissing{"Die Anleitung ist nicht installiert (erwartet unter %1).",
                                            "The user guide is not installed (expected at %1)."};

} // namespace centrafix
