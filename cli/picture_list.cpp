#include "picture_list.h"

#include "picture/local_path.h"

#include <QFile>

#include <memory>

namespace centrafix {
namespace {

constexpr Message kCannotReadList{"die Liste der Bilder kann nicht gelesen werden (%1)",
                                  "cannot read the list of pictures (%1)"};
constexpr Message kLineTooLong{"Zeile %1 der Liste der Bilder ist länger als %2 Bytes",
                               "line %1 of the list of pictures is longer than %2 bytes"};
constexpr Message kListTooLarge{"die Liste der Bilder ist größer als %1 MiB", "the list of pictures is larger than %1 MiB"};
constexpr Message kTooManyPictures{"mehr als %1 Bilder in einem Lauf", "more than %1 pictures in one run"};
constexpr Message kNoPictures{"keine Bilder zu analysieren", "no pictures to analyse"};

Error TooManyPictures()
{
    return Described({}, kTooManyPictures, {std::to_string(kMaxPictures)});
}

// Reads one list into `pictures`, a line at a time, so a list without end
// stops at a limit instead of at the machine's memory.
std::optional<Error> ReadList(QFile& device, const std::string& name, QStringList& pictures)
{
    qsizetype total = 0;
    for (qsizetype lineNumber = 1;; ++lineNumber) {
        // One byte more than a line may hold tells a line that is too long.
        QByteArray line = device.readLine(kMaxListLineBytes + 2);
        if (line.isEmpty()) {
            if (device.error() == QFileDevice::NoError)
                return std::nullopt;
            return Described(name, kCannotReadList, {device.errorString().toStdString()});
        }
        total += line.size();
        if (total > kMaxListBytes)
            return Described(name, kListTooLarge, {std::to_string(kMaxListBytes >> 20)});
        if (line.endsWith('\n'))
            line.chop(1);
        else if (line.size() > kMaxListLineBytes || !device.atEnd())
            return Described(name, kLineTooLong, {std::to_string(lineNumber), std::to_string(kMaxListLineBytes)});
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.size() > kMaxListLineBytes)
            return Described(name, kLineTooLong, {std::to_string(lineNumber), std::to_string(kMaxListLineBytes)});
        if (line.isEmpty())
            continue;
        if (pictures.size() >= kMaxPictures)
            return TooManyPictures();
        pictures << FileNameFromBytes(line);
    }
}

std::optional<Error> ReadListFile(const QString& name, QStringList& pictures)
{
    QFile file;
    QString why;
    const bool opened = name == "-" ? file.open(stdin, QIODevice::ReadOnly) : OpenForReading(file, name, why);
    if (!opened)
        return Described(name.toStdString(), kCannotReadList, {(why.isEmpty() ? file.errorString() : why).toStdString()});
    return ReadList(file, name.toStdString(), pictures);
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
    return pictures;
}

} // namespace centrafix
