#pragma once

#include "document/change_reasons.h"
#include "engine/message.h"
#include "engine/run_types.h"

#include <string>
#include <string_view>
#include <vector>

namespace centrafix {

// The words for results that no longer match what the window shows: what
// changed since the run, and which inputs the run had.

inline constexpr Message kOutOfDateShort{"Ergebnisse veraltet", "Results out of date"};
inline constexpr Message kOutOfDateNote{"Veraltet, seit der Analyse geändert: %1",
                                        "Out of date, changed since the analysis: %1"};
inline constexpr Message kOutOfDateStatus{"Ergebnisse veraltet, seit der Analyse geändert: %1. F5 analysiert neu.",
                                          "Results out of date, changed since the analysis: %1. F5 analyzes again."};
inline constexpr Message kFromLastRun{
    "Aus der letzten Analyse: Maßstab %1, Ursprung (%2/%3), Toleranz %4, Flughöhe %5, Machzahl %6.",
    "From the last analysis: scale %1, origin (%2/%3), tolerance %4, altitude %5, Mach %6."};

// `form` (kOutOfDateNote or kOutOfDateStatus) naming the changes in the
// order they came: "... geändert: Bild, Toleranz".
std::string OutOfDateText(const Message& form, const std::vector<const Message*>& changes, int languageIndex);

// Which inputs a run had: its scale factor (with the unit), origin,
// tolerance, altitude and Mach number.
std::string RunInputsText(const AnalysisInputs& inputs, const RunSetup& setup, int languageIndex,
                          std::string_view decimalSeparator);

} // namespace centrafix
