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

Error WriteError(const QString& path, const Message& cannotWrite, ErrorArg reason)
{
    return Described(path.toStdString(), cannotWrite, {std::move(reason)});
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

// Why the content did not reach the file, if it did not.
std::optional<Error> Written(QFileDevice& file, const ContentWriter& write)
{
    if (std::optional<Error> failed = write(file))
        return failed;
    // A full disk shows only when the buffered bytes are handed over; commit()
    // of this Qt version would not say so.
    errno = 0;
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return Because(QtReason(file.errorString(), errno));
    return std::nullopt;
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
        return WriteError(path, cannotWrite, SystemReason(errno));
    if (existing) {
        ::fchmod(fd, existing->st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        ::unlink(part.constData());
        return WriteError(path, cannotWrite, file.errorString().toStdString());
    }
    std::optional<Error> failed = Written(file, write);
    if (!failed && ::fsync(fd) != 0)
        failed = Because(SystemReason(errno));
    file.close();
    if (!failed && ::rename(part.constData(), bytes.constData()) != 0)
        failed = Because(SystemReason(errno));
    if (!failed)
        return std::nullopt;
    ::unlink(part.constData());
    return WriteError(path, cannotWrite, ReasonOf(*failed));
}

} // namespace

std::optional<Error> WriteAll(QIODevice& device, const char* bytes, qint64 size)
{
    errno = 0;
    const qint64 written = device.write(bytes, size);
    if (written == size)
        return std::nullopt;
    // Qt reports a short write without an error of its own, and a refused one
    // at times as "Unknown error"; the system's reason is still in errno.
    const int cause = errno;
    if (cause == 0 && written < 0 && !device.errorString().isEmpty())
        return Because(device.errorString().toStdString());
    return Because(SystemReason(cause != 0 ? cause : EIO));
}

ErrorArg QtReason(const QString& text, int cause)
{
    if (cause == EFBIG || cause == ENOSPC || (cause != 0 && (text.isEmpty() || text == QLatin1String("Unknown error"))))
        return SystemReason(cause);
    return text.toStdString();
}

ErrorArg SystemReason(int code)
{
    switch (code) {
    case ENOSPC: return ErrorArg(kDiskFull);
    case EFBIG: return ErrorArg(kFileTooLarge);
    default: return ErrorArg(std::string(std::strerror(code)));
    }
}

std::optional<Error> WriteFileSafely(const QString& path, const Message& cannotWrite, const ContentWriter& write)
{
    // By the name's own bytes, which need not be UTF-8 (see FileNameFromBytes).
    const QByteArray bytes = FileNameBytes(path);
    struct stat info {};
    const bool exists = ::stat(bytes.constData(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode))
        return WriteError(path, cannotWrite, SystemReason(EISDIR));
    if (WriteStraightInto(path, exists ? &info : nullptr)) {
        const int fd = ::open(bytes.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0)
            return WriteError(path, cannotWrite, SystemReason(errno));
        // Appending is the descriptor's; Qt's Append would seek, which a FIFO cannot.
        QFile file;
        if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            return WriteError(path, cannotWrite, file.errorString().toStdString());
        }
        if (std::optional<Error> failed = Written(file, write))
            return WriteError(path, cannotWrite, ReasonOf(*failed));
        return std::nullopt;
    }
    if (bytes != QFile::encodeName(path))
        return WriteBesideByBytes(path, bytes, exists ? &info : nullptr, cannotWrite, write);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return WriteError(path, cannotWrite, file.errorString().toStdString());
    if (std::optional<Error> failed = Written(file, write)) {
        file.cancelWriting();
        return WriteError(path, cannotWrite, ReasonOf(*failed));
    }
    errno = 0;
    if (!file.commit())
        return WriteError(path, cannotWrite, QtReason(file.errorString(), errno));
    return std::nullopt;
}

} // namespace centrafix
