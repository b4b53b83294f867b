#pragma once

#include "error.h"
#include "message.h"
#include "string_table.h"

namespace centrafix {

// The captions of the fields users type numbers into, as the window shows
// them (with their colon) and, without the colon, as every message about a
// field names it, in the window and in the batch command alike: one table,
// so a field is never called one thing on screen and another in an error.
namespace caption {
inline constexpr Message Altitude{"Flughöhe [m]:", "Altitude [m]:"};
inline constexpr Message Mach{"Machzahl [-]:", "Mach number [-]:"};
inline constexpr Message Origin{"Ursprung:", "Origin:"};
inline constexpr Message Length{"Länge:", "Length:"};
inline constexpr Message CleanUpThreshold{"Bereinigungsschwelle:", "Clean-up threshold:"};
inline constexpr Message Role{"Rolle:", "Role:"};
inline constexpr Message Height{"Höhe über dem Flügel:", "Height above the wing:"};
inline constexpr Message StaticMargin{"Stabilitätsmaß [% MAC]:", "Static margin [% MAC]:"};
inline constexpr Message TailEfficiency{"Leitwerkswirkungsgrad:", "Tail efficiency:"};
inline constexpr Message CgPosition{"Schwerpunkt x:", "C.G. x:"};
inline constexpr Message None{"", ""};
} // namespace caption

// The caption of `field`; the scale and the tolerance have the numbered
// messages they always had, a weight is the grid's "Efficiency" column.
constexpr const Message& FieldCaption(Field field)
{
    switch (field) {
    case Field::Tolerance: return msg::ToleranceCaption;
    case Field::ScaleFactor: return msg::ScaleFactorCaption;
    case Field::Altitude: return caption::Altitude;
    case Field::Mach: return caption::Mach;
    case Field::Weight: return msg::Efficiency;
    case Field::Origin: return caption::Origin;
    case Field::Length: return caption::Length;
    case Field::CleanUpThreshold: return caption::CleanUpThreshold;
    case Field::Role: return caption::Role;
    case Field::Height: return caption::Height;
    case Field::StaticMargin: return caption::StaticMargin;
    case Field::TailEfficiency: return caption::TailEfficiency;
    case Field::CgPosition: return caption::CgPosition;
    case Field::None: break;
    }
    return caption::None;
}

} // namespace centrafix
