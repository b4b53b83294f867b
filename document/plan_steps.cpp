#include "plan_steps.h"

#include "picture/edits/colour_map.h"
#include "picture/edits/plan_geometry.h"
#include "picture/picture_ops.h"

#include <new>
#include <utility>

namespace centrafix {
namespace {

constexpr Message kNoMemoryForSteps{"nicht genug Speicher, um den Plan zu bearbeiten",
                                    "not enough memory to work on the plan"};

// Each step replaces the picture or refuses; a refusal ends the whole.
std::optional<Error> Take(QImage& picture, Result<QImage> step)
{
    if (!step)
        return step.error();
    picture = std::move(*step);
    return std::nullopt;
}

std::optional<Error> ApplyShapeSteps(PlanOutcome& outcome, const PlanSteps& steps)
{
    if (steps.straighten) {
        Result<StraightenedPlan> straight =
            StraightenPicture(outcome.picture, steps.straighten->corners, steps.straighten->size);
        if (!straight)
            return straight.error();
        outcome.picture = std::move(straight->picture);
        outcome.unitsPerPixel = straight->unitsPerPixel;
    }
    if (steps.level) {
        if (std::optional<Error> error =
                Take(outcome.picture, LevelPicture(outcome.picture, steps.level->from, steps.level->to)))
            return error;
    }
    if (steps.mirrorRow) {
        if (std::optional<Error> error = Take(outcome.picture, MirrorAboutRow(outcome.picture, *steps.mirrorRow)))
            return error;
    }
    if (steps.crop) {
        if (std::optional<Error> error = Take(outcome.picture, CropPicture(outcome.picture, *steps.crop)))
            return error;
    }
    return std::nullopt;
}

std::optional<Error> ApplyPaintSteps(QImage& picture, const PlanSteps& steps)
{
    for (const PlanSteps::Fill& fill : steps.fills) {
        const Result<std::int64_t> filled = FillRegion(picture, fill.seed, fill.colour, steps.fillSettings);
        if (!filled)
            return filled.error();
    }
    for (const PlanSteps::Map& map : steps.maps) {
        QRgb from = map.colour;
        if (map.pixel) {
            const Result<QRgb> picked = PickColour(picture, *map.pixel);
            if (!picked)
                return picked.error();
            from = *picked;
        }
        MapColour(picture, from, map.target, map.tolerance);
    }
    if (steps.cleanUpThreshold)
        picture = CleanedUpPicture(picture, *steps.cleanUpThreshold);
    return std::nullopt;
}

} // namespace

Result<PlanOutcome> ApplyPlanSteps(const QImage& picture, const PlanSteps& steps)
{
    try {
        PlanOutcome outcome{picture, std::nullopt};
        if (std::optional<Error> error = ApplyShapeSteps(outcome, steps))
            return *error;
        // The fills paint pixels of their own: a picture shared with the
        // caller is copied before the first one.
        if (std::optional<Error> error = ApplyPaintSteps(outcome.picture, steps))
            return *error;
        return outcome;
    } catch (const std::bad_alloc&) {
        Error error = Described({}, kNoMemoryForSteps);
        error.kind = ErrorKind::OutOfMemory;
        return error;
    }
}

} // namespace centrafix
