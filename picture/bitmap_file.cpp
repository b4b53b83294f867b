#include "bitmap_file.h"

#include "picture_load.h"

#include <QIODevice>

#include <algorithm>
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
    // Compressed: its length is not known in advance.
    if (device.isSequential() || header.bitCount <= 0 || header.bitCount > 32 || !header.uncompressed())
        return std::nullopt;
    const qint64 needed = header.pixelOffset + header.rowBytes() * height;
    if (device.size() >= needed)
        return std::nullopt;
    return ErrorArg(kTruncated, {std::to_string(device.size()), std::to_string(needed)});
}

// Reads a band of rows at a time: mapping the whole file would count it in
// the process's memory next to the picture.
std::optional<QImage> ReadPlainBitmap(QIODevice* device, const BmpHeader& header)
{
    const qint64 rowBytes = header.rowBytes();
    const int width = static_cast<int>(header.width), height = static_cast<int>(header.height);
    if (!IsPlain(header) || device->isSequential() || device->size() < header.pixelOffset + rowBytes * height)
        return std::nullopt;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return std::nullopt;
    constexpr qint64 kBandBytes = 8 << 20;
    const int bandRows = static_cast<int>(std::clamp<qint64>(kBandBytes / rowBytes, 1, height));
    QByteArray band(static_cast<qsizetype>(bandRows * rowBytes), Qt::Uninitialized);
    const int step = header.bitCount / 8;
    uchar* bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    for (int first = 0; first < height; first += bandRows) {
        // File rows first..first + rows - 1, stored in file order.
        const int rows = std::min(bandRows, height - first);
        const qint64 length = rows * rowBytes;
        if (!device->seek(header.pixelOffset + first * rowBytes) || device->read(band.data(), length) != length)
            return std::nullopt;
        for (int r = 0; r < rows; ++r) {
            const int fileRow = first + r;
            const int y = header.topDown ? fileRow : height - 1 - fileRow;
            const auto* in = reinterpret_cast<const uchar*>(band.constData()) + r * rowBytes;
            auto* out = reinterpret_cast<QRgb*>(bits + y * bytesPerLine);
            for (int x = 0; x < width; ++x, in += step)
                out[x] = 0xFF000000u | (QRgb(in[2]) << 16) | (QRgb(in[1]) << 8) | QRgb(in[0]);
        }
    }
    return image;
}

} // namespace centrafix
