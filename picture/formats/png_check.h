#pragma once

#include <string>
#include <vector>

class QByteArray;
class QIODevice;

namespace centrafix {

// What libpng finds reading a PNG through, pixels and end chunk, as Qt's
// reader reads it.
struct PngCheck {
    bool damaged = false;          // libpng gave up on it
    bool cutShort = false;         // the file ended before libpng did
    std::vector<std::string> said; // libpng's warnings and its error, in order
};

// Qt's PNG reader leaves libpng's errors to libpng's own handler, which
// prints them on the process's standard error. Read through first with
// handlers of our own, a file libpng cannot read is refused in its words and
// never reaches Qt's reader; libpng is deterministic, so one that passes
// passes Qt's reader too. Reads `device` from where it is to the PNG's end;
// what it read is added to `copy` unless that is null (a device read once
// through is read again from the copy).
PngCheck CheckPngData(QIODevice& device, QByteArray* copy);

} // namespace centrafix
