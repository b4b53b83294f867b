#pragma once

#include <QIODevice>

#include <cstddef>

namespace centrafix {

// A picture file's bytes as a decoding library asks for them, noting
// whether it ever asked for bytes beyond the end: a complete file holds all
// its decoder needs (JPEG and PNG stop at their end markers, TIFF's strips
// lie inside the file), so one that is cut short is found out, where the
// libraries would fill the rest or fail with words that hide the cause.
class DeviceInput {
public:
    explicit DeviceInput(QIODevice* device) : m_device(device), m_start(device->pos()) {}

    bool ranOut() const { return m_ranOut; }
    // For a reader that asks for exactly what it needs: a short read, too,
    // means the file ended before its picture did.
    void noteShortRead() { m_ranOut = true; }
    QIODevice* device() const { return m_device; }

    // Up to `size` bytes; fewer only at the end.
    qint64 read(void* data, qint64 size)
    {
        const qint64 got = m_device->read(static_cast<char*>(data), size);
        m_ranOut = m_ranOut || (size > 0 && got <= 0);
        return got < 0 ? 0 : got;
    }

    // Positions count from where the picture starts.
    bool seek(qint64 position)
    {
        m_ranOut = m_ranOut || position > size();
        return position <= size() && m_device->seek(m_start + position);
    }
    qint64 position() const { return m_device->pos() - m_start; }
    qint64 size() const { return m_device->size() - m_start; }

    // Back to the picture's first byte, as found.
    void rewind() { m_device->seek(m_start); }

private:
    QIODevice* m_device;
    qint64 m_start;
    bool m_ranOut = false;
};

} // namespace centrafix
