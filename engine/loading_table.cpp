#include "loading_table.h"

#include "number_text.h"

#include <algorithm>
#include <cmath>

namespace centrafix {
namespace {

const std::string& HeaderLine()
{
    static const std::string line = [] {
        std::string joined;
        for (const std::string_view name : LoadingTable::kColumns)
            (joined += joined.empty() ? "" : "\t") += name;
        return joined + "\r\n";
    }();
    return line;
}

// Integral of sin^n(phi) d(cos phi) over the span, as the established figures
// evaluate it (pi/2 and 3 pi/8 from written-out literals).
const double kNormalisers[4] = {1.570796326794895, 4.0 / 3.0, 9.42477796076937 / 8.0, 16.0 / 15.0};

// How much of the table is handed on at once.
constexpr std::size_t kPieceBytes = 64 * 1024;

} // namespace

double Arccos(double x)
{
    if (x >= 1)
        return 0;
    if (x <= -1)
        return 4 * std::atan(1.0);
    return std::atan(-x / std::sqrt((-x) * x + 1)) + 2 * std::atan(1.0);
}

LoadingTable::LoadingTable(const std::vector<double>& RowChord, int height, double OriginRow,
                           std::string decimalSeparator)
    : m_rowChord(RowChord),
      m_rows(static_cast<std::size_t>(std::max(height, 0))),
      m_separator(std::move(decimalSeparator))
{
    // An origin row that is not a number (never set by a click) counts as
    // unset, so the table cannot fill with "nan".
    m_originRow = std::isfinite(OriginRow) ? OriginRow : 0.0;
    m_span = m_originRow > 0 ? m_originRow : static_cast<double>(m_rows);
}

LoadingTable::Row LoadingTable::row(std::size_t y) const
{
    Row r;
    r.Eta = (static_cast<double>(y) - m_originRow) / m_span;
    // Rows beyond RowChord (which the run sizes to height + 1) count as rows
    // without chord rather than reading past the vector.
    r.chord = y < m_rowChord.size() ? m_rowChord[y] : 0.0;
    if (r.chord > 0) {
        const double s = std::sin(Arccos(r.Eta));
        for (int n = 0; n < 4; ++n) {
            r.G[n] = std::pow(s, n + 1) / kNormalisers[n];
            r.Cl[n] = r.G[n] / r.chord;
        }
    }
    return r;
}

void LoadingTable::appendRow(std::string& out, int y) const
{
    const Row r = row(static_cast<std::size_t>(y));
    out += FormatGeneral(r.Eta, m_separator);
    if (r.chord > 0) {
        for (int n = 0; n < 4; ++n) {
            out += '\t';
            out += FormatGeneral(r.G[n], m_separator);
            out += '\t';
            out += FormatGeneral(r.Cl[n], m_separator);
        }
    } else {
        out += "\t0\t0\t0\t0";
    }
    out += "\r\n";
}

bool LoadingTable::write(const std::function<bool(std::string_view)>& sink) const
{
    std::string piece;
    piece.reserve(kPieceBytes + 512);
    piece += HeaderLine();
    for (std::size_t y = 0; y < m_rows; ++y) {
        appendRow(piece, static_cast<int>(y));
        if (piece.size() >= kPieceBytes) {
            if (!sink(piece))
                return false;
            piece.clear();
        }
    }
    return piece.empty() || sink(piece);
}

std::string LoadingTable::text() const
{
    std::string table;
    // Rows with chord take some 200 bytes, rows without about 40.
    table.reserve(HeaderLine().size() + m_rows * 64);
    write([&table](std::string_view piece) {
        table += piece;
        return true;
    });
    return table;
}

} // namespace centrafix
