#include "picture_list.h"

#include "picture/files/local_path.h"

#include <cerrno>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace centrafix {
namespace {

constexpr Message kProjectInList{"%1: ein Projekt (.cfx) wird allein analysiert, nicht unter mehreren Bildern.",
                                 "%1: a project (.cfx) is analyzed on its own, not among several pictures."};
constexpr Message kCannotReadList{"die Liste der Bilder kann nicht gelesen werden (%1)",
                                  "cannot read the list of pictures (%1)"};
constexpr Message kLineTooLong{"Zeile %1 der Liste der Bilder ist länger als %2 Bytes",
                               "line %1 of the list of pictures is longer than %2 bytes"};
constexpr Message kListTooLarge{"die Liste der Bilder ist größer als %1 MiB",
                                "the list of pictures is larger than %1 MiB"};
constexpr Message kTooManyPictures{"mehr als %1 Bilder in einem Lauf", "more than %1 pictures in one run"};
constexpr Message kNoPictures{"keine Bilder zu analysieren", "no pictures to analyze"};

Error TooManyPictures()
{
    return Described({}, kTooManyPictures, {std::to_string(kMaxPictures)});
}

// Lines of one list as they arrive, each checked against the limits as
// soon as it is known, so a list without end stops at a limit instead of at
// the machine's memory.
class ListLines {
public:
    ListLines(std::string name, QStringList& pictures) : m_name(std::move(name)), m_pictures(pictures) {}

    std::optional<Error> add(const char* bytes, qsizetype size)
    {
        m_total += size;
        if (m_total > kMaxListBytes)
            return Described(m_name, kListTooLarge, {std::to_string(kMaxListBytes >> 20)});
        while (size > 0) {
            const char* end = static_cast<const char*>(std::memchr(bytes, '\n', static_cast<std::size_t>(size)));
            const qsizetype piece = end ? end - bytes : size;
            m_line.append(bytes, piece);
            // A CR before the line break is no part of the name.
            if (m_line.size() > kMaxListLineBytes + 1)
                return tooLong();
            if (!end)
                return std::nullopt;
            if (std::optional<Error> error = endLine())
                return error;
            bytes += piece + 1;
            size -= piece + 1;
        }
        return std::nullopt;
    }

    std::optional<Error> finish() { return m_line.isEmpty() ? std::nullopt : endLine(); }

private:
    std::optional<Error> endLine()
    {
        if (m_line.endsWith('\r'))
            m_line.chop(1);
        if (m_line.size() > kMaxListLineBytes)
            return tooLong();
        ++m_lineNumber;
        if (!m_line.isEmpty()) {
            if (m_pictures.size() >= kMaxPictures)
                return TooManyPictures();
            m_pictures << FileNameFromBytes(m_line);
        }
        m_line.clear();
        return std::nullopt;
    }

    Error tooLong() const
    {
        return Described(m_name, kLineTooLong, {std::to_string(m_lineNumber), std::to_string(kMaxListLineBytes)});
    }

    std::string m_name;
    QStringList& m_pictures;
    QByteArray m_line;
    qsizetype m_total = 0;
    qsizetype m_lineNumber = 1;
};

std::optional<Error> ReadList(int fd, const std::string& name, QStringList& pictures)
{
    ListLines lines(name, pictures);
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Described(name, kCannotReadList, {std::string(std::strerror(errno))});
        if (got == 0)
            return lines.finish();
        if (std::optional<Error> error = lines.add(buffer, got))
            return error;
    }
}

std::optional<Error> ReadListFile(const QString& name, QStringList& pictures)
{
    if (name == QLatin1String("-"))
        return ReadList(STDIN_FILENO, name.toStdString(), pictures);
    // By the name's own bytes, as a picture is opened.
    const int fd = ::open(FileNameBytes(name).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Described(name.toStdString(), kCannotReadList, {std::string(std::strerror(errno))});
    std::optional<Error> error = ReadList(fd, name.toStdString(), pictures);
    ::close(fd);
    return error;
}

} // namespace

Result<QStringList> PictureList(const BatchOptions& options)
{
    QStringList pictures;
    for (const QString& argument : options.picturePaths) {
        if (argument == "-") {
            if (std::optional<Error> error = ReadListFile(argument, pictures))
                return *error;
        } else if (pictures.size() >= kMaxPictures) {
            return TooManyPictures();
        } else {
            pictures << argument;
        }
    }
    if (!options.filesFrom.isEmpty()) {
        if (std::optional<Error> error = ReadListFile(options.filesFrom, pictures))
            return *error;
    }
    if (pictures.isEmpty())
        return Described({}, kNoPictures);
    // The workers read pictures; a project's values would be lost on them.
    for (const QString& picture : pictures) {
        if (IsProjectPath(picture))
            return Described({}, kProjectInList, {picture.toStdString()});
    }
    return pictures;
}

} // namespace centrafix
