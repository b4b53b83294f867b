#pragma once

#include "aero/balance.h"
#include "message.h"

#include <optional>
#include <string>
#include <string_view>

namespace centrafix {

// The report's balance lines, each ending in CR LF: the lattice's neutral
// point and lift slope beside the estimate's, the C.G. range, the wing's MAC
// and, where the user typed a C.G., its static margin. Where the run has no
// balance, the one line saying why; nothing where neither (no lifting
// surface found).
std::string BalanceLines(const std::optional<aero::Balance>& balance, const Message* noBalance, int languageIndex,
                         std::string_view decimalSeparator, std::string_view unit);

} // namespace centrafix
