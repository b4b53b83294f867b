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

// `image` as Qt writes it in `format` ("png", "jpeg", "tiff"); a JPEG
// progressive (several scans) when asked.
QByteArray Encoded(const QImage& image, const char* format, bool progressive = false);

// `indexed` (Format_Indexed8) as a GIF89a, or as a bitmap compressed with
// run lengths, 8 or 4 bits a pixel (then no index above 15). No encoder we
// have writes either, and a cut one must be refused like any cut file.
QByteArray GifFile(const QImage& indexed);
QByteArray RleBitmap(const QImage& indexed, int bitsPerPixel);

// The largest resident set this process has had, in kB (-1 where unknown).
qint64 PeakResidentKilobytes();

} // namespace centrafix::test
