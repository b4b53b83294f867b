#include "test_raster.h"

#include <stdexcept>

namespace centrafix::test {

std::int32_t ColorOfChar(char c)
{
    switch (c) {
    case '.': return Rgb(255, 255, 255);
    case 'k': return Rgb(0, 0, 0);
    case 'r': return Rgb(255, 0, 0);
    case 'g': return Rgb(0, 255, 0);
    case 'b': return Rgb(0, 0, 255);
    case 'y': return Rgb(255, 255, 0);
    case 'c': return Rgb(0, 255, 255);
    case 'm': return Rgb(255, 0, 255);
    case 'R': return Rgb(250, 0, 0);
    case 'G': return Rgb(0, 250, 3);
    default: throw std::invalid_argument(std::string("unknown pixel character ") + c);
    }
}

TextPicture::TextPicture(std::initializer_list<std::string> rows)
{
    m_height = static_cast<int>(rows.size());
    m_width = m_height ? static_cast<int>(rows.begin()->size()) : 0;
    for (const std::string& row : rows) {
        if (static_cast<int>(row.size()) != m_width)
            throw std::invalid_argument("rows of different length");
        for (char c : row)
            m_words.push_back(ToRasterWord(ColorOfChar(c)));
    }
}

TextPicture::TextPicture(int width, int height, std::int32_t color)
    : m_width(width),
      m_height(height),
      m_words(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), ToRasterWord(color))
{}

void TextPicture::set(int x, int y, std::int32_t color)
{
    m_words[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x)] =
        ToRasterWord(color);
}

RasterView TextPicture::view() const
{
    RasterView v;
    v.bits = m_words.data();
    v.width = m_width;
    v.height = m_height;
    v.stride = m_width;
    return v;
}

} // namespace centrafix::test
