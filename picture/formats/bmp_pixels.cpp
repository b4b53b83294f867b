#include "picture/formats/bmp_pixels.h"

#include "picture/formats/working_words.h"

#include <algorithm>

namespace centrafix {

namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;

} // namespace

BmpPixels::BmpPixels(const BmpHeader& header, QByteArrayView table) : m_bitCount(header.bitCount)
{
    m_colors.fill(kBlack);
    const qsizetype entryBytes = header.paletteEntryBytes();
    const qsizetype entries = std::min<qsizetype>(table.size() / entryBytes, qsizetype(m_colors.size()));
    const auto* bytes = reinterpret_cast<const unsigned char*>(table.data());
    for (qsizetype i = 0; i < entries; ++i) {
        const unsigned char* bgr = bytes + i * entryBytes;
        m_colors[static_cast<std::size_t>(i)] =
            kBlack | std::uint32_t{bgr[2]} << 16 | std::uint32_t{bgr[1]} << 8 | bgr[0];
    }
}

void BmpPixels::convertRow(const unsigned char* stored, std::uint32_t* out, int width) const
{
    switch (m_bitCount) {
    case 1:
        for (int x = 0; x < width; ++x)
            out[x] = m_colors[(stored[x >> 3] >> (7 - (x & 7))) & 1];
        break;
    case 4:
        for (int x = 0; x < width; ++x)
            out[x] = m_colors[(stored[x >> 1] >> ((x & 1) != 0 ? 0 : 4)) & 0xF];
        break;
    case 8:
        for (int x = 0; x < width; ++x)
            out[x] = m_colors[stored[x]];
        break;
    default: BgrToWorkingWords(stored, out, width, m_bitCount / 8); break;
    }
}

} // namespace centrafix
