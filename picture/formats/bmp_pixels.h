#pragma once

#include "picture/formats/bmp_header.h"

#include <QByteArrayView>

#include <array>
#include <cstdint>

namespace centrafix {

// What a bitmap's stored pixels mean in working-copy words: the colour table
// for 1, 4 and 8 bits a pixel, blue-green-red bytes for 24 and 32. Every
// index has a colour: the entries a file announces but does not store, and
// those past the table, are black, as Qt's reader shows indices past a short
// table. So a file is measured the same every time, whatever it leaves out.
class BmpPixels {
public:
    // `table`: the colour table's bytes as stored, header.paletteEntryBytes()
    // each (the reserved fourth byte ignored, as Qt ignores it).
    BmpPixels(const BmpHeader& header, QByteArrayView table);

    // The colour of a colour-table index.
    std::uint32_t color(int index) const { return m_colors[static_cast<std::size_t>(index & 0xFF)]; }

    // One stored row of `width` pixels as working words.
    void convertRow(const unsigned char* stored, std::uint32_t* out, int width) const;

private:
    int m_bitCount;
    std::array<std::uint32_t, 256> m_colors;
};

} // namespace centrafix
