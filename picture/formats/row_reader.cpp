#include "picture/formats/row_reader.h"

#include <QIODevice>

namespace centrafix {

// The format is decided from the first bytes, and only the formats we mean to
// read are handed to a decoder: an unrelated decoder with a lax content test
// is never let loose on bytes that merely resemble its format.
QByteArray SniffFormat(const QByteArray& head)
{
    if (head.startsWith("BM"))
        return "bmp";
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return "png";
    if (head.startsWith("\xff\xd8\xff"))
        return "jpeg";
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return "gif";
    if (head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4)) ||
        head.startsWith(QByteArray("II+\0", 4)) || head.startsWith(QByteArray("MM\0+", 4)))
        return "tiff";
    return {};
}

Result<std::unique_ptr<RowReader>> OpenRowReader(QIODevice* device, const QByteArray& head, const QString& name,
                                                 SizeRule rule)
{
    if (device->isSequential())
        return std::unique_ptr<RowReader>();
    const qint64 start = device->pos();
    const QByteArray format = SniffFormat(head);
    Result<std::unique_ptr<RowReader>> reader = std::unique_ptr<RowReader>();
    if (format == "png")
        reader = OpenPngRows(device, name, rule);
    else if (format == "jpeg")
        reader = OpenJpegRows(device, name, rule);
    else if (format == "tiff")
        reader = OpenTiffRows(device, name, rule);
    else if (format == "bmp")
        reader = OpenBitmapRows(device, head, name, rule);
    if (reader && !*reader)
        device->seek(start);
    return reader;
}

} // namespace centrafix
