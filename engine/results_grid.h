#pragma once

#include "color_object.h"
#include "grid_row.h"

#include <string>
#include <string_view>
#include <vector>

namespace centrafix {

inline constexpr int kGridColumns = 9;

// The nine column titles in the given language.
GridRow GridHeader(int languageIndex);
// The same joined by TAB.
std::string GridHeaderText(int languageIndex);

// Forms the total entry, makes every position relative to the origin, computes
// the area shares and returns the grid rows (object rows with nine cells, then
// the total row with six). Where no object was found, the total row is its
// name and kNoColourFound in the given language.
std::vector<GridRow> SumUpResults(ColorObjectTable& ColorObjects, PointTable& CGPoint, PointTable& ACPoint,
                                  double OriginX, double OriginY, std::string_view decimalSeparator, int languageIndex);

// The grid rows of results already summed up: the same rows again, with the
// names the table now has (a language switch writes the last run anew).
std::vector<GridRow> GridRows(const ColorObjectTable& ColorObjects, const PointTable& CGPoint,
                              const PointTable& ACPoint, std::string_view decimalSeparator, int languageIndex);

// The text "Copy Table" puts on the clipboard: the header and the rows, every
// line with nine TAB-separated fields (a shorter row is filled up with empty
// ones), lines joined by CR LF, nothing after the last line.
std::string CopyTableText(const std::string& header, const std::vector<GridRow>& rows);

} // namespace centrafix
