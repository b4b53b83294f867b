#include "batch_files.h"

#include "picture/files/atomic_file.h"
#include "picture/files/png_write.h"

#include <QIODevice>

namespace centrafix {
namespace {

constexpr Message kCannotWriteAnnotated{"das beschriftete Bild kann nicht geschrieben werden (%1)",
                                        "cannot write the annotated picture (%1)"};
constexpr Message kCannotWriteWorkingPicture{"das bearbeitete Bild kann nicht geschrieben werden (%1)",
                                             "cannot write the working picture (%1)"};
constexpr Message kCannotWriteTable{"die Tabelle der Auftriebsverteilung kann nicht geschrieben werden (%1)",
                                    "cannot write the loading table (%1)"};

} // namespace

std::optional<Error> WriteAnnotatedPicture(const QString& path, const QImage& image)
{
    return WriteFileSafely(path, kCannotWriteAnnotated,
                           [&image](QIODevice& device) { return WritePng(device, image); });
}

std::optional<Error> WriteWorkingPicture(const QString& path, const QImage& image)
{
    return WriteFileSafely(path, kCannotWriteWorkingPicture,
                           [&image](QIODevice& device) { return WritePng(device, image); });
}

std::optional<Error> WriteLoadingTable(const QString& path, const LoadingTable& table)
{
    return WriteFileSafely(path, kCannotWriteTable, [&table](QIODevice& device) {
        std::optional<Error> failure;
        table.write([&](std::string_view piece) {
            failure = WriteAll(device, piece.data(), static_cast<qint64>(piece.size()));
            return !failure;
        });
        return failure;
    });
}

} // namespace centrafix
