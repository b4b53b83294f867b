#pragma once

#include "engine/error.h"

#include <QByteArrayView>
#include <QPointF>
#include <QSize>
#include <QSizeF>

namespace centrafix {

namespace wmf {

// What a metafile's headers and record chain say before anything is drawn.
struct MetafileBounds {
    qsizetype recordsStart = 0;
    int objectsHint = 0; // the most objects the header says exist at once
    QSize pixels;        // the picture's size
    // The window mapped onto the picture until a record sets another.
    QPointF windowOrg;
    QSizeF windowExt{1, 1};
};

// Reads the headers and checks the whole record chain, so that a damaged file
// is refused before any picture memory exists. The picture is 96 dots per
// inch of the placeable header's bounds, or else the first window extent in
// pixels. The error names no file.
Result<MetafileBounds> ReadMetafileBounds(QByteArrayView bytes);

} // namespace wmf

} // namespace centrafix
