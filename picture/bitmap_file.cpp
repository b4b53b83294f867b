#include "bitmap_file.h"
#include "working_words.h"

#include "picture_load.h"
#include "row_reader.h"

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

bool IsPlain(const BmpHeader& h)
{
    return h.headerSize >= 40 && h.planes == 1 && h.compression == kBmpRgb && (h.bitCount == 24 || h.bitCount == 32) &&
           h.width > 0 && h.height > 0;
}

std::optional<ErrorArg> Truncation(const BmpHeader& header, const QIODevice& device)
{
    // Compressed: its length is not known in advance.
    if (device.isSequential() || header.bitCount <= 0 || header.bitCount > 32 || !header.uncompressed())
        return std::nullopt;
    const qint64 needed = header.pixelOffset + header.rowBytes() * header.height;
    if (device.size() >= needed)
        return std::nullopt;
    return ErrorArg(kTruncated, {std::to_string(device.size()), std::to_string(needed)});
}

// The rows of a plain bitmap straight from the file, a band at a time:
// mapping the whole file would count it in the process's memory. Rows are
// stored bottom-up unless the height is negative, so a band of picture rows
// is one stretch of the file either way, read backwards in the first case.
class BitmapRows : public RowReader {
public:
    BitmapRows(QIODevice* device, const BmpHeader& header, const QString& name)
        : m_device(device), m_header(header), m_name(name)
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
                if (std::optional<ErrorArg> cut = Truncation(m_header, *m_device))
                    return PictureError(m_name, *cut);
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
        const int step = m_header.bitCount / 8;
        for (int r = 0; r < rows; ++r) {
            const qint64 fileRow = m_header.topDown ? r : rows - 1 - r;
            const auto* in = reinterpret_cast<const uchar*>(m_band.data()) + fileRow * rowBytes;
            BgrToWorkingWords(in, out + r * stride, m_width, step);
        }
        return true;
    }

    QIODevice* m_device;
    BmpHeader m_header;
    QString m_name;
    QByteArray m_band;
    int m_row = 0;
};

} // namespace

std::optional<ErrorArg> BitmapFileProblem(const BmpHeader& header, const QIODevice& device)
{
    const qint64 width = header.width, height = header.height;
    if (std::optional<ErrorArg> problem = PictureSizeProblem(width, height))
        return problem;
    constexpr qint64 kReaderLimit = 16384LL * 16384;
    if (width * height > kReaderLimit && !IsPlain(header))
        return ErrorArg(kBeyondReader, {std::to_string(width), std::to_string(height),
                                        std::to_string(kReaderLimit / 1'000'000)});
    return Truncation(header, device);
}

Result<std::unique_ptr<RowReader>> OpenBitmapRows(QIODevice* device, const QByteArray& head, const QString& name,
                                                  SizeRule rule)
{
    const std::optional<BmpHeader> header = ReadBmpFileHeader(head);
    if (!header || !IsPlain(*header) || device->isSequential())
        return std::unique_ptr<RowReader>();
    if (std::optional<ErrorArg> problem = rule(header->width, header->height))
        return PictureError(name, std::move(*problem));
    if (std::optional<ErrorArg> problem = Truncation(*header, *device))
        return PictureError(name, std::move(*problem));
    return std::unique_ptr<RowReader>(std::make_unique<BitmapRows>(device, *header, name));
}

} // namespace centrafix
