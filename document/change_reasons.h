#pragma once

#include "engine/message.h"

namespace centrafix {

// What changed since the last run, as the out-of-date texts list it. A
// document keeps them in the order they came.
inline constexpr Message kChangedPicture{"Bild", "picture"};
inline constexpr Message kChangedScale{"Maßstabsfaktor", "scale factor"};
inline constexpr Message kChangedUnit{"Einheit", "unit"};
inline constexpr Message kChangedAltitude{"Flughöhe", "altitude"};
inline constexpr Message kChangedMach{"Machzahl", "Mach number"};
inline constexpr Message kChangedTolerance{"Toleranz", "tolerance"};
inline constexpr Message kChangedOrigin{"Ursprung", "origin"};
inline constexpr Message kChangedWeights{"Wirkung", "weight"};
inline constexpr Message kChangedColors{"angekreuzte Farben", "ticked colors"};
inline constexpr Message kChangedBalance{"Schwerpunkt-Einstellungen", "balance settings"};

} // namespace centrafix
