#pragma once

#include "engine/error.h"
#include "picture/edits/paint_fill.h"

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRgb>
#include <QSizeF>

#include <array>
#include <optional>
#include <vector>

namespace centrafix {

// The changes that make a plan as it comes (a PDF page, a photo, a line
// drawing) into a picture painted in the object colours, in the one order
// both programs apply them: straighten, level, mirror, crop, fills, maps,
// clean-up. (Rendering comes first, by the reader; measuring last.)
struct PlanSteps {
    struct Straighten {
        std::array<QPointF, 4> corners; // clockwise from the top left
        QSizeF size;                    // the rectangle's width and height in length units
    };
    struct Level {
        QPointF from;
        QPointF to;
    };
    struct Fill {
        QPoint seed;
        int colour = 1; // 1 to 7
    };
    struct Map {
        std::optional<QPoint> pixel; // the colour picked there, or
        QRgb colour = 0;             // this colour when no pixel is given
        int target = 0;              // 0 white, 1 to 7
        double tolerance = 0.0;
    };

    std::optional<Straighten> straighten;
    std::optional<Level> level;
    std::optional<int> mirrorRow;
    std::optional<QRect> crop;
    std::vector<Fill> fills;
    FillSettings fillSettings;
    std::vector<Map> maps;
    std::optional<double> cleanUpThreshold;

    bool empty() const
    {
        return !straighten && !level && !mirrorRow && !crop && fills.empty() && maps.empty() && !cleanUpThreshold;
    }
};

// The picture after the steps, and the scale a straightening gave (length
// units per pixel), if one did.
struct PlanOutcome {
    QImage picture;
    std::optional<double> unitsPerPixel;
};

// Applies the steps in their order; the first refusal ends it, naming the
// step, and nothing is kept.
Result<PlanOutcome> ApplyPlanSteps(const QImage& picture, const PlanSteps& steps);

} // namespace centrafix
