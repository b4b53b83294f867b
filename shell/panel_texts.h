#pragma once

#include "engine/message.h"

namespace centrafix {

// The texts of the fields beside the report and of the colour list's weight
// column.
inline constexpr Message kUnitFieldCaption{"Einheit:", "Unit:"};
inline constexpr Message kOriginCaption{"Ursprung X / Y:", "Origin X / Y:"};
inline constexpr Message kTipUnit{"Einheit der skalierten Werte (mm, cm, m, in, ft …); leer: keine",
                                  "Unit of the scaled values (mm, cm, m, in, ft …); empty: none"};
inline constexpr Message kTipOrigin{
    "Ursprung in skalierten Einheiten, wie die Ergebnisse; ein Rechtsklick ins Bild setzt ihn auch",
    "Origin in scaled units, as in the results; a right click on the picture sets it too"};
inline constexpr Message kTipWeightColumn{"Doppelklick: Wirkung eingeben", "double-click: type the efficiency"};
inline constexpr Message kNoWeightSet{
    "Keine Wirkung gesetzt: die Zahl in der Spalte „Wirkung“ eintragen oder „W=0,5“ hinter den Namen schreiben.",
    "No weight set: type it in the Efficiency column, or write \"W=0.5\" after the name."};

} // namespace centrafix
