#include "picture_bytes.h"

#include <QFile>
#include <QList>
#include <QtEndian>

namespace centrafix::test {
namespace {

QByteArray Be32(quint32 value)
{
    QByteArray out(4, '\0');
    qToBigEndian(value, out.data());
    return out;
}

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

} // namespace

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
    return "BM" + Le(54 + rowBytes * height, 4) + Le(0, 4) + Le(54, 4) + Le(40, 4) + Le(width, 4) +
           Le(height, 4) + Le(1, 2) + Le(24, 2) + Le(0, 4) + Le(rowBytes * height, 4) + Le(2835, 4) +
           Le(2835, 4) + Le(0, 4) + Le(0, 4);
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
