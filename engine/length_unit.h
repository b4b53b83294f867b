#pragma once

#include <optional>
#include <string_view>

namespace centrafix {

// The unit a user names beside the scale ("mm", "Zoll", " Feet "): how many
// metres one of it is, where it is a length this table knows. The friction
// estimate needs lengths in metres for its Reynolds numbers; a unit it does
// not know (or none) leaves the scale read as metres per pixel.
//
// Known, in any case and with blanks around them:
//   mm, millimeter(s), millimetre(s)   0.001 m
//   cm, centimeter(s), centimetre(s), Zentimeter   0.01 m
//   m, meter(s), metre(s)              1 m
//   in, inch, inches, Zoll             0.0254 m
//   ft, foot, feet, Fuß, Fuss          0.3048 m
// (the German Millimeter and Meter are the English spellings).
std::optional<double> MetresPerUnit(std::string_view unit);

} // namespace centrafix
