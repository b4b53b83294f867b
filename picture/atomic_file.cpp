#include "atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace centrafix {
namespace {

constexpr Message kDiskFull{"kein Platz mehr auf dem Datenträger", "no space left on the disk"};
constexpr Message kFileTooLarge{"Datei zu groß", "file too large"};

// Why a step failed: the system's own error where it names one this
// program words itself, else the text the step gave (Qt's or the writer's).
// Qt says "Unknown error" for a write the system refused for a reason it did
// not keep, so the system's error goes first.
Error WriteError(const QString& path, const Message& cannotWrite, const QString& why, int cause = 0)
{
    if (cause == EFBIG || cause == ENOSPC || (cause != 0 && (why.isEmpty() || why == QLatin1String("Unknown error"))))
        return Described(path.toStdString(), cannotWrite, {SystemReason(cause)});
    return Described(path.toStdString(), cannotWrite, {why.toStdString()});
}

// Paths whose files must never be swapped for a new one: the system's own
// special files, and whatever already exists and is not a plain file.
bool WriteStraightInto(const QString& path, const QFileInfo& info)
{
    if (path.startsWith(QLatin1String("/dev/")) || path.startsWith(QLatin1String("/proc/")))
        return true;
    return info.exists() && !info.isFile() && !info.isDir();
}

// `cause` is the system's error of the failed step, 0 when it set none.
bool Written(QFileDevice& file, const ContentWriter& write, QString& why, int& cause)
{
    errno = 0;
    if (!write(file, why)) {
        cause = errno;
        if (why.isEmpty())
            why = file.errorString();
        return false;
    }
    // A full disk shows only when the buffered bytes are handed over; commit()
    // of this Qt version would not say so.
    errno = 0;
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        cause = errno;
        why = file.errorString();
        return false;
    }
    return true;
}

} // namespace

bool WriteAll(QIODevice& device, const char* bytes, qint64 size, QString& why)
{
    errno = 0;
    const qint64 written = device.write(bytes, size);
    if (written == size)
        return true;
    // Qt reports a short write without an error of its own, and a refused one
    // at times as "Unknown error"; the system's reason is still in errno.
    const int cause = errno;
    why = cause == 0 && written < 0 && !device.errorString().isEmpty()
              ? device.errorString()
              : QString::fromLocal8Bit(std::strerror(cause != 0 ? cause : EIO));
    errno = cause;
    return false;
}

ErrorArg SystemReason(int code)
{
    switch (code) {
    case ENOSPC: return ErrorArg(kDiskFull);
    case EFBIG: return ErrorArg(kFileTooLarge);
    default: return ErrorArg(std::string(std::strerror(code)));
    }
}

std::optional<Error> WriteFileSafely(const QString& path, const Message& cannotWrite,
                                     const ContentWriter& write)
{
    const QFileInfo info(path);
    if (info.isDir())
        return WriteError(path, cannotWrite, QString::fromLocal8Bit(std::strerror(EISDIR)));
    QString why;
    int cause = 0;
    if (WriteStraightInto(path, info)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
            return WriteError(path, cannotWrite, file.errorString());
        if (!Written(file, write, why, cause))
            return WriteError(path, cannotWrite, why.isEmpty() ? file.errorString() : why, cause);
        return std::nullopt;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return WriteError(path, cannotWrite, file.errorString());
    if (!Written(file, write, why, cause)) {
        file.cancelWriting();
        return WriteError(path, cannotWrite, why, cause);
    }
    errno = 0;
    if (!file.commit()) {
        cause = errno;
        return WriteError(path, cannotWrite, file.errorString(), cause);
    }
    return std::nullopt;
}

} // namespace centrafix
