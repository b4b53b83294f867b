#pragma once

#include <QByteArray>
#include <QImage>
#include <QtGlobal>

namespace centrafix::test {

// Picture files built byte by byte, for what no encoder would write: headers
// that announce more than the file holds, cut files, hostile sizes.

// The low `bytes` bytes of `value`, least significant first.
QByteArray Le(qint64 value, int bytes);

// The header of an uncompressed 24-bit bitmap; the rows follow bottom-up.
QByteArray BitmapHeader(qint64 width, qint64 height);

// A PNG that is nothing but a header announcing `width` x `height` pixels.
QByteArray PngHeaderOnly(quint32 width, quint32 height);

// A PNG chunk of `type` holding `data`, with its checksum.
QByteArray PngChunk(const QByteArray& type, const QByteArray& data);

// `data` compressed as a zlib stream, as PNG's compressed chunks hold it.
QByteArray Zlib(const QByteArray& data);

// An uncompressed bitmap of 1, 4 or 8 bits a pixel whose header declares
// `declaredColors` palette entries (0: all) while `palette` (0x00RRGGBB) is
// what the file stores before its pixels; `rows` are the stored rows,
// bottom-up, each already padded to whole words.
QByteArray PaletteBitmap(int width, int height, int bitsPerPixel, quint32 declaredColors, const QList<quint32>& palette,
                         const QByteArray& rows);

// The same in the 12-byte header of OS/2 bitmaps, whose palette entries are
// three bytes; bit counts 1, 4, 8 and 24 (no palette).
QByteArray CoreBitmap(int width, int height, int bitsPerPixel, const QList<quint32>& palette, const QByteArray& rows);

// A little-endian TIFF directory entry: SHORT (3) or LONG (4) values.
struct TiffField {
    quint16 tag;
    quint16 type;
    QList<quint32> values;
};

// A little-endian TIFF: the header, `data` from byte 8 (so strip or tile
// offsets of 8 point at it), then one directory of `fields` (sorted here) and
// after it the values that do not fit in an entry, in the order given.
QByteArray TiffFile(QList<TiffField> fields, const QByteArray& data);

// `image` as Qt writes it in `format` ("png", "jpeg", "tiff"); a JPEG
// progressive (several scans) when asked.
QByteArray Encoded(const QImage& image, const char* format, bool progressive = false);

// A JPEG whose coded pixels stop after `fraction` of them and end at once
// with a proper end marker: a file that is complete to the letter, with rows
// missing.
QByteArray JpegEndingEarly(const QByteArray& jpeg, double fraction);

// A progressive JPEG with only its first `scans` scans, then its end marker.
QByteArray JpegWithScans(const QByteArray& jpeg, int scans);

// The JPEG with the size its frame header announces replaced.
QByteArray JpegAnnouncing(QByteArray jpeg, quint16 width, quint16 height);

// `indexed` (Format_Indexed8) as a GIF89a, or as a bitmap compressed with
// run lengths, 8 or 4 bits a pixel (then no index above 15). No encoder we
// have writes either, and a cut one must be refused like any cut file. The
// GIF's colours are the screen's, or the frame's own.
QByteArray GifFile(const QImage& indexed, bool localColourTable = false);
QByteArray RleBitmap(const QImage& indexed, int bitsPerPixel);

// The largest resident set this process has had, in kB (-1 where unknown).
qint64 PeakResidentKilobytes();

} // namespace centrafix::test
