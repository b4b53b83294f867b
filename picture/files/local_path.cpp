#include "picture/files/local_path.h"

#include <QFile>
#include <QUtf8StringView>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace centrafix {
namespace {

constexpr char16_t kEscapedByte = 0xDC00;

// How many bytes from `at` spell one character in UTF-8; 0 when they spell
// none (a byte no character starts with, a sequence cut or overlong).
qsizetype CharacterLength(QByteArrayView bytes, qsizetype at)
{
    for (qsizetype length = 1; length <= 4 && at + length <= bytes.size(); ++length) {
        if (QUtf8StringView(bytes.sliced(at, length)).isValidUtf8())
            return length;
    }
    return 0;
}

bool IsEscapedByte(const QString& name, qsizetype i)
{
    const char16_t c = name[i].unicode();
    // A low surrogate after a high one is half of a character beyond U+FFFF.
    return c >= kEscapedByte + 0x80 && c <= kEscapedByte + 0xFF && (i == 0 || !name[i - 1].isHighSurrogate());
}

} // namespace

QString FileNameFromBytes(const QByteArray& bytes)
{
    if (QUtf8StringView(bytes).isValidUtf8())
        return QString::fromUtf8(bytes);
    QString name;
    name.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype length = CharacterLength(bytes, i);
        if (length > 0) {
            name += QString::fromUtf8(QByteArrayView(bytes).sliced(i, length));
            i += length;
        } else {
            name += QChar(static_cast<char16_t>(kEscapedByte + static_cast<unsigned char>(bytes[i])));
            ++i;
        }
    }
    return name;
}

QByteArray FileNameBytes(const QString& name)
{
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!IsEscapedByte(name, i))
            continue;
        bytes += QStringView(name).sliced(start, i - start).toUtf8();
        bytes += static_cast<char>(name[i].unicode() - kEscapedByte);
        start = i + 1;
    }
    return bytes + QStringView(name).sliced(start).toUtf8();
}

std::optional<Error> OpenForReading(QFile& file, const QString& name)
{
    const int fd = ::open(FileNameBytes(name).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Because(QString::fromLocal8Bit(std::strerror(errno)).toStdString());
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Because(file.errorString().toStdString());
    }
    return std::nullopt;
}

} // namespace centrafix
