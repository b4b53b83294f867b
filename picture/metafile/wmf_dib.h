#pragma once

#include "picture/metafile/wmf_budget.h"
#include "picture/metafile/wmf_records.h"

#include <QImage>

namespace centrafix::wmf {

// A packed bitmap (header, colour table, pixels) as blit and pattern-brush
// records carry it.
struct Dib {
    QImage image;         // RGB32; null: nothing to draw (a kind of bitmap we skip)
    bool bottomUp = true; // as stored: source rows of a blit count from the bottom
    Problem problem;      // set when the bitmap does not fit its record or cannot be decoded
};

// Decodes the bitmap `what` (a record's kind, for a refusal) carries,
// counting its pixels against `budget` before any is decoded. A bitmap that
// promises pixels and yields none refuses the file: a silently missing area
// would be measured as background.
Dib DecodeDib(QByteArrayView dib, const Message& what, WorkBudget& budget);

} // namespace centrafix::wmf
