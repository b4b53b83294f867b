#pragma once

#include "picture/formats/picture_load.h"

class QMimeData;

namespace centrafix {

// The picture offered by clipboard data, as a working copy; an error (no
// subject, its reason names the clipboard) when the data holds no image or
// one that cannot be taken.
PictureLoad PictureFromMimeData(const QMimeData* data);

} // namespace centrafix
