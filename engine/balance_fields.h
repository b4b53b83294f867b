#pragma once

#include "aero/surface_role.h"
#include "error.h"
#include "message.h"

#include <optional>
#include <string_view>
#include <utility>

namespace centrafix {

// A role as the colour list shows it, in the user's language.
const Message& RoleName(aero::SurfaceRole role);

// A role as the settings store keeps it and the batch command prints it:
// "wing", "tail", "canard", "fuselage" or "other", the same in every language.
std::string_view RoleKey(aero::SurfaceRole role);

// A role typed by name: the English keys, "tailplane", and the German names
// (Flügel, Fluegel, Leitwerk, Höhenleitwerk, Hoehenleitwerk, Ente, Rumpf,
// Sonstiges, andere), in any case; empty for anything else.
std::optional<aero::SurfaceRole> ParseRole(std::string_view text);

// The balance's fields as typed, each refused naming the field: a height
// above the wing plane (any finite number), a C.G. position (any finite
// number), the tail efficiency (above 0, at most 2) and the two static
// margins (each from kMarginLowest to kMarginHighest, low not above high).
Result<double> ReadHeight(std::string_view text, std::string_view localeSeparator);
Result<double> ReadCgPosition(std::string_view text, std::string_view localeSeparator);
Result<double> ReadTailEfficiency(std::string_view text, std::string_view localeSeparator);
Result<std::pair<double, double>> ReadStaticMargins(std::string_view low, std::string_view high,
                                                    std::string_view localeSeparator);

} // namespace centrafix
