#pragma once

#include "picture_source.h"

class QMimeData;

namespace centrafix {

// The picture offered by clipboard data, as a working copy; an error when the
// data holds no image (the caller shows message 134) or one that is too large.
PictureLoad PictureFromMimeData(const QMimeData* data);

} // namespace centrafix
