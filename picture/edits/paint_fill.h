#pragma once

#include "engine/defaults.h"
#include "engine/error.h"

#include <QImage>
#include <QPoint>

#include <cstdint>

namespace centrafix {

// How a plan's drawn lines are told from its paper.
struct FillSettings {
    // A pixel whose red + green + blue is below this is part of a line
    // (unless it is one of the seven object colours other than black).
    int lineThreshold = defaults::kLineThreshold;
    // Gaps in a line up to this many pixels wide are bridged, so the fill
    // does not leak through a line the scanner broke.
    int gap = defaults::kFillGap;
};

// Paints the region around `seed` in `colour` (an entry of kObjectColors,
// 1 to 7): the paper enclosed by lines and the inner half of the lines that
// bound it, so the region is measured to the middle of its drawn outline.
// Seeded inside a region already painted in one colour, recolours that
// region. Returns how many pixels changed.
//
// Refused, with the picture untouched: a seed outside the picture or on a
// line pixel, and a region that reaches the picture's border (it is not
// enclosed: the fill leaked; the error names the seed point). A painted
// patch cannot leak and is recoloured wherever it reaches. Black is ink: a
// region filled black cannot be told from its lines, and a fill seeded in
// it is refused as on a line.
Result<std::int64_t> FillRegion(QImage& picture, QPoint seed, int colour, const FillSettings& settings);

} // namespace centrafix
