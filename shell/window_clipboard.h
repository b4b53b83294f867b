#pragma once

class QImage;
class QString;

namespace centrafix {

// Puts a copy on the system clipboard in place of whatever it held, so that
// no format of an older copy is left next to the new one.
void PutOnClipboard(const QString& text);
void PutOnClipboard(const QImage& image);

} // namespace centrafix
