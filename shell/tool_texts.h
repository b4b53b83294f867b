#pragma once

#include "engine/message.h"

namespace centrafix {

// The texts of the measuring tools in the Picture menu: the scale line and
// the colour clean-up.
inline constexpr Message kScaleLineMenu{"&Maßstab aus Linie...", "Scale from a &line..."};
inline constexpr Message kCleanUpMenu{"Farben be&reinigen...", "&Clean up colors..."};

inline constexpr Message kDrawScaleLine{"Eine Linie über eine bekannte Länge ziehen (Esc bricht ab).",
                                        "Drag a line over a known length (Esc cancels)."};
inline constexpr Message kScaleLineLength{"%1 Pixel", "%1 pixels"};
inline constexpr Message kScaleLineCancelled{"Maßstablinie abgebrochen, nichts geändert.",
                                             "Scale line canceled, nothing changed."};
inline constexpr Message kScaleSet{"Maßstab %1 je Pixel (%2 Pixel = %3).", "Scale %1 per pixel (%2 pixels = %3)."};

inline constexpr Message kCleanUpTitle{"Farben bereinigen", "Clean up colors"};
inline constexpr Message kCleanUpQuestion{
    "Jedes Pixel, dessen Abstand (Summe der RGB-Abstände) zur nächsten der sieben Farben oder Weiß unter dieser "
    "Schwelle liegt, wird auf diese Farbe gesetzt:",
    "Every pixel whose distance (sum of the RGB distances) to the nearest of the seven colors or white is below "
    "this threshold is set to that color:"};
inline constexpr Message kCleanedUp{"Farben bereinigt: %1 Pixel geändert.", "Colors cleaned up: %1 pixels changed."};

} // namespace centrafix
