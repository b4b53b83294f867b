#pragma once

#include "engine/error.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QFile;

namespace centrafix {

// File names are bytes to the system, and Qt reads them as UTF-8: a name
// written in another encoding (an old Latin-1 "Flügel.png") would turn into
// U+FFFD and name a file that does not exist. Such a byte is kept in the
// QString as a lone surrogate U+DC80 to U+DCFF, as Python keeps it, and turned
// back into the byte where the file is opened. A name in UTF-8 reads exactly
// as QString::fromLocal8Bit reads it.
QString FileNameFromBytes(const QByteArray& bytes);
QByteArray FileNameBytes(const QString& name);

// Opens `file` for reading by the very bytes of `name`; the system's reason
// (Because) when it cannot be opened.
std::optional<Error> OpenForReading(QFile& file, const QString& name);

} // namespace centrafix
