#include "picture/metafile/wmf_dib.h"

#include "picture/formats/bitmap_file.h"
#include "picture/formats/bmp_header.h"
#include "picture/formats/picture_load.h"

#include <QBuffer>

#include <string>

namespace centrafix::wmf {

namespace {

constexpr Message kHeaderCut{"ihr Bitmap-Kopf ist abgeschnitten", "its bitmap header is cut off"};
constexpr Message kHeaderDoesNotFit{"ihr Bitmap-Kopf von %1 Bytes passt nicht hinein",
                                    "its bitmap header of %1 bytes does not fit"};
constexpr Message kBitCount{"ihre Bitmap hat %1 Bit pro Pixel", "its bitmap has %1 bits per pixel"};
constexpr Message kColourTable{"die Farbtabelle ihrer Bitmap reicht über den Datensatz hinaus",
                               "its bitmap's color table runs past the record"};
constexpr Message kUndecodable{"%1: ihre Bitmap von %2 x %3 Pixeln lässt sich nicht entschlüsseln",
                               "%1: its bitmap of %2 x %3 pixels cannot be decoded"};
constexpr Message kPixelsPastRecord{"ihre Bitmap von %1 x %2 Pixeln braucht %3 Bytes, der Datensatz enthält %4",
                                    "its bitmap of %1 x %2 pixels needs %3 bytes, the record holds %4"};

// Why a bitmap with pixels cannot be read from a record of `size` bytes.
Problem LayoutProblem(const BmpHeader& h, qsizetype size)
{
    if (Problem tooLarge = PictureSizeProblem({}, h.width, h.height))
        return tooLarge;
    if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16 && h.bitCount != 24 &&
        h.bitCount != 32)
        return Described({}, kBitCount, {std::to_string(h.bitCount)});
    if (h.pixelOffset > size)
        return Described({}, kColourTable);
    const qint64 available = size - h.pixelOffset;
    const qint64 needed = h.rowBytes() * h.height;
    if (h.uncompressed() && available < needed)
        return Described(
            {}, kPixelsPastRecord,
            {std::to_string(h.width), std::to_string(h.height), std::to_string(needed), std::to_string(available)});
    return std::nullopt;
}

// Qt reads packed bitmaps only as files: give it the file header.
QImage FromPackedBitmap(QByteArrayView dib, qint64 pixelOffset)
{
    QByteArray file;
    file.reserve(14 + dib.size());
    file.append("BM");
    auto append32 = [&file](quint32 value) {
        char le[4];
        qToLittleEndian(value, le);
        file.append(le, 4);
    };
    append32(static_cast<quint32>(14 + dib.size()));
    append32(0);
    append32(static_cast<quint32>(14 + pixelOffset));
    file.append(dib.data(), dib.size());
    // The kinds whose reading by Qt depends on what lies in memory are read
    // as bitmap files are.
    if (const std::optional<BmpHeader> header = ReadBmpFileHeader(file); header && ReadsOwnBitmap(*header)) {
        QBuffer buffer(&file);
        buffer.open(QIODevice::ReadOnly);
        PictureLoad own = ReadOwnBitmap(&buffer, *header, QString());
        return own ? std::move(*own) : QImage();
    }
    QImage image = QImage::fromData(file, "BMP");
    // A blit copies colours; whatever alpha the bitmap has plays no part.
    if (!image.isNull())
        image.convertTo(QImage::Format_RGB32);
    return image;
}

} // namespace

Dib DecodeDib(QByteArrayView dib, const Message& what, WorkBudget& budget)
{
    Dib result;
    if (dib.size() < 16) {
        result.problem = Described({}, kHeaderCut);
        return result;
    }
    const quint32 headerSize = ReadU32(dib, 0);
    if (headerSize < 12 || headerSize > static_cast<quint64>(dib.size())) {
        result.problem = Described({}, kHeaderDoesNotFit, {std::to_string(headerSize)});
        return result;
    }
    const std::optional<BmpHeader> header = ReadPackedBmpHeader(dib);
    if (!header)
        return result;
    result.bottomUp = !header->topDown;
    if (header->width <= 0 || header->height == 0)
        return result;
    result.problem = LayoutProblem(*header, dib.size());
    // RLE compressed bitmaps Qt reads; JPEG or PNG inside a metafile is not drawn.
    const bool readable = header->uncompressed() || header->compression == kBmpRle8 || header->compression == kBmpRle4;
    if (result.problem || !readable)
        return result;
    result.problem = budget.spend(double(header->width) * double(header->height) * cost::kDecodedPixel);
    if (result.problem)
        return result;
    result.image = FromPackedBitmap(dib, header->pixelOffset);
    if (result.image.isNull())
        result.problem =
            Described({}, kUndecodable, {what, std::to_string(header->width), std::to_string(header->height)});
    return result;
}

} // namespace centrafix::wmf
