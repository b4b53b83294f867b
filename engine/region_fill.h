#pragma once

#include "fill_plane.h"
#include "line_split.h"
#include "raster.h"

#include <cstdint>

namespace centrafix {

enum class FillOutcome {
    Planned,
    OnLine, // the seed is a line pixel, or so near one that bridging its gaps covers it
    Leaked, // the paper around the seed reaches the picture's border
};

// The pixels a fill will paint (kRegion in the plane, all within `window`),
// worked out before the picture is touched, so a refusal changes nothing.
struct FillPlan {
    FillOutcome outcome = FillOutcome::Planned;
    FillPlane plane;
    PlaneWindow window;
};

// Plans the fill around (x, y), a pixel of the picture. On paper: the
// paper enclosed by lines (pixels with red + green + blue below
// `lineThreshold`, gaps up to `gap` pixels bridged) and the inner half of
// those lines. On a pixel painted in one of the six object colours other
// than black: the 4-connected patch of that colour, exactly as it is, so a
// region filled before keeps its outline when recoloured; a patch reaching
// the border is recoloured too (it is painted, nothing leaks from it).
FillPlan PlanFill(const RasterView& raster, int x, int y, int lineThreshold, int gap);

// Paints the plan's pixels with `word`; returns how many changed colour.
std::int64_t PaintPlan(const FillPlan& plan, const MutableRasterView& raster, std::uint32_t word);

} // namespace centrafix
