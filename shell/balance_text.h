#pragma once

#include "aero/balance.h"
#include "engine/color_object.h"
#include "engine/message.h"

#include <string>
#include <string_view>

namespace centrafix {

// What the Balance panel says of a run's balance, one fact a line, in the
// user's language: the lattice's neutral point and lift slope beside the
// textbook estimate, the wing's MAC, each lifting surface's share of the
// lift, the C.G. range (from the origin and behind the wing's root leading
// edge) and the typed C.G.'s static margin. `objects` name the colours.
std::string BalanceText(const aero::Balance& balance, const ColorObjectTable& objects, int languageIndex,
                        std::string_view decimalSeparator, std::string_view unit);

// The line said instead when the run has no balance.
std::string NoBalanceText(const Message& reason, int languageIndex);

} // namespace centrafix
