#pragma once

#include <string>
#include <vector>

namespace centrafix {

// One row of the results grid as values: its cells as shown, the name
// first. The window puts them into its cells; the texts for other programs
// join them with TAB (JoinedCells).
struct GridRow {
    std::vector<std::string> cells;

    bool operator==(const GridRow&) const = default;
};

// The cells joined by TAB, as "Copy Table" and the batch command write a row.
std::string JoinedCells(const GridRow& row);

} // namespace centrafix
