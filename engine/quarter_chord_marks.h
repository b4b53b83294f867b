#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace centrafix {

// Gives back a canvas's memory: from calloc (mapping null) or a mapping of
// its own.
struct MarksMemoryFree {
    void* mapping = nullptr;
    std::size_t length = 0;
    void operator()(std::uint8_t* p) const;
};

// The quarter-chord canvas of the last run: a black W x H field with white
// marks at the leading edge, the quarter-chord point and the trailing edge of
// every run of matching pixels that ends inside the picture. One byte a pixel;
// while a run is scanning, each object marks its own bit (so the marks of
// objects an Esc keeps from being counted can be dropped again), and after the
// scan a cell is simply 0 (black) or not (white). The picture layer turns it
// into an image for the bitmap copy.
class QuarterChordMarks {
public:
    QuarterChordMarks() = default;
    // Zeroed memory that the system hands out lazily, so a big canvas with
    // few marks costs little more than the pages it marks.
    QuarterChordMarks(int width, int height) : m_width(width), m_height(height), m_cells(allocate(size())) {}
    QuarterChordMarks(const QuarterChordMarks& other)
        : m_width(other.m_width),
          m_height(other.m_height),
          m_cells(allocate(size()))
    {
        if (size() > 0)
            std::memcpy(m_cells.get(), other.m_cells.get(), size());
    }
    QuarterChordMarks& operator=(const QuarterChordMarks& other)
    {
        if (this != &other)
            *this = QuarterChordMarks(other);
        return *this;
    }
    QuarterChordMarks(QuarterChordMarks&&) noexcept = default;
    QuarterChordMarks& operator=(QuarterChordMarks&&) noexcept = default;

    int width() const { return m_width; }
    int height() const { return m_height; }
    void mark(int x, int y, std::uint8_t bits = 1) { m_cells[index(x, y)] |= bits; }
    const std::uint8_t* row(int y) const { return m_cells.get() + index(0, y); }
    std::uint8_t* row(int y) { return m_cells.get() + index(0, y); }

    // Keeps only the marks whose bits are in `bits`.
    void keepOnly(std::uint8_t bits)
    {
        std::uint8_t* cells = m_cells.get();
        for (std::size_t i = 0, n = size(); i < n; ++i)
            cells[i] &= bits;
    }

    // The bit an object (1 to 7) marks with.
    static constexpr std::uint8_t bitOf(int object) { return static_cast<std::uint8_t>(1u << (object - 1)); }

private:
    using Free = MarksMemoryFree;

    std::size_t size() const { return static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height); }

    // A canvas of many megabytes gets huge pages where the system offers
    // them: marking a big picture otherwise spends more time taking page
    // faults than finding the marks.
    static std::unique_ptr<std::uint8_t[], Free> allocate(std::size_t bytes);

    std::size_t index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x);
    }

    int m_width = 0;
    int m_height = 0;
    std::unique_ptr<std::uint8_t[], Free> m_cells;
};

} // namespace centrafix
