#include "picture/files/atomic_file.h"

#include "picture/files/local_path.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
// special files, and whatever already exists and is not a plain file or a
// folder.
bool WriteStraightInto(const QString& path, const struct stat* existing)
{
    if (path.startsWith(QLatin1String("/dev/")) || path.startsWith(QLatin1String("/proc/")))
        return true;
    return existing && !S_ISREG(existing->st_mode) && !S_ISDIR(existing->st_mode);
}

QString SystemText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
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

// What QSaveFile does, for a name it cannot spell: the content goes to a new
// file beside the old one, reaches the disk, and then takes the old one's
// place (and its permissions) in one rename.
std::optional<Error> WriteBesideByBytes(const QString& path, const QByteArray& bytes, const struct stat* existing,
                                        const Message& cannotWrite, const ContentWriter& write)
{
    const qsizetype slash = bytes.lastIndexOf('/');
    QByteArray part = bytes.left(slash + 1) + ".centrafix-XXXXXX";
    const int fd = ::mkostemp(part.data(), O_CLOEXEC);
    if (fd < 0)
        return WriteError(path, cannotWrite, SystemText(errno), errno);
    if (existing) {
        ::fchmod(fd, existing->st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    QFile file;
    QString why;
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        ::unlink(part.constData());
        return WriteError(path, cannotWrite, file.errorString());
    }
    int cause = 0;
    bool done = Written(file, write, why, cause);
    if (done && ::fsync(fd) != 0) {
        cause = errno;
        why = SystemText(cause);
        done = false;
    }
    file.close();
    if (done && ::rename(part.constData(), bytes.constData()) != 0) {
        cause = errno;
        why = SystemText(cause);
        done = false;
    }
    if (done)
        return std::nullopt;
    ::unlink(part.constData());
    return WriteError(path, cannotWrite, why, cause);
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
    // By the name's own bytes, which need not be UTF-8 (see FileNameFromBytes).
    const QByteArray bytes = FileNameBytes(path);
    struct stat info {};
    const bool exists = ::stat(bytes.constData(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode))
        return WriteError(path, cannotWrite, SystemText(EISDIR));
    QString why;
    int cause = 0;
    if (WriteStraightInto(path, exists ? &info : nullptr)) {
        const int fd = ::open(bytes.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0)
            return WriteError(path, cannotWrite, SystemText(errno), errno);
        // Appending is the descriptor's; Qt's Append would seek, which a FIFO cannot.
        QFile file;
        if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            return WriteError(path, cannotWrite, file.errorString());
        }
        if (!Written(file, write, why, cause))
            return WriteError(path, cannotWrite, why.isEmpty() ? file.errorString() : why, cause);
        return std::nullopt;
    }
    if (bytes != QFile::encodeName(path))
        return WriteBesideByBytes(path, bytes, exists ? &info : nullptr, cannotWrite, write);
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
