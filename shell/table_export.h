#pragma once

#include <string>
#include <string_view>

namespace centrafix {

// The results table as Copy Table puts it on the clipboard (tab-separated,
// lines ending in CR LF) turned into CSV as RFC 4180 has it: fields separated
// by ",", lines by CR LF, and a field holding ",", a quote or a line break
// quoted, its quotes doubled. Numbers keep the decimal separator the grid
// shows them with, so "12,5" in a German window is quoted.
std::string TableAsCsv(std::string_view tabText);

} // namespace centrafix
