#include "picture/formats/bitmap_file.h"

#include "picture/formats/bmp_pixels.h"
#include "picture/formats/bmp_rle.h"
#include "picture/formats/picture_load.h"
#include "picture/formats/row_reader.h"

#include <QIODevice>

#include <algorithm>
#include <new>
#include <string>

namespace centrafix {

namespace {

constexpr Message kBeyondReader{
    "%1 x %2 Pixel sind mehr, als der Bitmap-Leser verarbeitet (%3 Megapixel); bitte als PNG oder TIFF speichern",
    "%1 x %2 pixels is more than the bitmap reader handles (%3 megapixels); save the picture as PNG or TIFF"};
constexpr Message kTruncated{"die Bitmap ist abgeschnitten: %1 von %2 Bytes",
                             "the bitmap is truncated: %1 bytes of its %2"};

// Kinds whose rows take exactly rowBytes() each and are read here, a row at
// a time: colour-table bitmaps, 24-bit ones, and 32-bit ones without masks.
bool IsUncompressedOwn(const BmpHeader& h)
{
    if (h.planes != 1 || h.width <= 0 || h.height <= 0 || h.compression != kBmpRgb)
        return false;
    if (h.bitCount > 8)
        return h.bitCount == 24 || (h.bitCount == 32 && h.headerSize >= 40);
    return (h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8) && h.declaredColors() <= 256;
}

bool IsRunLengthOwn(const BmpHeader& h)
{
    return h.planes == 1 && h.width > 0 && h.height > 0 && h.declaredColors() <= 256 &&
           ((h.compression == kBmpRle8 && h.bitCount == 8) || (h.compression == kBmpRle4 && h.bitCount == 4));
}

std::optional<Error> Truncation(const QString& name, const BmpHeader& header, const QIODevice& device)
{
    // Compressed: its length is not known in advance.
    if (device.isSequential() || header.bitCount <= 0 || header.bitCount > 32 || !header.uncompressed())
        return std::nullopt;
    const qint64 needed = header.pixelOffset + header.rowBytes() * header.height;
    if (device.size() >= needed)
        return std::nullopt;
    return PictureError(name, ErrorArg(kTruncated, {std::to_string(device.size()), std::to_string(needed)}));
}

// The colour table, from a device at the file's first byte, which is left at
// the first pixel. Entries past the 256 any pixel can name are passed over.
std::optional<BmpPixels> ReadColours(BufferedBytes& in, const BmpHeader& header)
{
    const qint64 stored = std::min<qint64>(header.bitCount <= 8 ? header.paletteEntries : 0, 256);
    QByteArray table(static_cast<qsizetype>(stored * header.paletteEntryBytes()), '\0');
    if (!in.skip(header.paletteOffset) || !in.read(reinterpret_cast<unsigned char*>(table.data()), table.size()) ||
        !in.skip(header.pixelOffset - header.paletteOffset - table.size()))
        return std::nullopt;
    return BmpPixels(header, table);
}

// The rows of an uncompressed bitmap straight from the file, a band at a
// time: mapping the whole file would count it in the process's memory. Rows
// are stored bottom-up unless the height is negative, so a band of picture
// rows is one stretch of the file either way, read backwards in the first
// case.
class BitmapRows : public RowReader {
public:
    BitmapRows(QIODevice* device, const BmpHeader& header, BmpPixels pixels, const QString& name)
        : m_device(device),
          m_header(header),
          m_pixels(pixels),
          m_name(name)
    {
        m_width = static_cast<int>(header.width);
        m_height = static_cast<int>(header.height);
    }

    std::optional<Error> readRows(std::uint32_t* out, std::ptrdiff_t stride, int count) override
    {
        constexpr qint64 kBandBytes = 8 << 20;
        const qint64 rowBytes = m_header.rowBytes();
        const int bandRows = static_cast<int>(std::clamp<qint64>(kBandBytes / rowBytes, 1, count));
        try {
            m_band.resize(static_cast<std::size_t>(bandRows * rowBytes));
        } catch (const std::bad_alloc&) {
            return PictureMemoryError(m_name);
        }
        for (int done = 0; done < count; done += bandRows) {
            const int rows = std::min(bandRows, count - done);
            if (!readBand(out + done * stride, stride, rows)) {
                // Shorter now than when it was opened, or a read that failed.
                if (std::optional<Error> cut = Truncation(m_name, m_header, *m_device))
                    return cut;
                return CutShortPictureError(m_name, "BMP");
            }
            m_row += rows;
        }
        return std::nullopt;
    }

private:
    bool readBand(std::uint32_t* out, std::ptrdiff_t stride, int rows)
    {
        const qint64 rowBytes = m_header.rowBytes();
        const qint64 firstFileRow = m_header.topDown ? m_row : m_height - m_row - rows;
        const qint64 length = rows * rowBytes;
        if (!m_device->seek(m_header.pixelOffset + firstFileRow * rowBytes) ||
            m_device->read(m_band.data(), length) != length)
            return false;
        for (int r = 0; r < rows; ++r) {
            const qint64 fileRow = m_header.topDown ? r : rows - 1 - r;
            const auto* in = reinterpret_cast<const uchar*>(m_band.data()) + fileRow * rowBytes;
            m_pixels.convertRow(in, out + r * stride, m_width);
        }
        return true;
    }

