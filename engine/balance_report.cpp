#include "balance_report.h"

#include "report_lines.h"

#include <array>

namespace centrafix {
namespace {

// Short lines: the report panel shows them without scrolling sideways.
constexpr Message kNeutralPoint{"Neutralpunkt x = %1", "Neutral point x = %1"};
constexpr Message kLattice{"  Wirbelgitter, %1 Felder", "  vortex lattice, %1 panels"};
constexpr Message kLiftSlope{"  CA_alpha = %1 /rad auf die Flügelfläche", "  CL_alpha = %1 /rad on the wing area"};
constexpr Message kEstimate{"  Lehrbuch-Schätzung x = %1", "  textbook estimate x = %1"};
constexpr Message kCgRange{"Schwerpunktbereich x = %1 bis %2", "C.G. range x = %1 to %2"};
constexpr Message kMargins{"  Stabilitätsmaß %1 bis %2 % der MAC", "  static margin %1 to %2 % of the MAC"};
constexpr Message kBehindRoot{"  hinter der Vorderkante der Flügelwurzel:", "  behind the wing's root leading edge:"};
constexpr Message kFromTo{"  %1 bis %2", "  %1 to %2"};
constexpr Message kWingMac{"Flügel-MAC %1, Vorderkante x = %2", "Wing MAC %1, leading edge x = %2"};
constexpr Message kMacStation{"  %1 von der Mittellinie", "  %1 from the center line"};
constexpr Message kTypedCg{"Eingegebener Schwerpunkt x = %1", "Typed C.G. x = %1"};
constexpr Message kTypedMargin{"  Stabilitätsmaß %1 %", "  static margin %1 %"};

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
    ReportLines lines(languageIndex, decimalSeparator, unit);
    lines.add(kNeutralPoint, std::array{lines.length(b.neutralPointX)});
    lines.add(kLattice, std::array{std::to_string(b.panels)});
    lines.add(kLiftSlope, std::array{lines.fixed(b.clAlpha, 3)});
    lines.add(kEstimate, std::array{lines.length(b.estimate.neutralPointX)});
    lines.add(kCgRange, std::array{lines.length(b.range.forwardX), lines.length(b.range.aftX)});
    lines.add(kMargins, std::array{lines.fixed(b.marginHigh, 1), lines.fixed(b.marginLow, 1)});
    lines.add(kBehindRoot, std::array<std::string, 0>{});
    lines.add(kFromTo,
              std::array{lines.length(b.range.forwardBehindRootLead), lines.length(b.range.aftBehindRootLead)});
    lines.add(kWingMac, std::array{lines.length(wing.mac), lines.length(wing.macLeadX)});
    lines.add(kMacStation, std::array{lines.length(wing.macY)});
    if (b.typedCgX && b.typedCgMargin) {
        lines.add(kTypedCg, std::array{lines.length(*b.typedCgX)});
        lines.add(kTypedMargin, std::array{lines.fixed(*b.typedCgMargin, 1)});
    }
    return lines.take();
}

} // namespace centrafix
