#pragma once

#include <QByteArray>
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

// The largest resident set this process has had, in kB (-1 where unknown).
qint64 PeakResidentKilobytes();

} // namespace centrafix::test
