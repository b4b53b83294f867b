#pragma once

#include "raster.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace centrafix {

// What a fill knows about each pixel of the picture, one byte per pixel, one
// bit per fact. A fill holds at most this byte and two bits per pixel (125 MB
// for a 100-megapixel picture, under a third of the picture itself), and
// lists of the line pixels it splits (8 bytes each, only within a line's
// width of the region).
namespace fillbit {
inline constexpr std::uint8_t kLine = 1;    // darker than the threshold, and not a painted colour
inline constexpr std::uint8_t kPainted = 2; // exactly one of the six object colours other than black
inline constexpr std::uint8_t kWall = 4;    // a line once its gaps are bridged (never a painted pixel)
inline constexpr std::uint8_t kRegion = 8;  // to be painted
// Free for each step to use within the pixels it works on.
inline constexpr std::uint8_t kScratchA = 16;
inline constexpr std::uint8_t kScratchB = 32;
inline constexpr std::uint8_t kScratchC = 64;
inline constexpr std::uint8_t kScratchD = 128;
} // namespace fillbit

// Pixels as bits, 64 to a word, the lowest bit the leftmost pixel: the
// bridging of gaps works on the lines so, a few word operations per 64
// pixels for each pass.
class BitPlane {
public:
    BitPlane() = default;
    // Uninitialised, as the fill plane.
    BitPlane(int width, int height);

    int words() const { return m_words; }
    std::uint64_t* row(int y) const { return m_bits.get() + static_cast<std::ptrdiff_t>(y) * m_words; }

private:
    std::unique_ptr<std::uint64_t[]> m_bits;
    int m_words = 0;
};

class FillPlane {
public:
    FillPlane() = default;
    // Uninitialised: every step writes the bits it reads first.
    FillPlane(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    std::uint8_t* row(int y) const { return m_bytes.get() + static_cast<std::ptrdiff_t>(y) * m_width; }
    std::uint8_t& at(int x, int y) const { return row(y)[x]; }
    // The kLine bits once more, as bits, until the gaps are bridged.
    BitPlane& lineBits() { return m_lineBits; }

private:
    BitPlane m_lineBits;
    std::unique_ptr<std::uint8_t[]> m_bytes;
    int m_width = 0;
    int m_height = 0;
};

// Every pixel's kLine and kPainted bits, the others cleared, and the line
// bits. A pixel is a
// line when red + green + blue is below `lineThreshold`, unless it is one of
// the six object colours other than black: a region painted red, green or
// blue is dark by the sum but must stay a region, or a second fill could not
// recolour it and a fill beside it would take it for a line. Black is a line:
// a black region cannot be told from ink.
FillPlane ClassifyForFill(const RasterView& raster, int lineThreshold);

// Sets kWall on the lines closed by a square of side 2 * radius + 1 (dilated,
// then eroded): gaps up to 2 * radius pixels wide, straight or diagonal, are
// bridged; straight edges and square corners keep their place. Painted pixels
// are never walls. The radius is at most 32; while it works it holds one
// more bit per pixel, and gives the line bits back.
void BridgeGaps(FillPlane& plane, int radius);

} // namespace centrafix
