#include "drag_report.h"

#include "aero/atmosphere.h"
#include "aero/friction.h"
#include "number_text.h"
#include "string_table.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace centrafix {
namespace {

// The captions of the two fields, the same in both languages.
constexpr std::string_view kAltitudeField = "Altitude [m]";
constexpr std::string_view kMachField = "Mach number [-]";

// Where the atmosphere model ends (layer 7's pressure base reaches 0), in metres.
constexpr std::string_view kTopOfModelText = "178325";
constexpr double kTopOfModel = 178325.0;

// Why the estimate has no result. Any language other than English reads German,
// as in the string table.
enum class Why { Empty, NotANumber, NotAboveZero, AboveModel, OutsideModel, NoFriction };

bool English(int languageIndex) { return languageIndex == kEnglish; }

// The text as typed, trimmed and on one line, to quote in the reason.
std::string Quoted(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    std::string quoted = "\"";
    for (const char c : text)
        quoted += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    quoted += '"';
    return quoted;
}

bool IsBlankText(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

std::string Reason(std::string_view field, std::string_view text, Why why, int languageIndex)
{
    const bool en = English(languageIndex);
    std::string reason(field);
    if (why == Why::Empty)
        return reason + (en ? " is empty" : " ist leer");
    reason += ' ';
    reason += Quoted(text);
    switch (why) {
    case Why::Empty:
        break;
    case Why::NotANumber:
        reason += en ? " is not a number" : " ist keine Zahl";
        break;
    case Why::NotAboveZero:
        reason += en ? " is not above 0" : " ist nicht größer als 0";
        break;
    case Why::AboveModel:
        reason += en ? " is not below " : " liegt nicht unter ";
        reason += kTopOfModelText;
        reason += en ? ", the top of the atmosphere model" : ", der Obergrenze des Atmosphärenmodells";
        break;
    case Why::OutsideModel:
        reason += en ? " is outside the atmosphere model" : " liegt außerhalb des Atmosphärenmodells";
        break;
    case Why::NoFriction:
        reason += en ? " gives Reynolds numbers outside the friction laws"
                     : " ergibt Reynoldszahlen außerhalb der Reibungsgesetze";
        break;
    }
    return reason;
}

DragEstimate Unavailable(std::string reason)
{
    DragEstimate drag;
    drag.unavailableReason = std::move(reason);
    return drag;
}

std::string CoefficientLine(std::string_view name, const std::optional<double>& value,
                            const std::string& reason, int languageIndex,
                            std::string_view decimalSeparator)
{
    std::string line(name);
    line += " = ";
    if (value && std::isfinite(*value)) {
        line += FormatFixed(*value, 6, decimalSeparator);
    } else {
        line += English(languageIndex) ? "not available" : "nicht verfügbar";
        if (!reason.empty()) {
            line += ": ";
            line += reason;
        }
    }
    line += "\r\n";
    return line;
}

} // namespace

DragEstimate EstimateFrictionDrag(const std::vector<double>& RowChord, int height,
                                  double ScaleFactor, double totalArea,
                                  std::string_view altitudeText, std::string_view machText,
                                  std::string_view decimalSeparator, int languageIndex)
{
    // Both fields are checked before anything is computed, also when no row has
    // a chord: a wrong field is worth saying even where it would not change 0.
    double Altitude = 0.0;
    if (!ParseStrictDecimal(altitudeText, decimalSeparator, Altitude)) {
        return Unavailable(Reason(kAltitudeField, altitudeText,
                                  IsBlankText(altitudeText) ? Why::Empty : Why::NotANumber,
                                  languageIndex));
    }
    double Mach = 0.0;
    if (!ParseStrictDecimal(machText, decimalSeparator, Mach)) {
        return Unavailable(Reason(kMachField, machText,
                                  IsBlankText(machText) ? Why::Empty : Why::NotANumber,
                                  languageIndex));
    }
    if (!(Mach > 0))
        return Unavailable(Reason(kMachField, machText, Why::NotAboveZero, languageIndex));

    const auto air = aero::StandardAtmosphere(Altitude, 0);
    if (!air) {
        return Unavailable(Reason(kAltitudeField, altitudeText,
                                  Altitude >= kTopOfModel ? Why::AboveModel : Why::OutsideModel,
                                  languageIndex));
    }

    const double V = Mach * air->SpeedOfSound;
    double SumTurb = 0.0;
    double SumLam = 0.0;
    const std::size_t rows =
        std::min(static_cast<std::size_t>(std::max(height, 0)), RowChord.size());
    for (std::size_t y = 0; y < rows; ++y) {
        const double chord = RowChord[y];
        if (!(chord > 0))
            continue;
        const double Re = V * chord / air->KinViscosity;
        const auto cfT = aero::Cf_turbulent(Re);
        const auto cfL = aero::Cf_laminar(Re);
        if (!cfT || !cfL) // only for an absurd Mach number (Re overflows)
            return Unavailable(Reason(kMachField, machText, Why::NoFriction, languageIndex));
        SumTurb += *cfT * chord * ScaleFactor;
        SumLam += *cfL * chord * ScaleFactor;
    }

    DragEstimate drag;
    if (totalArea > 0) {
        drag.CD_turb = 2 * SumTurb / totalArea;
        drag.CD_lam = 2 * SumLam / totalArea;
    } else {
        drag.CD_turb = SumTurb;
        drag.CD_lam = SumLam;
    }
    if (!std::isfinite(*drag.CD_turb) || !std::isfinite(*drag.CD_lam))
        return Unavailable(Reason(kMachField, machText, Why::NoFriction, languageIndex));
    return drag;
}

std::string PictureSizeText(int width, int height, int languageIndex)
{
    return LoadLangResString(126, languageIndex) + ": " + std::to_string(width) + " x " +
           std::to_string(height);
}

std::string ReportLines(int width, int height, double ScaleFactor, const DragEstimate& drag,
                        int languageIndex, std::string_view decimalSeparator)
{
    std::string report;
    report.reserve(160 + 2 * drag.unavailableReason.size());
    report += PictureSizeText(width, height, languageIndex);
    report += " -> ";
    report += LoadLangResString(127, languageIndex);
    report += ": ";
    report += FormatFixed(width * ScaleFactor, 2, decimalSeparator);
    report += " x ";
    report += FormatFixed(height * ScaleFactor, 2, decimalSeparator);
    report += "\r\n";
    report += CoefficientLine("CD_lam", drag.CD_lam, drag.unavailableReason, languageIndex,
                              decimalSeparator);
    report += CoefficientLine("CD_turb", drag.CD_turb, drag.unavailableReason, languageIndex,
                              decimalSeparator);
    return report;
}

} // namespace centrafix
