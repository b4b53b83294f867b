#include "loading_table.h"

#include "number_text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace centrafix {
namespace {

constexpr std::string_view kHeader =
    "Eta\tG(sin)\tCl(sin)\tG(sin^2)\tCl(sin^2)\tG(sin^3)\tCl(sin^3)\tG(sin^4)\tCl(sin^4)\r\n";

// Integral of sin^n(phi) d(cos phi) over the span, as the established figures
// evaluate it (pi/2 and 3 pi/8 from written-out literals).
const double kNormalisers[4] = {1.570796326794895, 4.0 / 3.0, 9.42477796076937 / 8.0,
                                16.0 / 15.0};

// The longest general-format field: sign, 15 digits, separator, "E-308".
constexpr std::size_t kMaxFieldLength = 24;

} // namespace

double Arccos(double x)
{
    if (x >= 1)
        return 0;
    if (x <= -1)
        return 4 * std::atan(1.0);
    return std::atan(-x / std::sqrt((-x) * x + 1)) + 2 * std::atan(1.0);
}

std::string BuildLoadingTable(const std::vector<double>& RowChord, int height, double OriginRow,
                              std::string_view decimalSeparator)
{
    // Rows beyond RowChord (which the run sizes to height + 1) count as rows
    // without chord rather than reading past the vector.
    const int rows = std::max(height, 0);
    const std::size_t chordRows = std::min(static_cast<std::size_t>(rows), RowChord.size());
    std::size_t withChord = 0;
    for (std::size_t y = 0; y < chordRows; ++y) {
        if (RowChord[y] > 0)
            ++withChord;
    }
    const std::size_t fieldLength = kMaxFieldLength + decimalSeparator.size();
    std::string table;
    table.reserve(kHeader.size() + withChord * 9 * (fieldLength + 1) +
                  (static_cast<std::size_t>(rows) - withChord) * (fieldLength + 4 * 2 + 1));
    table += kHeader;

    // An origin row that is not a number (never set by a click) counts as unset,
    // so the table cannot fill with "nan".
    if (!std::isfinite(OriginRow))
        OriginRow = 0;
    const double d = OriginRow > 0 ? OriginRow : static_cast<double>(rows);
    for (int y = 0; y < rows; ++y) {
        const double Eta = (y - OriginRow) / d;
        const double phi = Arccos(Eta);
        table += FormatGeneral(Eta, decimalSeparator);
        const double chord =
            static_cast<std::size_t>(y) < RowChord.size() ? RowChord[static_cast<std::size_t>(y)]
                                                          : 0.0;
        if (chord > 0) {
            const double s = std::sin(phi);
            for (int n = 1; n <= 4; ++n) {
                const double G = std::pow(s, n) / kNormalisers[n - 1];
                const double Cl = G / chord;
                table += '\t';
                table += FormatGeneral(G, decimalSeparator);
                table += '\t';
                table += FormatGeneral(Cl, decimalSeparator);
            }
        } else {
            table += "\t0\t0\t0\t0";
        }
        table += "\r\n";
    }
    return table;
}

} // namespace centrafix
