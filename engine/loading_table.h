#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace centrafix {

// Inverse cosine in radians, 0 to pi: 0 from 1 up, pi from -1 down, otherwise
// atan(-x / sqrt(1 - x^2)) + 2 atan(1).
double Arccos(double x);

// The spanwise loading table of one run: a header and one line per picture
// row with Eta and, for rows with chord, G and Cl of the sin, sin^2, sin^3 and
// sin^4 loadings (nine fields), otherwise Eta and four zeros (five fields).
// Fields joined by TAB, every line ending in CR LF, numbers in general format
// with the given decimal separator. Eta is measured from OriginRow (the top
// when 0).
//
// A tall picture makes a long table (150 bytes a row), so it is written piece
// by piece to wherever it goes, and built whole only on request.
class LoadingTable {
public:
    // The names of the nine columns, as the header line has them.
    static constexpr std::array<std::string_view, 9> kColumns{
        "Eta", "G(sin)", "Cl(sin)", "G(sin^2)", "Cl(sin^2)", "G(sin^3)", "Cl(sin^3)", "G(sin^4)", "Cl(sin^4)"};

    // The values of one line of the table: Eta, the summed chord of the row
    // and, for a row with chord, G and Cl of the four loadings (all 0 for a
    // row without).
    struct Row {
        double Eta = 0.0;
        double chord = 0.0;
        double G[4] = {};
        double Cl[4] = {};
    };

    // RowChord must outlive the table.
    LoadingTable(const std::vector<double>& RowChord, int height, double OriginRow, std::string decimalSeparator);

    std::size_t rows() const { return m_rows; }
    Row row(std::size_t y) const;

    // Hands the table to `sink` in pieces of some tens of kilobytes, in order;
    // stops and returns false as soon as `sink` does.
    bool write(const std::function<bool(std::string_view)>& sink) const;

    // The whole table as one text.
    std::string text() const;

private:
    void appendRow(std::string& out, int y) const;

    const std::vector<double>& m_rowChord;
    std::size_t m_rows = 0;
    double m_originRow = 0.0;
    double m_span = 0.0;
    std::string m_separator;
};

} // namespace centrafix
