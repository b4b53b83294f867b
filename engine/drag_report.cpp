#include "drag_report.h"

#include "aero/atmosphere.h"
#include "aero/friction.h"
#include "length_unit.h"
#include "number_text.h"
#include "string_table.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <unordered_map>
#include <utility>

namespace centrafix {
namespace {

constexpr Message kNotAvailable{"nicht verfügbar", "not available"};
constexpr Message kMetresPerPixel{"Meter je Pixel angenommen", "meters per pixel assumed"};

bool IsBlankText(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

std::string CoefficientLine(std::string_view name, const DragEstimate& drag, double DragCoefficients::*which,
                            bool metresAssumed, int languageIndex, std::string_view decimalSeparator)
{
    std::string line(name);
    line += " = ";
    if (drag.ok()) {
        line += FormatFixed(drag.value().*which, 6, decimalSeparator);
        if (metresAssumed) {
            line += " (";
            line += Tr(kMetresPerPixel, languageIndex);
            line += ')';
        }
    } else {
        line += Tr(kNotAvailable, languageIndex);
        line += ": ";
        line += ErrorText(drag.error(), languageIndex);
    }
    line += "\r\n";
    return line;
}

} // namespace

Result<double> ReadDragField(std::string_view text, Field field, std::string_view localeSeparator)
{
    if (const std::optional<double> value = TypedDecimal(text, localeSeparator))
        return *value;
    return FieldError(IsBlankText(text) ? ErrorKind::Empty : ErrorKind::NotANumber, field, text);
}

namespace {

// The friction sums of the strips, the turbulent one first; empty where a
// Reynolds number leaves the friction laws (only for an absurd Mach number).
struct StripSums {
    double turbulent = 0.0;
    double laminar = 0.0;
};

std::optional<StripSums> SumStrips(const std::vector<double>& RowChord, std::size_t rows, double V, double KinViscosity,
                                   double ScaleFactor, double metresPerUnit)
{
    // Rows of one chord (every straight stretch of a planform) have one pair
    // of coefficients; the turbulent one costs 25 logarithms, so each chord
    // is worked out once. The same chord gives the same numbers, so the sums
    // are what they would be without.
    std::unordered_map<double, std::pair<double, double>> coefficients;
    StripSums sums;
    for (std::size_t y = 0; y < rows; ++y) {
        const double chord = RowChord[y];
        if (!(chord > 0))
            continue;
        auto known = coefficients.find(chord);
        if (known == coefficients.end()) {
            const double Re = V * (chord * metresPerUnit) / KinViscosity;
            const auto cfT = aero::Cf_turbulent(Re);
            const auto cfL = aero::Cf_laminar(Re);
            if (!cfT || !cfL)
                return std::nullopt;
            known = coefficients.emplace(chord, std::pair{*cfT, *cfL}).first;
        }
        sums.turbulent += known->second.first * chord * ScaleFactor;
        sums.laminar += known->second.second * chord * ScaleFactor;
    }
    return sums;
}

Error AltitudeOutsideModel(double Altitude, std::string_view altitudeText)
{
    if (Altitude < aero::kTopOfModel)
        return FieldError(ErrorKind::OutsideModel, Field::Altitude, altitudeText);
    Error error = FieldError(ErrorKind::AboveModel, Field::Altitude, altitudeText);
    error.args = {FormatGeneral(aero::kTopOfModel)};
    return error;
}

} // namespace

DragEstimate EstimateFrictionDrag(const std::vector<double>& RowChord, int height, double ScaleFactor, double totalArea,
                                  std::string_view altitudeText, std::string_view machText,
                                  std::string_view localeSeparator, double metresPerUnit)
{
    // Both fields are checked before anything is computed, also when no row has
    // a chord: a wrong field is worth saying even where it would not change 0.
    const Result<double> Altitude = ReadDragField(altitudeText, Field::Altitude, localeSeparator);
    if (!Altitude)
        return Altitude.error();
    const Result<double> Mach = ReadDragField(machText, Field::Mach, localeSeparator);
    if (!Mach)
        return Mach.error();
    if (!(*Mach > 0))
        return FieldError(ErrorKind::NotAboveZero, Field::Mach, machText);
    const auto air = aero::StandardAtmosphere(*Altitude, 0);
    if (!air)
        return AltitudeOutsideModel(*Altitude, altitudeText);

    const Error noFriction = FieldError(ErrorKind::NoFriction, Field::Mach, machText);
    const std::size_t rows = std::min(static_cast<std::size_t>(std::max(height, 0)), RowChord.size());
    const std::optional<StripSums> sums =
        SumStrips(RowChord, rows, *Mach * air->SpeedOfSound, air->KinViscosity, ScaleFactor, metresPerUnit);
    if (!sums)
        return noFriction;
    DragCoefficients drag{sums->laminar, sums->turbulent};
    if (totalArea > 0) {
        drag.CD_turb = 2 * sums->turbulent / totalArea;
        drag.CD_lam = 2 * sums->laminar / totalArea;
    }
    if (!std::isfinite(drag.CD_turb) || !std::isfinite(drag.CD_lam))
        return noFriction;
    return drag;
}

std::string PictureSizeText(int width, int height, int languageIndex)
{
    return std::string(Tr(msg::Pixels, languageIndex)) + ": " + std::to_string(width) + " x " + std::to_string(height);
}

std::string ReportLines(int width, int height, double ScaleFactor, const DragEstimate& drag, int languageIndex,
                        std::string_view decimalSeparator, std::string_view unit,
                        const std::optional<MatchCount>& matches)
{
    std::string report;
    report.reserve(256);
    report += PictureSizeText(width, height, languageIndex);
    report += " -> ";
    report += Tr(msg::Scaled, languageIndex);
    report += ": ";
    report += FormatLength(width * ScaleFactor, 2, decimalSeparator);
    report += " x ";
    report += FormatLength(height * ScaleFactor, 2, decimalSeparator);
    if (!unit.empty()) {
        report += ' ';
        report += unit;
    }
    report += "\r\n";
    const bool metresAssumed = !MetresPerUnit(unit);
    report +=
        CoefficientLine("CD_lam", drag, &DragCoefficients::CD_lam, metresAssumed, languageIndex, decimalSeparator);
    report +=
        CoefficientLine("CD_turb", drag, &DragCoefficients::CD_turb, metresAssumed, languageIndex, decimalSeparator);
    if (matches) {
        for (const std::string& line : MatchWarningLines(*matches, languageIndex)) {
            report += line;
            report += "\r\n";
        }
    }
    return report;
}

} // namespace centrafix
