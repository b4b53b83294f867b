#pragma once

#include <cstdint>
#include <vector>

namespace centrafix {

// The quarter-chord canvas of the last run: a black W x H field with white
// marks at the leading edge, the quarter-chord point and the trailing edge of
// every run of matching pixels that ends inside the picture. One byte a pixel
// (0 black, 1 white); the picture layer turns it into an image for the bitmap
// copy.
class QuarterChordMarks {
public:
    QuarterChordMarks() = default;
    QuarterChordMarks(int width, int height)
        : m_width(width), m_height(height),
          m_cells(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0)
    {
    }

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isMarked(int x, int y) const { return m_cells[index(x, y)] != 0; }
    void mark(int x, int y) { m_cells[index(x, y)] = 1; }
    const std::uint8_t* row(int y) const { return m_cells.data() + index(0, y); }
    std::uint8_t* row(int y) { return m_cells.data() + index(0, y); }

private:
    std::size_t index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
               static_cast<std::size_t>(x);
    }

    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_cells;
};

} // namespace centrafix
