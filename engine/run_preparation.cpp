#include "run_preparation.h"

#include "eval_number.h"
#include "number_text.h"

#include <algorithm>
#include <cmath>

namespace centrafix {
namespace {

constexpr Message kNothingTicked{"Keine Farbe ist angekreuzt: es gäbe nichts zu analysieren.",
                                 "No color is ticked: there would be nothing to analyze."};

Error ScaleTooSmall(const AnalysisInputs& inputs, double scale)
{
    if (!(scale > 0))
        return FieldError(ErrorKind::NotAboveZero, Field::ScaleFactor, inputs.scaleText);
    Error error = FieldError(ErrorKind::BelowSmallest, Field::ScaleFactor, inputs.scaleText);
    error.args = {FormatGeneral(kSmallestScale)};
    return error;
}

} // namespace

Result<RunSetup> PrepareRun(const AnalysisInputs& inputs, SmallScale small)
{
    const Result<double> tolerance = EvalNumber(inputs.toleranceText, Field::Tolerance, inputs.localeSeparator);
    if (!tolerance)
        return tolerance.error();
    // A tolerance of 0 or below matches no pixel at all: every colour would
    // come out unticked and the total empty, without a word.
    if (!(*tolerance > 0))
        return FieldError(ErrorKind::NotAboveZero, Field::Tolerance, inputs.toleranceText);
    const Result<double> scale = EvalNumber(inputs.scaleText, Field::ScaleFactor, inputs.localeSeparator);
    if (!scale)
        return scale.error();
    RunSetup setup;
    setup.Tolerance = *tolerance;
    setup.ScaleFactor = *scale;
    if (setup.ScaleFactor < kSmallestScale) {
        // Zero or negative scales make no sense as lengths per pixel.
        if (small == SmallScale::Refused)
            return ScaleTooSmall(inputs, *scale);
        setup.ScaleFactor = 1.0;
        setup.scaleReplaced = true;
    }
    return setup;
}

namespace {

// Bounds of every result a run can give, as RefuseRun refuses them.
std::optional<Error> CheckFiniteResults(const RunSetup& setup, const AnalysisInputs& inputs,
                                        const ColorObjectTable& objects, int width, int height)
{
    // Bounds of what a run can reach: any length or position, any area, an
    // outline of every pixel's four edges, the weighted sums of the total
    // (taken before the origin is subtracted), and positions from the origin.
    const double s = setup.ScaleFactor;
    const double W = width, H = height;
    const double length = s * (std::max(W, H) + 1);
    const double area = (s * W) * (s * H);
    const double outline = 4.0 * W * H * s;
    if (!std::isfinite(length) || !std::isfinite(area * length) || !std::isfinite(outline))
        return FieldError(ErrorKind::NotFiniteResults, Field::ScaleFactor, inputs.scaleText);
    const double origin = std::max(std::fabs(inputs.OriginX), std::fabs(inputs.OriginY));
    const double reach = origin + length;
    if (!std::isfinite(reach))
        return FieldError(ErrorKind::NotFiniteResults, Field::Origin, FormatGeneral(origin));
    for (std::size_t i = 1; i < objects.size(); ++i) {
        const double w = objects[i].Weight;
        if (inputs.ticked[i] && !std::isfinite(w * area * length))
            return FieldError(ErrorKind::NotFiniteResults, Field::Weight, FormatGeneral(w));
    }
    return std::nullopt;
}

} // namespace

std::optional<Error> RefuseRun(const RunSetup& setup, const AnalysisInputs& inputs, const ColorObjectTable& objects,
                               int width, int height)
{
    if (std::none_of(inputs.ticked.begin() + 1, inputs.ticked.end(), [](bool t) { return t; }))
        return Described({}, kNothingTicked);
    return CheckFiniteResults(setup, inputs, objects, width, height);
}

} // namespace centrafix
