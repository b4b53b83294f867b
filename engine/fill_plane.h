#pragma once

#include "raster.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace centrafix {

// What a fill knows about each pixel of the picture, one byte per pixel, one
// bit per fact. A byte per pixel (100 MB for a 100-megapixel picture, a
// quarter of the picture itself) is what a fill holds at most, besides the
// lists of line pixels it splits: bits rather than bytes would save memory
// but cost every pass shifts and masks.
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

class FillPlane {
public:
    FillPlane() = default;
    // Uninitialised: every step writes the bits it reads first.
    FillPlane(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    std::uint8_t* row(int y) const { return m_bytes.get() + static_cast<std::ptrdiff_t>(y) * m_width; }
    std::uint8_t& at(int x, int y) const { return row(y)[x]; }

private:
    std::unique_ptr<std::uint8_t[]> m_bytes;
    int m_width = 0;
    int m_height = 0;
};

// Every pixel's kLine and kPainted bits; the others cleared. A pixel is a
// line when red + green + blue is below `lineThreshold`, unless it is one of
// the six object colours other than black: a region painted red, green or
// blue is dark by the sum but must stay a region, or a second fill could not
// recolour it and a fill beside it would take it for a line. Black is a line:
// a black region cannot be told from ink.
FillPlane ClassifyForFill(const RasterView& raster, int lineThreshold);

// Sets kWall on the lines closed by a square of side 2 * radius + 1 (dilated,
// then eroded): gaps up to 2 * radius pixels wide, straight or diagonal, are
// bridged; straight edges and square corners keep their place. Painted pixels
// are never walls. Uses the scratch bits, leaves them cleared.
void BridgeGaps(FillPlane& plane, int radius);

} // namespace centrafix
