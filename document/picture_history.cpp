#include "picture_history.h"

#include <algorithm>
#include <cstring>
#include <future>
#include <new>
#include <utility>
#include <vector>

namespace centrafix {
namespace {

// zlib at its fastest level: the pictures kept here are flat colours, line
// drawings and their differences, which even level 1 packs many times over;
// a higher level costs seconds on a big scan for a few per cent. The rows go
// in chunks, compressed side by side, so a 100-megapixel step takes a
// fraction of a second on a few cores and no chunk nears zlib's limits.
constexpr qsizetype kChunkBytes = qsizetype{16} << 20;
constexpr int kLevel = 1;

// Rows of 32-bit pixels, `width` words each, as one run of bytes per chunk.
struct Chunks {
    std::vector<QByteArray> parts;
    std::int64_t bytes() const
    {
        std::int64_t sum = 0;
        for (const QByteArray& part : parts)
            sum += part.size();
        return sum;
    }
};

Chunks Compress(const uchar* bytes, qsizetype total)
{
    std::vector<std::future<QByteArray>> work;
    for (qsizetype at = 0; at < total; at += kChunkBytes) {
        const qsizetype length = std::min(kChunkBytes, total - at);
        work.push_back(std::async(std::launch::async, [=] { return qCompress(bytes + at, length, kLevel); }));
    }
    Chunks chunks;
    for (std::future<QByteArray>& part : work) {
        chunks.parts.push_back(part.get());
        if (chunks.parts.back().isEmpty())
            throw std::bad_alloc();
    }
    return chunks;
}

Chunks Compress(const std::vector<std::uint32_t>& words)
{
    return Compress(reinterpret_cast<const uchar*>(words.data()),
                    static_cast<qsizetype>(words.size() * sizeof(std::uint32_t)));
}

// A 32-bit picture's pixels are one run of bytes: its rows are whole words.
Chunks Compress(const QImage& image)
{
    return Compress(image.constBits(), image.sizeInBytes());
}

void Uncompress(const std::vector<QByteArray>& parts, uchar* out, std::size_t total)
{
    std::size_t at = 0;
    for (const QByteArray& part : parts) {
        const QByteArray raw = qUncompress(part);
        if (raw.isEmpty() || at + static_cast<std::size_t>(raw.size()) > total)
            throw std::bad_alloc();
        std::memcpy(out + at, raw.constData(), static_cast<std::size_t>(raw.size()));
        at += static_cast<std::size_t>(raw.size());
    }
}

std::vector<std::uint32_t> Uncompress(const std::vector<QByteArray>& parts, std::size_t words)
{
    std::vector<std::uint32_t> out(words);
    Uncompress(parts, reinterpret_cast<uchar*>(out.data()), words * sizeof(std::uint32_t));
    return out;
}

const std::uint32_t* Row(const QImage& image, int y)
{
    return reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
}

// The smallest rectangle outside which the two pictures (of one size and
// format) agree; empty when they agree everywhere.
QRect ChangedRect(const QImage& a, const QImage& b)
{
    const int width = a.width();
    const auto rowBytes = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
    int top = 0;
    while (top < a.height() && std::memcmp(Row(a, top), Row(b, top), rowBytes) == 0)
        ++top;
    if (top == a.height())
        return {};
    int bottom = a.height() - 1;
    while (std::memcmp(Row(a, bottom), Row(b, bottom), rowBytes) == 0)
        --bottom;
    int left = width, right = -1;
    for (int y = top; y <= bottom; ++y) {
        const std::uint32_t* ra = Row(a, y);
        const std::uint32_t* rb = Row(b, y);
        int x = 0;
        while (x < left && ra[x] == rb[x])
            ++x;
        left = std::min(left, x);
        int r = width - 1;
        while (r > right && ra[r] == rb[r])
            --r;
        right = std::max(right, r);
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

std::vector<std::uint32_t> Difference(const QImage& a, const QImage& b, QRect rect)
{
    std::vector<std::uint32_t> words(static_cast<std::size_t>(rect.width()) * static_cast<std::size_t>(rect.height()));
    std::uint32_t* out = words.data();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const std::uint32_t* ra = Row(a, y) + rect.left();
        const std::uint32_t* rb = Row(b, y) + rect.left();
        for (int x = 0; x < rect.width(); ++x)
            *out++ = ra[x] ^ rb[x];
    }
    return words;
}

bool Comparable(const QImage& a, const QImage& b)
{
    return a.size() == b.size() && a.format() == b.format() && a.depth() == 32 && !a.isNull();
}

} // namespace

void PictureHistory::record(const QImage& before, const PictureIdentity& beforeIdentity, const QImage& after,
                            const PictureIdentity& afterIdentity, const Message& what)
{
    Step step;
    step.what = &what;
    if (Comparable(before, after) && beforeIdentity == afterIdentity) {
        step.rect = ChangedRect(before, after);
        if (step.rect.isEmpty())
            return; // nothing changed: nothing to undo
        step.data = Compress(Difference(before, after, step.rect)).parts;
    } else {
        const QImage whole = before.depth() == 32 ? before : before.convertToFormat(QImage::Format_RGB32);
        if (whole.isNull() && !before.isNull())
            throw std::bad_alloc();
        step.whole = true;
        step.size = whole.size();
        step.format = whole.isNull() ? QImage::Format_RGB32 : whole.format();
        step.data = Compress(whole).parts;
        step.identity = beforeIdentity;
    }
    for (const QByteArray& part : step.data)
        step.bytes += part.size();
    while (canRedo()) {
        m_bytes -= m_steps.back().bytes;
        m_steps.pop_back();
    }
    m_bytes += step.bytes;
    m_steps.push_back(std::move(step));
    ++m_done;
    trim();
}

void PictureHistory::trim()
{
    while (!m_steps.empty() && (static_cast<int>(m_steps.size()) > kMaxSteps || m_bytes > m_budget)) {
        m_bytes -= m_steps.front().bytes;
        m_steps.pop_front();
        m_done = std::max(0, m_done - 1);
    }
}

QImage PictureHistory::swap(Step& step, const QImage& current, PictureIdentity& identity)
{
    if (!step.whole) {
        QImage other = current.copy();
        if (other.isNull() && !current.isNull())
            throw std::bad_alloc();
        const std::vector<std::uint32_t> xor_ = Uncompress(step.data, static_cast<std::size_t>(step.rect.width()) *
                                                                          static_cast<std::size_t>(step.rect.height()));
        const std::uint32_t* in = xor_.data();
        for (int y = step.rect.top(); y <= step.rect.bottom(); ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(other.scanLine(y)) + step.rect.left();
            for (int x = 0; x < step.rect.width(); ++x)
                row[x] ^= *in++;
        }
        return other;
    }
    QImage other(step.size, step.format);
    if (other.isNull() && !step.size.isEmpty())
        throw std::bad_alloc();
    if (!other.isNull())
        Uncompress(step.data, other.bits(), static_cast<std::size_t>(other.sizeInBytes()));
    // The step now keeps the picture it replaced, for the way back.
    const QImage mine = current.depth() == 32 ? current : current.convertToFormat(QImage::Format_RGB32);
    std::vector<QByteArray> data = Compress(mine).parts;
    std::int64_t bytes = 0;
    for (const QByteArray& part : data)
        bytes += part.size();
    m_bytes += bytes - step.bytes;
    step.bytes = bytes;
    step.data = std::move(data);
    step.size = mine.size();
    step.format = mine.isNull() ? QImage::Format_RGB32 : mine.format();
    std::swap(step.identity, identity);
    return other;
}

QImage PictureHistory::undo(const QImage& current, PictureIdentity& identity)
{
    QImage other = swap(m_steps[static_cast<std::size_t>(m_done - 1)], current, identity);
    --m_done;
    return other;
}

QImage PictureHistory::redo(const QImage& current, PictureIdentity& identity)
{
    QImage other = swap(m_steps[static_cast<std::size_t>(m_done)], current, identity);
    ++m_done;
    return other;
}

void PictureHistory::clear()
{
    m_steps.clear();
    m_done = 0;
    m_bytes = 0;
}

} // namespace centrafix
