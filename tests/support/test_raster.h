#pragma once

#include "engine/raster.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace centrafix::test {

// A small picture drawn as text, one character a pixel:
//   . white  k black  r red  g green  b blue  y yellow  c cyan  m magenta
//   R a red shade (250, 0, 0)  G a green shade (0, 250, 3)
class TextPicture {
public:
    explicit TextPicture(std::initializer_list<std::string> rows);
    TextPicture(int width, int height, std::int32_t color);

    RasterView view() const;
    int width() const { return m_width; }
    int height() const { return m_height; }
    void set(int x, int y, std::int32_t color);

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_words;
};

std::int32_t ColorOfChar(char c);

} // namespace centrafix::test
