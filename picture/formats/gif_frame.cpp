#include "picture/formats/gif_frame.h"

#include "picture/formats/bmp_rle.h"

#include <QIODevice>

#include <array>
#include <cstdint>

namespace centrafix {

namespace {

constexpr int kMaxCodes = 4096;

// The bits of an image's data sub-blocks, least significant first.
class CodeReader {
public:
    explicit CodeReader(BufferedBytes& in) : m_in(in) {}

    // The next code of `width` bits; -1 when the sub-blocks end first,
    // -2 when the file does.
    int next(int width)
    {
        while (m_count < width) {
            const int byte = nextByte();
            if (byte < 0)
                return byte;
            m_bits |= static_cast<std::uint32_t>(byte) << m_count;
            m_count += 8;
        }
        const int code = static_cast<int>(m_bits & ((1u << width) - 1));
        m_bits >>= width;
        m_count -= width;
        return code;
    }

private:
    int nextByte()
    {
        if (m_left == 0) {
            if (m_ended)
                return -1;
            const int size = m_in.next();
            if (size < 0)
                return -2;
            if (size == 0) {
                m_ended = true;
                return -1;
            }
            m_left = size;
        }
        const int byte = m_in.next();
        if (byte < 0)
            return -2;
        --m_left;
        return byte;
    }

    BufferedBytes& m_in;
    std::uint32_t m_bits = 0;
    int m_count = 0;
    int m_left = 0;
    bool m_ended = false;
};

// Counts the pixels an LZW code stream yields, up to `wanted`: only the
// length of each table entry is kept.
GifCoverage CountPixels(BufferedBytes& in, int minimumSize, qint64 wanted)
{
    if (minimumSize < 2 || minimumSize > 11)
        return GifCoverage::Unreadable;
    const int clear = 1 << minimumSize, end = clear + 1;
    std::array<qint64, kMaxCodes> lengths{};
    lengths.fill(1);
    CodeReader codes(in);
    int width = minimumSize + 1, next = end + 1, previous = -1;
    qint64 pixels = 0;
    while (pixels < wanted) {
        const int code = codes.next(width);
        if (code == -2)
            return GifCoverage::FileEnds;
        if (code == -1 || code == end)
            return GifCoverage::DataEnds;
        if (code == clear) {
            width = minimumSize + 1;
            next = end + 1;
            previous = -1;
            continue;
        }
        if (code > next || (previous < 0 && code >= clear))
            return GifCoverage::Unreadable;
        const qint64 length = code == next ? lengths[previous] + 1 : lengths[code];
        if (previous >= 0 && next < kMaxCodes) {
            lengths[next] = lengths[previous] + 1;
            if (++next == 1 << width && width < 12)
                ++width;
        }
        pixels += length;
        previous = code;
    }
    return GifCoverage::Whole;
}

// Passes over sub-blocks up to their terminator; false when the file ends.
bool SkipSubBlocks(BufferedBytes& in)
{
    for (;;) {
        const int size = in.next();
        if (size < 0)
            return false;
        if (size == 0)
            return true;
        if (!in.skip(size))
            return false;
    }
}

int Word(const unsigned char* bytes)
{
    return bytes[0] | bytes[1] << 8;
}

GifCoverage Walk(BufferedBytes& in)
{
    unsigned char screen[13];
    if (!in.read(screen, 13))
        return GifCoverage::FileEnds;
    if ((screen[10] & 0x80) != 0 && !in.skip(3 << ((screen[10] & 7) + 1)))
        return GifCoverage::FileEnds;
    for (;;) {
        const int block = in.next();
        if (block < 0)
            return GifCoverage::FileEnds;
        if (block == 0x21) { // an extension: its label, then sub-blocks
            if (in.next() < 0 || !SkipSubBlocks(in))
                return GifCoverage::FileEnds;
            continue;
        }
        if (block != 0x2C)
            return GifCoverage::Unreadable; // the trailer before any frame, or junk
        unsigned char frame[9];
        if (!in.read(frame, 9))
            return GifCoverage::FileEnds;
        if ((frame[8] & 0x80) != 0 && !in.skip(3 << ((frame[8] & 7) + 1)))
            return GifCoverage::FileEnds;
        const int minimumSize = in.next();
        if (minimumSize < 0)
            return GifCoverage::FileEnds;
        return CountPixels(in, minimumSize, qint64{Word(frame + 4)} * Word(frame + 6));
    }
}

} // namespace

GifCoverage FirstGifFrameCoverage(QIODevice* device)
{
    const qint64 start = device->pos();
    BufferedBytes in(device);
    const GifCoverage coverage = Walk(in);
    device->seek(start);
    return coverage;
}

} // namespace centrafix
