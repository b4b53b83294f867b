#include "picture/formats/bmp_header.h"

#include <QtEndian>

#include <algorithm>
#include <cstdlib>

namespace centrafix {

namespace {

constexpr qsizetype kFileHeaderBytes = 14;
constexpr quint32 kCoreHeaderBytes = 12, kInfoHeaderBytes = 40;

// The header fields alike in files and packed bitmaps; `info` starts at the
// header's size field.
std::optional<BmpHeader> ReadInfoHeader(QByteArrayView info)
{
    if (info.size() < 4)
        return std::nullopt;
    const char* p = info.data();
    BmpHeader header;
    header.headerSize = qFromLittleEndian<quint32>(p);
    if (header.headerSize == kCoreHeaderBytes && info.size() >= kCoreHeaderBytes) {
        header.width = qFromLittleEndian<quint16>(p + 4);
        header.height = qFromLittleEndian<quint16>(p + 6);
        header.planes = qFromLittleEndian<quint16>(p + 8);
        header.bitCount = qFromLittleEndian<quint16>(p + 10);
        return header;
    }
    if (header.headerSize < kInfoHeaderBytes || info.size() < kInfoHeaderBytes)
        return std::nullopt;
    header.width = qFromLittleEndian<qint32>(p + 4);
    const qint64 height = qFromLittleEndian<qint32>(p + 8);
    header.topDown = height < 0;
    header.height = std::abs(height);
    header.planes = qFromLittleEndian<quint16>(p + 12);
    header.bitCount = qFromLittleEndian<quint16>(p + 14);
    header.compression = qFromLittleEndian<quint32>(p + 16);
    header.colorsUsed = qFromLittleEndian<quint32>(p + 32);
    return header;
}

// Colour masks follow a 40-byte header only; longer headers hold them.
qint64 MaskBytes(const BmpHeader& header)
{
    if (header.headerSize == kInfoHeaderBytes && header.compression == kBmpBitFields)
        return 12;
    if (header.headerSize == kInfoHeaderBytes && header.compression == kBmpAlphaBitFields)
        return 16;
    return 0;
}

} // namespace

std::optional<BmpHeader> ReadBmpFileHeader(QByteArrayView head)
{
    if (head.size() < kFileHeaderBytes)
        return std::nullopt;
    std::optional<BmpHeader> header = ReadInfoHeader(head.sliced(kFileHeaderBytes));
    if (!header)
        return std::nullopt;
    header->paletteOffset = kFileHeaderBytes + qint64(header->headerSize) + MaskBytes(*header);
    const qint64 declared = header->declaredColors();
    const qint64 offBits = qFromLittleEndian<quint32>(head.data() + 10);
    if (header->bitCount <= 8 && offBits <= header->paletteOffset) {
        // Some writers leave the pixel offset at 0 or point it into the
        // header: the pixels then follow the colour table the header announces.
        header->paletteEntries = declared;
        header->pixelOffset = header->paletteOffset + declared * header->paletteEntryBytes();
        return header;
    }
    header->pixelOffset = std::max<qint64>(offBits, kFileHeaderBytes + qint64(header->headerSize));
    // Many writers store fewer colours than they announce; the pixel offset
    // says how many there are room for.
    const qint64 room = std::max<qint64>(header->pixelOffset - header->paletteOffset, 0);
    header->paletteEntries = std::min(declared, room / header->paletteEntryBytes());
    return header;
}

std::optional<BmpHeader> ReadPackedBmpHeader(QByteArrayView dib)
{
    std::optional<BmpHeader> header = ReadInfoHeader(dib);
    if (!header)
        return std::nullopt;
    header->paletteOffset = header->headerSize + MaskBytes(*header);
    header->paletteEntries = header->declaredColors();
    header->pixelOffset = header->paletteOffset + header->paletteEntries * header->paletteEntryBytes();
    return header;
}

} // namespace centrafix
