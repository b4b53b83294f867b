#include "balance_report.h"

#include "number_text.h"

#include <array>

namespace centrafix {
namespace {

constexpr Message kNeutralPoint{
    "Neutralpunkt: x = %1 (Wirbelgitter, %2 Felder, CA_alpha = %3 /rad); Schätzung: x = %4",
    "Neutral point: x = %1 (vortex lattice, %2 panels, CL_alpha = %3 /rad); estimate: x = %4"};
constexpr Message kCgRange{
    "Schwerpunktbereich: x = %1 (vorn, Stabilitätsmaß %2 %) bis %3 (hinten, %4 %), "
    "%5 bis %6 hinter der Vorderkante der Flügelwurzel",
    "C.G. range: x = %1 (forward, static margin %2 %) to %3 (aft, %4 %), "
    "%5 to %6 behind the wing's root leading edge"};
constexpr Message kWingMac{"Bezugsflügeltiefe des Flügels: %1, Vorderkante bei x = %2, %3 von der Mitte",
                           "Wing MAC: %1, leading edge at x = %2, %3 from the centre line"};
constexpr Message kTypedCg{"Eingegebener Schwerpunkt x = %1: Stabilitätsmaß %2 %",
                           "Typed C.G. x = %1: static margin %2 %"};

class Lines {
public:
    Lines(int languageIndex, std::string_view separator, std::string_view unit)
        : m_language(languageIndex),
          m_separator(separator),
          m_unit(unit)
    {}

    std::string length(double value) const
    {
        std::string text = FormatLength(value, 2, m_separator);
        if (!m_unit.empty())
            text.append(" ").append(m_unit);
        return text;
    }

    std::string fixed(double value, int decimals) const { return FormatFixed(value, decimals, m_separator); }

    template <std::size_t N>
    void add(const Message& message, const std::array<std::string, N>& args)
    {
        std::array<std::string_view, N> views;
        for (std::size_t k = 0; k < N; ++k)
            views[k] = args[k];
        m_text += Tr(message, m_language, std::span<const std::string_view>(views));
        m_text += "\r\n";
    }

    std::string take() { return std::move(m_text); }

private:
    int m_language;
    std::string_view m_separator;
    std::string_view m_unit;
    std::string m_text;
};

} // namespace

std::string BalanceLines(const std::optional<aero::Balance>& balance, const Message* noBalance, int languageIndex,
                         std::string_view decimalSeparator, std::string_view unit)
{
    if (!balance) {
        if (!noBalance)
            return {};
        return std::string(Tr(*noBalance, languageIndex)) + "\r\n";
    }
    const aero::Balance& b = *balance;
    const aero::SurfaceGeometry& wing = b.wing().geometry;
    Lines lines(languageIndex, decimalSeparator, unit);
    lines.add(kNeutralPoint, std::array{lines.length(b.neutralPointX), std::to_string(b.panels),
                                        lines.fixed(b.clAlpha, 3), lines.length(b.estimate.neutralPointX)});
    lines.add(kCgRange,
              std::array{lines.length(b.range.forwardX), lines.fixed(b.marginHigh, 1), lines.length(b.range.aftX),
                         lines.fixed(b.marginLow, 1), lines.length(b.range.forwardBehindRootLead),
                         lines.length(b.range.aftBehindRootLead)});
    lines.add(kWingMac, std::array{lines.length(wing.mac), lines.length(wing.macLeadX), lines.length(wing.macY)});
    if (b.typedCgX && b.typedCgMargin)
        lines.add(kTypedCg, std::array{lines.length(*b.typedCgX), lines.fixed(*b.typedCgMargin, 1)});
    return lines.take();
}

} // namespace centrafix
