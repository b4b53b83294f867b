#pragma once

#include "aero/mass_items.h"
#include "aero/weight_balance.h"

#include <string>
#include <string_view>

namespace centrafix {

// The report's weight-and-balance lines, each ending in CR LF: the total
// mass, the C.G. the items give and its static margin, whether it lies in
// the C.G. range, and where it does not what fixes it (the item moved, the
// ballast added, or why the chosen change cannot help). Lengths with
// `decimalSeparator` and `unit`; masses in whatever unit the list has.
std::string WeightBalanceLines(const aero::WeightBalance& weighed, const aero::MassList& items, int languageIndex,
                               std::string_view decimalSeparator, std::string_view unit);

} // namespace centrafix
