#include "picture_bytes.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QList>
#include <QtEndian>

#include <algorithm>

namespace centrafix::test {
namespace {

QByteArray Be32(quint32 value)
{
    QByteArray out(4, '\0');
    qToBigEndian(value, out.data());
    return out;
}

// LZW codes packed least significant bit first, as GIF stores them.
class CodeWriter {
public:
    void put(int code, int width)
    {
        m_bits |= static_cast<quint32>(code) << m_count;
        for (m_count += width; m_count >= 8; m_count -= 8, m_bits >>= 8)
            m_bytes += static_cast<char>(m_bits & 0xFF);
    }
    QByteArray finish()
    {
        if (m_count > 0)
            m_bytes += static_cast<char>(m_bits & 0xFF);
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_bits = 0;
    int m_count = 0;
};

// Every pixel as a literal code, the table cleared before it grows: valid
// LZW that any decoder reads, and no compressor to get wrong.
QByteArray LiteralLzw(const QImage& indexed)
{
    constexpr int kClear = 256, kEnd = 257, kWidth = 9, kLiteralsPerClear = 250;
    CodeWriter codes;
    int sinceClear = kLiteralsPerClear;
    for (int y = 0; y < indexed.height(); ++y) {
        for (int x = 0; x < indexed.width(); ++x) {
            if (sinceClear == kLiteralsPerClear) {
                codes.put(kClear, kWidth);
                sinceClear = 0;
            }
            codes.put(indexed.pixelIndex(x, y), kWidth);
            ++sinceClear;
        }
    }
    codes.put(kEnd, kWidth);
    return codes.finish();
}

QByteArray RleRow(const QImage& indexed, int y, int bitsPerPixel)
{
    QByteArray out;
    for (int x = 0; x < indexed.width();) {
        const int index = indexed.pixelIndex(x, y);
        int run = 1;
        while (x + run < indexed.width() && run < 255 && indexed.pixelIndex(x + run, y) == index)
            ++run;
        out += static_cast<char>(run);
        out += static_cast<char>(bitsPerPixel == 4 ? (index << 4) | index : index);
        x += run;
    }
    return out + QByteArray("\0\0", 2);
}

QByteArray BitmapPalette(const QList<quint32>& palette, int entryBytes)
{
    QByteArray out;
    for (const quint32 entry : palette)
        out += Le(entry, entryBytes);
    return out;
}

} // namespace

QByteArray PngChunk(const QByteArray& type, const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : type + data) {
        crc ^= static_cast<quint8>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return Be32(static_cast<quint32>(data.size())) + type + data + Be32(~crc);
}

QByteArray Zlib(const QByteArray& data)
{
    return qCompress(data, 9).mid(4); // qCompress puts the length first
}

QByteArray PaletteBitmap(int width, int height, int bitsPerPixel, quint32 declaredColors, const QList<quint32>& palette,
                         const QByteArray& rows)
{
    const QByteArray table = BitmapPalette(palette, 4);
    const qint64 offset = 54 + table.size();
    return "BM" + Le(offset + rows.size(), 4) + Le(0, 4) + Le(offset, 4) + Le(40, 4) + Le(width, 4) + Le(height, 4) +
           Le(1, 2) + Le(bitsPerPixel, 2) + Le(0, 4) + Le(rows.size(), 4) + Le(2835, 4) + Le(2835, 4) +
           Le(declaredColors, 4) + Le(0, 4) + table + rows;
}

QByteArray CoreBitmap(int width, int height, int bitsPerPixel, const QList<quint32>& palette, const QByteArray& rows)
{
    const QByteArray table = BitmapPalette(palette, 3);
    const qint64 offset = 26 + table.size();
    return "BM" + Le(offset + rows.size(), 4) + Le(0, 4) + Le(offset, 4) + Le(12, 4) + Le(width, 2) + Le(height, 2) +
           Le(1, 2) + Le(bitsPerPixel, 2) + table + rows;
}

QByteArray TiffFile(QList<TiffField> fields, const QByteArray& data)
{
    std::sort(fields.begin(), fields.end(), [](const TiffField& a, const TiffField& b) { return a.tag < b.tag; });
    const qint64 directory = 8 + data.size();
    qint64 outside = directory + 2 + 12 * fields.size() + 4;
    QByteArray entries, values;
    for (const TiffField& field : fields) {
        const int size = field.type == 3 ? 2 : 4;
        QByteArray value;
        for (const quint32 v : field.values)
            value += Le(v, size);
        entries += Le(field.tag, 2) + Le(field.type, 2) + Le(field.values.size(), 4);
        if (value.size() <= 4) {
            entries += value + QByteArray(4 - value.size(), '\0');
        } else {
            entries += Le(outside + values.size(), 4);
            values += value;
        }
    }
    return QByteArray("II*\0", 4) + Le(directory, 4) + data + Le(fields.size(), 2) + entries + Le(0, 4) + values;
}

QByteArray Encoded(const QImage& image, const char* format, bool progressive)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        qFatal("cannot write a test picture: %s", qPrintable(writer.errorString()));
    return bytes;
}

QByteArray JpegEndingEarly(const QByteArray& jpeg, double fraction)
{
    // The first scan's data follows its header, up to the next marker.
    const qsizetype scan = jpeg.indexOf("\xFF\xDA");
    const qsizetype data = scan + 2 + qFromBigEndian<quint16>(jpeg.constData() + scan + 2);
    qsizetype end = data;
    while (end + 1 < jpeg.size() && !(jpeg[end] == '\xFF' && jpeg[end + 1] != '\0' && (jpeg[end + 1] & 0xF8) != 0xD0))
        ++end;
    qsizetype keep = data + static_cast<qsizetype>((end - data) * fraction);
    if (jpeg[keep - 1] == '\xFF')
        --keep; // not half a stuffed byte
    return jpeg.left(keep) + QByteArray("\xFF\xD9", 2);
}

QByteArray JpegWithScans(const QByteArray& jpeg, int scans)
{
    qsizetype at = 0;
    for (int scan = 0; scan <= scans && at >= 0; ++scan)
        at = jpeg.indexOf("\xFF\xDA", at + 2);
    return at < 0 ? jpeg : jpeg.left(at) + QByteArray("\xFF\xD9", 2);
}

QByteArray JpegAnnouncing(QByteArray jpeg, quint16 width, quint16 height)
{
    for (const char* frame : {"\xFF\xC0", "\xFF\xC1", "\xFF\xC2"}) {
        const qsizetype at = jpeg.indexOf(frame);
        if (at < 0)
            continue;
        qToBigEndian(height, jpeg.data() + at + 5);
        qToBigEndian(width, jpeg.data() + at + 7);
        break;
    }
    return jpeg;
}

QByteArray GifFile(const QImage& indexed, bool localColourTable)
{
    QByteArray palette(256 * 3, '\0');
    for (int i = 0; i < indexed.colorCount(); ++i) {
        const QRgb c = indexed.color(i);
        palette[3 * i] = static_cast<char>(qRed(c));
        palette[3 * i + 1] = static_cast<char>(qGreen(c));
        palette[3 * i + 2] = static_cast<char>(qBlue(c));
    }
    QByteArray blocks;
    const QByteArray data = LiteralLzw(indexed);
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        blocks += static_cast<char>(block.size()) + block;
    }
    const QByteArray size = Le(indexed.width(), 2) + Le(indexed.height(), 2);
    if (localColourTable)
        return "GIF89a" + size + QByteArray("\0\0\0", 3) + "\x2C" + Le(0, 4) + size + "\x87" + palette + "\x08" +
               blocks + QByteArray("\0\x3B", 2);
    return "GIF89a" + size + QByteArray("\xF7\0\0", 3) + palette + "\x2C" + Le(0, 4) + size + QByteArray("\0\x08", 2) +
           blocks + QByteArray("\0\x3B", 2);
}

