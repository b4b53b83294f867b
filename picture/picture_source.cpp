#include "picture/picture_source.h"

#include "example_bitmap.h"
#include "picture/files/local_path.h"
#include "picture/formats/bitmap_file.h"
#include "picture/formats/qt_decode.h"
#include "picture/formats/row_reader.h"
#include "picture/metafile/wmf_player.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <system_error>

namespace centrafix {

namespace {

// Metafiles are read whole; real ones are a few megabytes at most, and even
// one full of embedded bitmaps has no business being larger than this.
constexpr qint64 kMaxMetafileBytes = 256LL * 1024 * 1024;
// How long a pipe may keep us waiting for its next piece.
constexpr int kPipeWaitMs = 30'000;

constexpr Message kNoFileName{"der Dateiname des Bildes ist leer", "the picture's file name is empty"};
constexpr Message kNoSuchFile{"Datei nicht gefunden", "no such file"};
constexpr Message kIsFolder{"ist ein Ordner, keine Bilddatei", "is a folder, not a picture file"};
constexpr Message kIsFifo{"ist eine FIFO (benannte Pipe), keine Bilddatei",
                          "is a FIFO (named pipe), not a picture file"};
constexpr Message kIsSocket{"ist ein Socket, keine Bilddatei", "is a socket, not a picture file"};
constexpr Message kIsDevice{"ist ein Gerät, keine Bilddatei", "is a device, not a picture file"};
constexpr Message kNotRegular{"ist keine gewöhnliche Datei", "is not a regular file"};
constexpr Message kCannotOpen{"kann nicht geöffnet werden (%1)", "cannot be opened (%1)"};
constexpr Message kEmptyFile{"die Datei ist leer", "the file is empty"};
constexpr Message kNoData{"keine Bilddaten", "no picture data"};
constexpr Message kEnhancedMetafile{
    "eine erweiterte Metadatei (EMF), die nicht gelesen werden kann; bitte als Windows-Metadatei (WMF) "
    "oder Bitmap speichern",
    "an enhanced metafile (EMF), which cannot be read; save it as a Windows metafile (WMF) or a bitmap"};
constexpr Message kUnknownFormat{"weder Bitmap-, JPEG-, GIF-, PNG- oder TIFF-Bild noch Windows-Metadatei",
                                 "not a bitmap, JPEG, GIF, PNG or TIFF picture, nor a Windows metafile"};
constexpr Message kNotAMetafile{"keine Windows-Metadatei (kein Metadatei-Kopf)",
                                "not a Windows metafile (no metafile header)"};
constexpr Message kMetafileTooLarge{"eine Windows-Metadatei von %1 Bytes ist größer, als gelesen wird",
                                    "a Windows metafile of %1 bytes is larger than we read"};
constexpr Message kCannotRead{"kann nicht gelesen werden (%1)", "cannot be read (%1)"};
constexpr Message kMetafileGrew{"eine Windows-Metadatei über %1 Bytes ist mehr, als gelesen wird",
                                "a Windows metafile larger than %1 bytes is more than we read"};

bool LooksLikeEnhancedMetafile(const QByteArray& head)
{
    return head.size() >= 44 && qFromLittleEndian<quint32>(head.constData()) == 1 && head.mid(40, 4) == " EMF";
}

// Reads the rest of the device, holding no more memory than the bytes it
// has: a file's size is known before it is read, a pipe is read a piece at a
// time until it ends or passes the limit.
Result<QByteArray> ReadMetafileBytes(QIODevice* device, const QString& name)
{
    if (!device->isSequential() && device->size() > kMaxMetafileBytes)
        return PictureError(name, ErrorArg(kMetafileTooLarge, {std::to_string(device->size())}));
    constexpr qint64 kPiece = 1 << 20;
    QByteArray bytes;
    // One byte past the size: the read that finds the end.
    if (!device->isSequential())
        bytes.reserve(static_cast<qsizetype>(device->bytesAvailable() + 1));
    for (;;) {
        const qsizetype at = bytes.size();
        const qint64 known = device->isSequential() ? kPiece : device->bytesAvailable();
        const qint64 wanted = std::min({std::max<qint64>(known, 1), kPiece, kMaxMetafileBytes + 1 - at});
        bytes.resize(at + wanted);
        const qint64 got = device->read(bytes.data() + at, wanted);
        bytes.resize(at + std::max<qint64>(got, 0));
        if (got < 0)
            return PictureError(name, ErrorArg(kCannotRead, {device->errorString().toStdString()}));
        if (bytes.size() > kMaxMetafileBytes)
            return PictureError(name, ErrorArg(kMetafileGrew, {std::to_string(kMaxMetafileBytes)}));
        if (got == 0 && !(device->isSequential() && device->waitForReadyRead(kPipeWaitMs)))
            return bytes;
    }
}

PictureLoad PlayMetafile(QIODevice* device, const QString& name)
{
    const Result<QByteArray> bytes = ReadMetafileBytes(device, name);
    if (!bytes)
        return bytes.error();
    PictureLoad played = PlayWindowsMetafile(*bytes);
    if (played)
        return played;
    Error error = played.error();
    error.subject = name.toStdString();
    return error;
}

// A picture a row reader delivers, read whole into a working copy.
PictureLoad ReadWholePicture(RowReader& reader, const QString& name)
{
    QImage image(reader.width(), reader.height(), QImage::Format_RGB32);
    if (image.isNull())
        return PictureMemoryError(name);
    auto* bits = reinterpret_cast<std::uint32_t*>(image.bits());
    if (std::optional<Error> error = reader.readRows(bits, image.bytesPerLine() / 4, image.height()))
        return *error;
    return image;
}

// Each format by its reader, decided from the first bytes, `head`.
PictureLoad DecodeByContent(QIODevice* device, const QByteArray& head, const QString& name)
{
    if (head.isEmpty())
        return PictureError(name, kNoData);
    if (LooksLikeWindowsMetafile(head))
        return PlayMetafile(device, name);
    if (LooksLikeEnhancedMetafile(head))
        return PictureError(name, kEnhancedMetafile);
    const QByteArray format = SniffFormat(head);
    if (format.isEmpty())
        return PictureError(name, kUnknownFormat);
    if (format == "bmp") {
        if (const std::optional<BmpHeader> header = ReadBmpFileHeader(head)) {
            if (ReadsOwnBitmap(*header))
                return ReadOwnBitmap(device, *header, name);
            if (std::optional<Error> problem = BitmapFileProblem(name, *header, *device))
                return *problem;
        }
        return DecodeWithQt(device, format, name);
    }
    Result<std::unique_ptr<RowReader>> rows = OpenRowReader(device, head, name, StreamablePictureSizeProblem);
    if (!rows)
        return rows.error();
    if (*rows)
        return ReadWholePicture(**rows, name);
    return DecodeWithQt(device, format, name);
}

// What the path names when it is not a file we can read as a picture: a
// FIFO would block the read for ever, a device such as /dev/zero never end it.
std::optional<Error> NotAPictureFile(const QString& path)
{
    std::error_code failure;
    const std::filesystem::file_status status =
        std::filesystem::status(std::filesystem::path(FileNameBytes(path).toStdString()), failure);
    switch (status.type()) {
    case std::filesystem::file_type::regular: return std::nullopt;
    case std::filesystem::file_type::directory: return PictureError(path, kIsFolder);
    case std::filesystem::file_type::fifo: return PictureError(path, kIsFifo);
    case std::filesystem::file_type::socket: return PictureError(path, kIsSocket);
    case std::filesystem::file_type::block:
    case std::filesystem::file_type::character: return PictureError(path, kIsDevice);
    case std::filesystem::file_type::not_found: return PictureError(path, kNoSuchFile);
    default: break;
    }
    if (failure) // a folder on the way that may not be searched, say
        return PictureError(path, ErrorArg(kCannotOpen, {failure.message()}));
    return PictureError(path, kNotRegular);
}

} // namespace

PictureLoad DecodePicture(QIODevice* device, const QString& name)
{
    const QByteArray head = device->peek(64);
    PictureLoad load = [&]() -> PictureLoad {
        try {
            return DecodeByContent(device, head, name);
        } catch (const std::bad_alloc&) {
            return PictureMemoryError(name);
        }
    }();
    // The name only speaks where the content does not: an enhanced metafile
    // says so whatever it is called.
    const bool metafileByName = QFileInfo(name).suffix().compare(QLatin1String("wmf"), Qt::CaseInsensitive) == 0;
    if (!load && load.error().kind != ErrorKind::OutOfMemory && metafileByName && !LooksLikeWindowsMetafile(head) &&
        !LooksLikeEnhancedMetafile(head))
        return PictureError(name, kNotAMetafile);
    return load;
}

Result<std::unique_ptr<QFile>> OpenPictureFile(const QString& path)
{
    if (path.isEmpty())
        return PictureError(path, kNoFileName);
    if (std::optional<Error> problem = NotAPictureFile(path))
        return *std::move(problem);
    // By the name's own bytes: one in another encoding than UTF-8 is found.
    auto file = std::make_unique<QFile>();
    if (std::optional<Error> failed = OpenForReading(*file, path))
        return PictureError(path, ErrorArg(kCannotOpen, {ReasonOf(*failed)}));
    if (file->size() == 0)
        return PictureError(path, kEmptyFile);
    return file;
}

bool NeedsWholePicture(const QString& name, const QByteArray& head)
{
    // A ".wmf" that is none is refused by its name when its reading fails,
    // which the whole-picture path decides.
    return LooksLikeWindowsMetafile(head) || LooksLikeEnhancedMetafile(head) ||
           QFileInfo(name).suffix().compare(QLatin1String("wmf"), Qt::CaseInsensitive) == 0;
}

PictureLoad LoadPictureFile(const QString& path)
{
    return LoadPictureFile(path, PlanPageChoice{});
}

PictureLoad LoadPictureFile(const QString& path, const PlanPageChoice& plan)
{
    const Result<std::unique_ptr<QFile>> file = OpenPictureFile(path);
    if (!file)
        return file.error();
    if (IsPlanDocument(path, (*file)->peek(1024)))
        return RenderPlanPage(path, plan.page, plan.dpi);
    return DecodePicture(file->get(), path);
}

QImage ExamplePicture()
{
    const std::span<const unsigned char> bytes = ExampleBitmapBytes();
    const QImage decoded = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP");
    return ToWorkingCopy(decoded);
}

} // namespace centrafix
