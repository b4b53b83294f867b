#pragma once

#include "aero/mass_items.h"
#include "error.h"

#include <string_view>

namespace centrafix {

// Which number of a mass item.
enum class MassField { Mass, X };

// A mass item's number as typed into the window's table, read as every
// field is (either decimal separator the locale allows, an expression). A
// mass must be finite and not negative, an x finite; a refusal names the
// item and the column.
Result<double> ReadMassCell(std::string_view text, MassField which, std::string_view itemName,
                            std::string_view localeSeparator);

// A mass list as the batch command takes it: one item a line, "name,mass,x",
// numbers with "." as the decimal point, the name in double quotes where it
// holds a comma or a quote (a quote doubled inside), blank lines skipped, and
// a first line "name,mass,x" taken as the header. Line ends may be LF or
// CR LF; a UTF-8 byte order mark is skipped. The first broken line is refused
// naming `fileName` and its line number (from 1); nothing is read then.
Result<aero::MassList> ParseMassList(std::string_view text, std::string_view fileName);

} // namespace centrafix
