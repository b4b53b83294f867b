#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <optional>

namespace centrafix {

// The compressions a bitmap header names that we tell apart.
inline constexpr quint32 kBmpRgb = 0, kBmpRle8 = 1, kBmpRle4 = 2, kBmpBitFields = 3, kBmpAlphaBitFields = 6;

// What a bitmap's header says: the 12-byte core header of old programs or an
// info header of 40 bytes and more, in a .bmp file or packed into a metafile
// record.
struct BmpHeader {
    quint32 headerSize = 0;
    qint64 width = 0;
    qint64 height = 0;    // rows, whichever way they are stored
    bool topDown = false; // the first row stored is the top one (a negative height)
    int planes = 1;
    int bitCount = 0;
    quint32 compression = kBmpRgb;
    quint32 colorsUsed = 0;
    qint64 paletteOffset = 0;  // where the colour table starts, counted alike
    qint64 pixelOffset = 0;    // where the pixels start, counted from the first byte read
    qint64 paletteEntries = 0; // colour table entries stored between the two

    // Stored rows are padded to whole 32-bit words.
    qint64 rowBytes() const { return (width * bitCount + 31) / 32 * 4; }
    // Bytes per colour table entry: three in the core header, four in others.
    int paletteEntryBytes() const { return headerSize == 12 ? 3 : 4; }
    // The colour table entries the header announces.
    qint64 declaredColors() const
    {
        return colorsUsed != 0 ? colorsUsed : (bitCount >= 1 && bitCount <= 8 ? qint64{1} << bitCount : 0);
    }
    // Whether the pixels take exactly rowBytes() per row (bit fields included),
    // so their length is known before they are read.
    bool uncompressed() const
    {
        return compression == kBmpRgb || compression == kBmpBitFields || compression == kBmpAlphaBitFields;
    }
};

// The header of a .bmp file from its first bytes, the 14-byte file header
// included. Nothing when the bytes end inside it or it is of an unknown size.
std::optional<BmpHeader> ReadBmpFileHeader(QByteArrayView head);

// The header of a packed bitmap (header, colour table, pixels, as metafile
// records carry them); its pixels start past the colour table. Nothing when
// the bytes end inside it or it is of an unknown size.
std::optional<BmpHeader> ReadPackedBmpHeader(QByteArrayView dib);

} // namespace centrafix
