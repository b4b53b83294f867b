#pragma once

#include "wmf_records.h"

#include <QImage>

namespace centrafix::wmf {

// A packed bitmap (header, colour table, pixels) as blit and pattern-brush
// records carry it.
struct Dib {
    QImage image;         // RGB32; null: nothing to draw (a kind of bitmap we skip)
    bool bottomUp = true; // as stored: source rows of a blit count from the bottom
    Problem problem;      // set when the bitmap does not fit its record
};

Dib DecodeDib(QByteArrayView dib);

} // namespace centrafix::wmf
