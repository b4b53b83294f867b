#include "picture/formats/bmp_rle.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <vector>

namespace centrafix {

namespace {

constexpr qint64 kPieceBytes = 64 * 1024;

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

// Where the decoder stands: a column and a stored row (0 the first stored,
// the bottom one unless the bitmap is top-down), both held inside the picture
// or just past it, however far the code jumps. A row is made white when the
// code first draws into it, and the rows it never drew into once the code has
// ended: a file cut short touches no more memory than it has rows for.
class RleCursor {
public:
    RleCursor(QImage& image, bool topDown)
        : m_image(image),
          m_topDown(topDown),
          m_begun(static_cast<std::size_t>(image.height()), false)
    {}

    bool done() const { return m_row >= m_image.height(); }

    void put(std::uint32_t color)
    {
        if (m_x < m_image.width() && !done()) {
            if (!m_begun[static_cast<std::size_t>(m_row)])
                begin(m_row);
            line(m_row)[m_x] = color;
        }
        m_x = std::min(m_x + 1, m_image.width());
    }
    void endLine()
    {
        m_x = 0;
        m_row = std::min(m_row + 1, m_image.height());
    }
    void jump(int dx, int dy)
    {
        m_x = std::min(m_x + dx, m_image.width());
        m_row = std::min(m_row + dy, m_image.height());
    }

    // The rows the code skipped, white.
    void finish()
    {
        for (int row = 0; row < m_image.height(); ++row) {
            if (!m_begun[static_cast<std::size_t>(row)])
                begin(row);
        }
    }

private:
    std::uint32_t* line(int row)
    {
        const int y = m_topDown ? row : m_image.height() - 1 - row;
        return reinterpret_cast<std::uint32_t*>(m_image.scanLine(y));
    }
    void begin(int row)
    {
        std::fill_n(line(row), m_image.width(), kWhite);
        m_begun[static_cast<std::size_t>(row)] = true;
    }

    QImage& m_image;
    bool m_topDown;
    std::vector<bool> m_begun;
    int m_x = 0;
    int m_row = 0;
};

// `count` pixels of the stored indices `bytes` (two to a byte with four bits).
void PutIndices(RleCursor& cursor, const BmpPixels& pixels, const unsigned char* bytes, int count, bool fourBits)
{
    for (int i = 0; i < count; ++i) {
        const int index = fourBits ? (i % 2 == 0 ? bytes[i / 2] >> 4 : bytes[i / 2] & 0xF) : bytes[i];
        cursor.put(pixels.color(index));
    }
}

// The decoding proper; false when the data ends early.
bool Decode(BufferedBytes& in, bool fourBits, const BmpPixels& pixels, RleCursor& cursor)
{
    unsigned char literal[256];
    for (;;) {
        const int count = in.next();
        const int code = in.next();
        if (code < 0)
            return cursor.done(); // no end code, but every row is there
        if (count > 0) {
            // A run: one index, or two alternating with four bits.
            const std::uint32_t first = pixels.color(fourBits ? code >> 4 : code);
            const std::uint32_t second = pixels.color(fourBits ? code & 0xF : code);
            for (int i = 0; i < count; ++i)
                cursor.put(i % 2 == 0 ? first : second);
            continue;
        }
        if (code == 0) {
            cursor.endLine();
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            const int dx = in.next(), dy = in.next();
            if (dy < 0)
                return cursor.done();
            cursor.jump(dx, dy);
        } else {
            // Literal indices, padded to a whole number of 16-bit words.
            const int bytes = fourBits ? (code + 1) / 2 : code;
            if (!in.read(literal, bytes + (bytes & 1)))
                return cursor.done();
            PutIndices(cursor, pixels, literal, code, fourBits);
        }
    }
}

} // namespace

bool BufferedBytes::refill()
{
    m_buffer.resize(kPieceBytes);
    const qint64 got = m_device->read(m_buffer.data(), kPieceBytes);
    m_buffer.resize(std::max<qint64>(got, 0));
    m_at = 0;
    return got > 0;
}

bool BufferedBytes::read(unsigned char* out, qint64 count)
{
    while (count > 0) {
        if (m_at == m_buffer.size() && !refill())
            return false;
        const qint64 n = std::min<qint64>(count, m_buffer.size() - m_at);
        std::memcpy(out, m_buffer.constData() + m_at, static_cast<std::size_t>(n));
        m_at += n;
        out += n;
        count -= n;
    }
    return true;
}

bool BufferedBytes::skip(qint64 count)
{
    while (count > 0) {
        if (m_at == m_buffer.size() && !refill())
            return false;
        const qint64 n = std::min<qint64>(count, m_buffer.size() - m_at);
        m_at += n;
        count -= n;
    }
    return true;
}

bool DecodeRleBitmap(BufferedBytes& in, const BmpHeader& header, const BmpPixels& pixels, QImage& image)
{
    RleCursor cursor(image, header.topDown);
    if (!Decode(in, header.compression == kBmpRle4, pixels, cursor))
        return false;
    cursor.finish();
    return true;
}

} // namespace centrafix
