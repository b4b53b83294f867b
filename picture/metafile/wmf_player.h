#pragma once

#include "picture/formats/picture_load.h"

#include <QByteArrayView>

namespace centrafix {

// True when the bytes begin like a Windows metafile: the placeable key, or a
// standard metafile header (type 1 or 2, nine header words, version 1 or 3).
bool LooksLikeWindowsMetafile(QByteArrayView head);

// Plays a Windows metafile onto a white picture of its own size, without
// anti-aliasing, so every area keeps the exact colour it was drawn in.
//
// Qt has no reader for these, and the libraries that have one carry far more
// than we need; drawings for measuring use a small set of records, played
// here. Every count and length is checked against its record and the record
// against the file, so a damaged file is refused with a reason (the error has
// no subject: the caller knows the file) rather than read past its end. The
// work the records cause is counted as they play, and a file that would take
// more than any real drawing does is refused too (wmf_budget.h). Records we
// do not draw are skipped.
PictureLoad PlayWindowsMetafile(QByteArrayView bytes);

} // namespace centrafix
