#pragma once

#include "picture/metafile/wmf_records.h"
#include "picture/metafile/wmf_state.h"

#include <QFont>
#include <QString>

namespace centrafix::wmf {

// The font a CreateFontIndirect record describes: nine words of sizes and
// flags, then the face name of up to 32 bytes.
LogicalFont ReadLogicalFont(const Record& r);

// The Qt font that draws `font` where a logical unit is `scaleX` by `scaleY`
// pixels, its edges not smoothed: text keeps the one colour it was drawn in.
// Fonts need a QGuiApplication (FontsAvailable).
QFont DeviceFont(const LogicalFont& font, double scaleX, double scaleY);

// Whether fonts can be had: only a QGuiApplication brings the font database.
bool FontsAvailable();

// Text as metafiles store it: one byte a character, in the Windows code page
// of Western Europe (Latin-1 with printable characters in 0x80-0x9F).
QString DecodeAnsi(QByteArrayView bytes);

} // namespace centrafix::wmf
