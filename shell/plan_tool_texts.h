#pragma once

#include "engine/message.h"

namespace centrafix {

// The Picture menu's tools that make a plan as it comes into a painted
// picture, what they ask and what they say.
inline constexpr Message kFillTool{"&Füllen", "&Fill"};
inline constexpr Message kMapTool{"Farbe &zuordnen...", "&Map a color..."};
inline constexpr Message kFillSettingsMenu{"Fülleins&tellungen...", "Fill se&ttings..."};
inline constexpr Message kStraightenTool{"&Entzerren...", "&Straighten..."};
inline constexpr Message kLevelTool{"A&usrichten", "Le&vel"};
inline constexpr Message kMirrorTool{"An einer Zeile s&piegeln", "Mi&rror about a row"};
inline constexpr Message kCropTool{"Zu&schneiden", "Cr&op"};

inline constexpr Message kStepFill{"Füllen", "Fill"};
inline constexpr Message kStepMap{"Farbe zuordnen", "Map color"};
inline constexpr Message kStepStraighten{"Entzerren", "Straighten"};
inline constexpr Message kStepLevel{"Ausrichten", "Level"};
inline constexpr Message kStepMirror{"An Zeile spiegeln", "Mirror about row"};
inline constexpr Message kStepCrop{"Zuschneiden", "Crop"};

inline constexpr Message kFillHint{
    "In einen umrandeten Bereich klicken, um ihn in %1 zu füllen (Farbe in der Liste "
    "wählen; Esc beendet).",
    "Click inside an outlined region to fill it with %1 (choose the color in the "
    "list; Esc ends)."};
inline constexpr Message kFilled{"%1 Pixel in %2 gefüllt (Strg+Z macht es rückgängig).",
                                 "%1 pixels filled with %2 (Ctrl+Z undoes it)."};
inline constexpr Message kMapHint{"Auf die Farbe klicken, die zugeordnet werden soll (Esc beendet).",
                                  "Click the color to be mapped (Esc ends)."};
inline constexpr Message kMapped{"%1 Pixel auf %2 gesetzt.", "%1 pixels set to %2."};
inline constexpr Message kStraightenHint{
    "Die vier Ecken eines Rechtecks bekannter Größe anklicken, im Uhrzeigersinn ab oben links (Ecke %1 von 4; Esc "
    "bricht ab).",
    "Click the four corners of a rectangle of known size, clockwise from the top left (corner %1 of 4; Esc "
    "cancels)."};
inline constexpr Message kStraightened{"Entzerrt; der Maßstab ist jetzt %1 je Pixel.",
                                       "Straightened; the scale is now %1 per pixel."};
inline constexpr Message kLevelHint{
    "Zwei Punkte einer Linie anklicken, die waagrecht sein soll (Punkt %1 von 2; Esc "
    "bricht ab).",
    "Click two points of a line that should be horizontal (point %1 of 2; Esc "
    "cancels)."};
inline constexpr Message kMirrorHint{
    "Die Mittellinie (Symmetrieachse) anklicken; die Hälfte mit der Zeichnung wird "
    "an dieser Zeile gespiegelt (Esc bricht ab).",
    "Click the center line (plane of symmetry); the half with the drawing is "
    "mirrored about that row (Esc cancels)."};
inline constexpr Message kPlaceMassHint{"Auf die Stelle des Eintrags \"%1\" im Bild klicken (Esc bricht ab).",
                                       "Click where the item \"%1\" lies on the picture (Esc ends)."};
inline constexpr Message kCropHint{"Ein Rechteck um den Teil ziehen, der bleiben soll (Esc bricht ab).",
                                   "Drag a rectangle around the part to keep (Esc cancels)."};
inline constexpr Message kToolEnded{"Werkzeug beendet.", "Tool ended."};
inline constexpr Message kPictureChangedBy{"Bild geändert: %1.", "Picture changed: %1."};

inline constexpr Message kStraightenTitle{"Entzerren", "Straighten"};
inline constexpr Message kRectangleWidth{"Breite des Rechtecks (%1):", "Width of the rectangle (%1):"};
inline constexpr Message kRectangleHeight{"Höhe des Rechtecks (%1):", "Height of the rectangle (%1):"};
inline constexpr Message kLengthUnits{"Längeneinheiten", "length units"};
inline constexpr Message kMapTitle{"Farbe zuordnen", "Map a color"};
inline constexpr Message kMapTarget{"Alle Pixel nahe der angeklickten Farbe werden zu:",
                                    "Every pixel near the clicked color becomes:"};
inline constexpr Message kMapToleranceLabel{"Toleranz (Summe der RGB-Abstände):",
                                            "Tolerance (sum of the RGB distances):"};
inline constexpr Message kWhiteName{"Weiß", "White"};
inline constexpr Message kFillSettingsTitle{"Fülleinstellungen", "Fill settings"};
inline constexpr Message kLineThresholdLabel{"Linie, wenn Rot + Grün + Blau unter:",
                                             "Line where red + green + blue is below:"};
inline constexpr Message kFillGapLabel{"Lücken in Linien überbrücken bis (Pixel):",
                                       "Bridge gaps in lines up to (pixels):"};
inline constexpr Message kNotAPositiveNumber{"\"%1\" ist keine Zahl über null.", "\"%1\" is not a number above zero."};

} // namespace centrafix
