#pragma once

#include "picture/formats/picture_load.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace centrafix {

// Decodes the rest of `device` with Qt's reader for `format` ("png",
// "jpeg", ...) into a working copy. Refuses from the header alone what is too
// large, before any pixel memory exists; refuses a file that ends before its
// picture does (Qt's readers fill what is missing and call it a success);
// tells a machine short of memory from a damaged file; and keeps the
// libraries' remarks off the terminal, quoting them when they explain a
// refusal. `name` is the error's subject.
PictureLoad DecodeWithQt(QIODevice* device, const QByteArray& format, const QString& name);

} // namespace centrafix
