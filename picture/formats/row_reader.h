#pragma once

#include "engine/error.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

class QIODevice;

namespace centrafix {

// A picture decoded a band of rows at a time, from the top, straight into
// working-copy words (0xFFRRGGBB, transparency composited onto white exactly
// as the whole-picture readers do). Only the rows asked for are ever held, so
// a picture of any height needs the memory of a few rows.
class RowReader {
public:
    virtual ~RowReader() = default;

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Decodes the next `count` rows into `out`, rows `stride` words apart.
    // An error (a damaged or cut file, memory) ends the reading; its subject
    // is the picture's name.
    virtual std::optional<Error> readRows(std::uint32_t* out, std::ptrdiff_t stride, int count) = 0;

protected:
    int m_width = 0;
    int m_height = 0;
};

// Why a picture of a size cannot be read this way; nothing when it can
// (PictureSizeProblem for a picture held whole, StreamedPictureSizeProblem for
// one measured as it is read).
using SizeRule = std::optional<Error> (*)(const QString& subject, qint64 width, qint64 height);

// The format of a picture by its first bytes: "bmp", "png", "jpeg", "gif",
// "tiff", or empty for none of these.
QByteArray SniffFormat(const QByteArray& head);

// A row reader for the picture on `device`, whose first bytes are `head`,
// with its header read: for PNG, JPEG, TIFF and uncompressed bitmaps of the
// kinds whose pixels come out exactly as Qt's readers give them. Null when
// the picture is left to the whole-picture readers (other formats and kinds,
// a device that cannot seek); the device is then back where it was. An error
// when the header is damaged or cut short, announces a size that `rule`
// refuses (judged for the kinds taken, before any pixel is read), or more
// pixels than the file's bytes can hold, or when the library had to mend the
// header (judged for every kind, Qt's too). `name` is the errors' subject.
Result<std::unique_ptr<RowReader>> OpenRowReader(QIODevice* device, const QByteArray& head, const QString& name,
                                                 SizeRule rule);

// What a format reader does with a picture whose header it has read.
enum class Taking { Rows, LeftToQt };

// A format reader opened on its header: the reader, nothing when it leaves
// the picture to the whole-picture readers, or the error. `Reader` is made
// from (device, name) and has `Result<Taking> open(SizeRule)`.
template <class Reader>
Result<std::unique_ptr<RowReader>> OpenFormatRows(QIODevice* device, const QString& name, SizeRule rule)
{
    auto reader = std::make_unique<Reader>(device, name);
    const Result<Taking> taking = reader->open(rule);
    if (!taking)
        return taking.error();
    if (*taking == Taking::LeftToQt)
        return std::unique_ptr<RowReader>();
    return std::unique_ptr<RowReader>(std::move(reader));
}

// The format readers behind OpenRowReader, each for a header it knows.
Result<std::unique_ptr<RowReader>> OpenPngRows(QIODevice* device, const QString& name, SizeRule rule);
Result<std::unique_ptr<RowReader>> OpenJpegRows(QIODevice* device, const QString& name, SizeRule rule);
Result<std::unique_ptr<RowReader>> OpenTiffRows(QIODevice* device, const QString& name, SizeRule rule);
// Scanners and most programs write plain 24-bit bitmaps; those (32-bit ones
// and colour-table ones too) are read straight from the file, several times
// faster than Qt's reader on big scans and not bound by its 16384 x 16384
// limit.
Result<std::unique_ptr<RowReader>> OpenBitmapRows(QIODevice* device, const QByteArray& head, const QString& name,
                                                  SizeRule rule);

} // namespace centrafix
