#pragma once

#include "picture/formats/bmp_header.h"
#include "picture/formats/bmp_pixels.h"

#include <QByteArray>
#include <QImage>

class QIODevice;

namespace centrafix {

// A device's bytes in the order they come, read in pieces: for a bitmap read
// from a pipe as well as from a file, with no seeking.
class BufferedBytes {
public:
    explicit BufferedBytes(QIODevice* device) : m_device(device) {}

    // The next byte; -1 at the end (or where the device fails).
    int next()
    {
        if (m_at == m_buffer.size() && !refill())
            return -1;
        return static_cast<unsigned char>(m_buffer[m_at++]);
    }
    // The next `count` bytes into `out`; false when the device ends first.
    bool read(unsigned char* out, qint64 count);
    // Passes over `count` bytes; false when the device ends first.
    bool skip(qint64 count);

private:
    bool refill();

    QIODevice* m_device;
    QByteArray m_buffer;
    qsizetype m_at = 0;
};

// Decodes the run-length coded pixels of a bitmap (header.compression kBmpRle8
// or kBmpRle4) from `in` into `image`, which is of the bitmap's size and in
// Format_RGB32. What the code skips (a jump, a row or the bitmap ended
// early) is undefined in the format and drawn by Windows as transparent: it
// is white, as the working copy shows every transparent pixel, so the file is
// measured the same every time. False when the data ends before the bitmap's
// end code and before its last row.
bool DecodeRleBitmap(BufferedBytes& in, const BmpHeader& header, const BmpPixels& pixels, QImage& image);

} // namespace centrafix
