#include "batch_files.h"

#include <QImageWriter>
#include <QSaveFile>

namespace centrafix {
namespace {

constexpr Message kCannotWriteAnnotated{"das beschriftete Bild kann nicht geschrieben werden (%1)",
                                        "cannot write the annotated picture (%1)"};
constexpr Message kCannotWriteTable{"die Tabelle der Auftriebsverteilung kann nicht geschrieben werden (%1)",
                                    "cannot write the loading table (%1)"};

Error WriteError(const QString& path, const Message& reason, const QString& systemReason)
{
    return Described(path.toStdString(), reason, {systemReason.toStdString()});
}

} // namespace

std::optional<Error> WriteAnnotatedPicture(const QString& path, const QImage& image)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return WriteError(path, kCannotWriteAnnotated, file.errorString());
    QImageWriter writer(&file, "png");
    if (!writer.write(image))
        return WriteError(path, kCannotWriteAnnotated, writer.errorString());
    if (!file.commit())
        return WriteError(path, kCannotWriteAnnotated, file.errorString());
    return std::nullopt;
}

std::optional<Error> WriteLoadingTable(const QString& path, const std::string& table)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray::fromStdString(table)) < 0 || !file.commit())
        return WriteError(path, kCannotWriteTable, file.errorString());
    return std::nullopt;
}

} // namespace centrafix