    QIODevice* m_device;
    BmpHeader m_header;
    BmpPixels m_pixels;
    QString m_name;
    QByteArray m_band;
    int m_row = 0;
};

// The stored rows in the order they come, each into its picture row.
bool ReadStoredRows(BufferedBytes& in, const BmpHeader& header, const BmpPixels& pixels, QImage& image)
{
    QByteArray row(static_cast<qsizetype>(header.rowBytes()), '\0');
    auto* bytes = reinterpret_cast<unsigned char*>(row.data());
    for (int stored = 0; stored < image.height(); ++stored) {
        if (!in.read(bytes, row.size()))
            return false;
        const int y = header.topDown ? stored : image.height() - 1 - stored;
        pixels.convertRow(bytes, reinterpret_cast<std::uint32_t*>(image.scanLine(y)), image.width());
    }
    return true;
}

} // namespace

std::optional<Error> BitmapFileProblem(const QString& name, const BmpHeader& header, const QIODevice& device)
{
    const qint64 width = header.width, height = header.height;
    if (IsUncompressedOwn(header)) {
        if (std::optional<Error> problem = StreamablePictureSizeProblem(name, width, height))
            return problem;
        return Truncation(name, header, device);
    }
    if (std::optional<Error> problem = PictureSizeProblem(name, width, height))
        return problem;
    constexpr qint64 kReaderLimit = 16384LL * 16384;
    if (width * height > kReaderLimit && !IsRunLengthOwn(header))
        return PictureError(name, ErrorArg(kBeyondReader, {std::to_string(width), std::to_string(height),
                                                           std::to_string(kReaderLimit / 1'000'000)}));
    return Truncation(name, header, device);
}

bool ReadsOwnBitmap(const BmpHeader& header)
{
    return IsUncompressedOwn(header) || IsRunLengthOwn(header);
}

PictureLoad ReadOwnBitmap(QIODevice* device, const BmpHeader& header, const QString& name)
{
    Q_ASSERT(ReadsOwnBitmap(header));
    if (std::optional<Error> problem = BitmapFileProblem(name, header, *device))
        return *problem;
    BufferedBytes in(device);
    const std::optional<BmpPixels> pixels = ReadColours(in, header);
    if (!pixels)
        return CutShortPictureError(name, "BMP");
    QImage image(static_cast<int>(header.width), static_cast<int>(header.height), QImage::Format_RGB32);
    if (image.isNull())
        return PictureMemoryError(name);
    const bool complete = IsRunLengthOwn(header) ? DecodeRleBitmap(in, header, *pixels, image)
                                                 : ReadStoredRows(in, header, *pixels, image);
    if (!complete)
        return CutShortPictureError(name, "BMP");
    return image;
}

Result<std::unique_ptr<RowReader>> OpenBitmapRows(QIODevice* device, const QByteArray& head, const QString& name,
                                                  SizeRule rule)
{
    const std::optional<BmpHeader> header = ReadBmpFileHeader(head);
    if (!header || !ReadsOwnBitmap(*header) || !IsUncompressedOwn(*header) || device->isSequential())
        return std::unique_ptr<RowReader>();
    if (std::optional<Error> problem = rule(name, header->width, header->height))
        return *problem;
    if (std::optional<Error> problem = Truncation(name, *header, *device))
        return *problem;
    const qint64 start = device->pos();
    BufferedBytes in(device);
    const std::optional<BmpPixels> pixels = ReadColours(in, *header);
    if (!pixels)
        return CutShortPictureError(name, "BMP");
    device->seek(start);
    return std::unique_ptr<RowReader>(std::make_unique<BitmapRows>(device, *header, *pixels, name));
}

} // namespace centrafix
