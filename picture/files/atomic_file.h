#pragma once

#include "engine/error.h"

#include <QString>

#include <functional>
#include <optional>

class QIODevice;

namespace centrafix {

// Writes a file so that nothing the user had is lost: a regular file (or a
// new path) is written beside the old one and takes its place only once every
// byte has reached the disk, so a full disk or a failed write leaves the old
// file byte for byte. A FIFO, a device or a path under /dev or /proc
// ("/dev/stdout", "/dev/null") is written straight into and never replaced.
//
// `write` puts the content on the device and returns false when it could
// not (its own reason, if any, in `why`). A failure is `cannotWrite` about
// the file, with the system's reason as "%1".
using ContentWriter = std::function<bool(QIODevice& device, QString& why)>;
std::optional<Error> WriteFileSafely(const QString& path, const Message& cannotWrite,
                                     const ContentWriter& write);

// Writes all of `bytes` to `device`; false with the system's reason in
// `why` when it takes fewer (a short write is how a full disk shows).
bool WriteAll(QIODevice& device, const char* bytes, qint64 size, QString& why);

// The system's reason for a failed write (an errno value) as the user reads
// it: a full disk and a file-size limit in the user's language, anything
// rarer as the system words it.
ErrorArg SystemReason(int code);

} // namespace centrafix
