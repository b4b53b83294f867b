#include "atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace centrafix {
namespace {

Error WriteError(const QString& path, const Message& cannotWrite, const QString& why)
{
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

bool Written(QFileDevice& file, const ContentWriter& write, QString& why)
{
    if (!write(file, why)) {
        if (why.isEmpty())
            why = file.errorString();
        return false;
    }
    // A full disk shows only when the buffered bytes are handed over; commit()
    // of this Qt version would not say so.
    if (!file.flush() || file.error() != QFileDevice::NoError) {
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
    // Qt reports a short write without an error of its own; the system's
    // reason is still in errno.
    const int cause = errno != 0 ? errno : EIO;
    why = written < 0 && !device.errorString().isEmpty() ? device.errorString()
                                                         : QString::fromLocal8Bit(std::strerror(cause));
    return false;
}

std::optional<Error> WriteFileSafely(const QString& path, const Message& cannotWrite,
                                     const ContentWriter& write)
{
    const QFileInfo info(path);
    if (info.isDir())
        return WriteError(path, cannotWrite, QString::fromLocal8Bit(std::strerror(EISDIR)));
    QString why;
    if (WriteStraightInto(path, info)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || !Written(file, write, why))
            return WriteError(path, cannotWrite, why.isEmpty() ? file.errorString() : why);
        return std::nullopt;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return WriteError(path, cannotWrite, file.errorString());
    if (!Written(file, write, why)) {
        file.cancelWriting();
        return WriteError(path, cannotWrite, why);
    }
    if (!file.commit())
        return WriteError(path, cannotWrite, file.errorString());
    return std::nullopt;
}

} // namespace centrafix
