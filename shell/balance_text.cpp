#include "balance_text.h"

#include "engine/balance_fields.h"
#include "engine/number_text.h"

#include <numbers>

namespace centrafix {
namespace {

constexpr Message kNeutralPointLine{"Neutralpunkt x = %1 %2 (Wirbelgitter), %3 %2 (Schätzung)",
                                    "Neutral point x = %1 %2 (vortex lattice), %3 %2 (estimate)"};
constexpr Message kLiftSlopeLine{"Auftriebsanstieg %1 /rad (Wirbelgitter), %2 /rad (Schätzung)",
                                 "Lift slope %1 /rad (vortex lattice), %2 /rad (estimate)"};
constexpr Message kMacLine{"Flügel-MAC %1 %2, Vorderkante x = %3 %2, Station y = ±%4 %2",
                           "Wing MAC %1 %2, leading edge x = %3 %2, station y = ±%4 %2"};
constexpr Message kSurfaceLine{"%1 (%2): Auftriebsanteil %3 %, %4 /rad, MAC %5 %6",
                               "%1 (%2): lift share %3 %, %4 /rad, MAC %5 %6"};
constexpr Message kRangeLine{"Schwerpunktbereich x = %1 … %2 %3 (Stabilitätsmaß %4 … %5 % MAC)",
                             "C.G. range x = %1 … %2 %3 (static margin %4 … %5 % MAC)"};
constexpr Message kBehindRootLine{"hinter der Flügelwurzel-Vorderkante: %1 … %2 %3",
                                  "behind the wing root's leading edge: %1 … %2 %3"};
constexpr Message kTypedCgLine{"Schwerpunkt x = %1 %2: Stabilitätsmaß %3 % MAC",
                               "C.G. x = %1 %2: static margin %3 % MAC"};
constexpr Message kNoBalanceLine{"Keine Schwerpunktlage: %1", "No balance: %1"};

std::string SurfaceName(const aero::SurfaceBalance& surface, const ColorObjectTable& objects)
{
    std::string name;
    for (const int object : surface.objects) {
        if (object < 1 || object > kObjectCount)
            continue;
        if (!name.empty())
            name += " + ";
        name += objects[static_cast<std::size_t>(object)].Name;
    }
    return name;
}

} // namespace

std::string BalanceText(const aero::Balance& balance, const ColorObjectTable& objects, int languageIndex,
                        std::string_view decimalSeparator, std::string_view unit)
{
    if (balance.surfaces.empty())
        return {};
    const auto length = [&](double value) { return FormatFixed(value, 3, decimalSeparator); };
    const auto percent = [&](double value) { return FormatFixed(value, 1, decimalSeparator); };
    const aero::SurfaceGeometry& wing = balance.wing().geometry;
    const std::string u(unit);
    std::string text = Tr(kNeutralPointLine, languageIndex,
                          {length(balance.neutralPointX), u, length(balance.estimate.neutralPointX)}) +
                       "\n";
    text += Tr(kLiftSlopeLine, languageIndex, {length(balance.clAlpha), length(balance.estimate.wingClAlpha)}) + "\n";
    text += Tr(kMacLine, languageIndex, {length(wing.mac), u, length(wing.macLeadX), length(wing.macY)}) + "\n";
    for (const aero::SurfaceBalance& surface : balance.surfaces)
        text += Tr(kSurfaceLine, languageIndex,
                   {SurfaceName(surface, objects), Tr(RoleName(surface.role), languageIndex),
                    percent(100.0 * surface.liftShare), length(surface.clAlpha), length(surface.geometry.mac), u}) +
                "\n";
    text += Tr(kRangeLine, languageIndex,
               {length(balance.range.forwardX), length(balance.range.aftX), u, percent(balance.marginHigh),
                percent(balance.marginLow)}) +
            "\n";
    text += Tr(kBehindRootLine, languageIndex,
               {length(balance.range.forwardBehindRootLead), length(balance.range.aftBehindRootLead), u});
    if (balance.typedCgX && balance.typedCgMargin)
        text += "\n" + Tr(kTypedCgLine, languageIndex, {length(*balance.typedCgX), u, percent(*balance.typedCgMargin)});
    return text;
}

std::string NoBalanceText(const Message& reason, int languageIndex)
{
    return Tr(kNoBalanceLine, languageIndex, {Tr(reason, languageIndex)});
}

} // namespace centrafix
