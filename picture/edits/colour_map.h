#pragma once

#include "engine/defaults.h"
#include "engine/error.h"

#include <QImage>
#include <QPoint>
#include <QRgb>

#include <cstdint>

namespace centrafix {

// Every pixel whose colour is within `tolerance` of `from` (the analysis's
// rule: summed channel differences strictly below it) becomes colour
// `target`: 0 white, 1 to 7 the object colours (kObjectColors). For
// drawings coloured in other colours or scanned with a tint. Returns how
// many pixels changed.
std::int64_t MapColour(QImage& picture, QRgb from, int target, double tolerance = defaults::kMapTolerance);

// The colour under `pixel`, as the eyedropper picks it; refused, naming the
// point, outside the picture.
Result<QRgb> PickColour(const QImage& picture, QPoint pixel);

} // namespace centrafix