QByteArray RleBitmap(const QImage& indexed, int bitsPerPixel)
{
    QByteArray palette;
    for (int i = 0; i < indexed.colorCount(); ++i)
        palette += Le(indexed.color(i) & 0xFFFFFFu, 4);
    QByteArray pixels;
    for (int y = indexed.height() - 1; y >= 0; --y)
        pixels += RleRow(indexed, y, bitsPerPixel);
    pixels += QByteArray("\0\x01", 2);
    const qint64 offset = 54 + palette.size();
    return "BM" + Le(offset + pixels.size(), 4) + Le(0, 4) + Le(offset, 4) + Le(40, 4) + Le(indexed.width(), 4) +
           Le(indexed.height(), 4) + Le(1, 2) + Le(bitsPerPixel, 2) + Le(bitsPerPixel == 8 ? 1 : 2, 4) +
           Le(pixels.size(), 4) + Le(2835, 4) + Le(2835, 4) + Le(indexed.colorCount(), 4) + Le(0, 4) + palette + pixels;
}

QByteArray Le(qint64 value, int bytes)
{
    QByteArray out(4, '\0');
    qToLittleEndian(static_cast<quint32>(value), out.data());
    return out.left(bytes);
}

QByteArray PngHeaderOnly(quint32 width, quint32 height)
{
    const QByteArray ihdr = Be32(width) + Be32(height) + QByteArray("\x08\x02\0\0\0", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", ihdr) +
           PngChunk("IDAT", QByteArray("\x78\x9c\x03\x00\x00\x00\x00\x01", 8)) + PngChunk("IEND", {});
}

QByteArray BitmapHeader(qint64 width, qint64 height)
{
    const qint64 rowBytes = (width * 3 + 3) / 4 * 4;
    return "BM" + Le(54 + rowBytes * height, 4) + Le(0, 4) + Le(54, 4) + Le(40, 4) + Le(width, 4) + Le(height, 4) +
           Le(1, 2) + Le(24, 2) + Le(0, 4) + Le(rowBytes * height, 4) + Le(2835, 4) + Le(2835, 4) + Le(0, 4) + Le(0, 4);
}

qint64 PeakResidentKilobytes()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

} // namespace centrafix::test
