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
// `write` puts the content on the device and returns why it could not, if
// it could not: a reason not yet about the file (Because). A failure is
// `cannotWrite` about the file, with the reason as "%1".
using ContentWriter = std::function<std::optional<Error>(QIODevice& device)>;
std::optional<Error> WriteFileSafely(const QString& path, const Message& cannotWrite, const ContentWriter& write);

// Writes all of `bytes` to `device`; the system's reason when it takes fewer
// (a short write is how a full disk shows).
std::optional<Error> WriteAll(QIODevice& device, const char* bytes, qint64 size);

// Why a step Qt took failed: `text` as Qt words it, unless the system's error
// `cause` (0 for none) says more. Qt says "Unknown error" for a write the
// system refused for a reason it did not keep.
ErrorArg QtReason(const QString& text, int cause);

// The system's reason for a failed write (an errno value) as the user reads
// it: a full disk and a file-size limit in the user's language, anything
// rarer as the system words it.
ErrorArg SystemReason(int code);

} // namespace centrafix
