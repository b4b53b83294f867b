#pragma once

#include "error.h"
#include "match_count.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace centrafix {

// The friction-drag coefficients of a planform by strip theory.
struct DragCoefficients {
    double CD_lam = 0.0;
    double CD_turb = 0.0;
};

// The coefficients, or which field keeps them from being computed and why.
using DragEstimate = Result<DragCoefficients>;

// Reads altitude and Mach strictly as decimal numbers as users type them
// (TypedDecimal: "." always, "," too where the locale's separator is ","),
// evaluates the atmosphere once and sums the strips (turbulent coefficient
// before the laminar one for every row with chord). totalArea is the scaled
// area of all objects; metresPerUnit turns a scaled chord into metres for
// its Reynolds number (1: the scale is taken as metres per pixel).
DragEstimate EstimateFrictionDrag(const std::vector<double>& RowChord, int height, double ScaleFactor, double totalArea,
                                  std::string_view altitudeText, std::string_view machText,
                                  std::string_view localeSeparator, double metresPerUnit = 1.0);

// The altitude or Mach field's number as the estimate reads it, or why it
// has none (empty, not a number).
Result<double> ReadDragField(std::string_view text, Field field, std::string_view localeSeparator);

// "Pixels: 330 x 314" / "Pixel: 330 x 314": the report's line after a picture
// is opened, and the start of the size line after a run.
std::string PictureSizeText(int width, int height, int languageIndex);

// The report's lines, each ending in CR LF: the picture-size line, then
// "CD_lam = ..." and "CD_turb = ..." or, where the estimate has no result, one
// line each saying so. A unit name, where the user gave one, follows the
// scaled size; where it is no length MetresPerUnit knows (or none), the
// coefficients say that the scale was taken as metres per pixel. Where the
// run's colours matched little or nothing (`matches`), MatchWarningLines end it.
std::string ReportLines(int width, int height, double ScaleFactor, const DragEstimate& drag, int languageIndex,
                        std::string_view decimalSeparator, std::string_view unit = {},
                        const std::optional<MatchCount>& matches = std::nullopt);

} // namespace centrafix
