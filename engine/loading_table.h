#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace centrafix {

// Inverse cosine in radians, 0 to pi: 0 from 1 up, pi from -1 down, otherwise
// atan(-x / sqrt(1 - x^2)) + 2 atan(1).
double Arccos(double x);

// The spanwise loading table: a header and one line per picture row with Eta
// and, for rows with chord, G and Cl of the sin, sin^2, sin^3 and sin^4
// loadings (nine fields), otherwise Eta and four zeros (five fields). Fields
// joined by TAB, every line ending in CR LF, numbers in general format with the
// given decimal separator. Eta is measured from OriginRow (the top when 0).
std::string BuildLoadingTable(const std::vector<double>& RowChord, int height, double OriginRow,
                              std::string_view decimalSeparator);

} // namespace centrafix
