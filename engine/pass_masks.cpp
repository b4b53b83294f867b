#include "pass_masks.h"

#include <algorithm>
#include <cstddef>

namespace centrafix {
namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

bool SameColor(std::uint32_t a, std::uint32_t b)
{
    return ((a ^ b) & kRgbMask) == 0;
}

std::uint8_t* MaskRow(std::uint8_t* mask, int y, int width)
{
    return mask + static_cast<std::ptrdiff_t>(y) * width;
}

} // namespace

void FillScanMask(const RasterView& raster, const ColorMatcher& matcher, std::uint8_t* mask)
{
    const int W = raster.width;
    for (int y = 0; y < raster.height; ++y) {
        const std::uint32_t* row = raster.row(y);
        std::uint8_t* maskRow = MaskRow(mask, y, W);
        int x = 0;
        while (x < W) {
            if (!matcher.matches(row[x])) {
                ++x;
                continue;
            }
            const int xs = x;
            while (x < W && matcher.matches(row[x]))
                ++x;
            std::fill(maskRow + xs, maskRow + x, std::uint8_t{1});
            maskRow[xs + (x - xs) / 4] = 2; // the quarter-chord point in the object's colour
        }
    }
}

void FillVerticalPairMask(const RasterView& raster, const ColorMatcher& matcher, std::uint8_t* mask)
{
    const int W = raster.width;
    for (int y = 0; y < raster.height; ++y) {
        const std::uint32_t* row = raster.row(y);
        std::uint8_t* maskRow = MaskRow(mask, y, W);
        for (int x = 1; x < W; ++x) {
            if (SameColor(row[x], row[x - 1]) && matcher.matches(row[x]))
                maskRow[x - 1] = 1;
        }
    }
}

void FillHorizontalPairMask(const RasterView& raster, const ColorMatcher& matcher, std::uint8_t* mask)
{
    const int W = raster.width;
    for (int y = 1; y < raster.height; ++y) {
        const std::uint32_t* row = raster.row(y);
        const std::uint32_t* above = raster.row(y - 1);
        std::uint8_t* maskAbove = MaskRow(mask, y - 1, W);
        for (int x = 0; x < W; ++x) {
            if (SameColor(row[x], above[x]) && matcher.matches(row[x]))
                maskAbove[x] = 1;
        }
    }
}

} // namespace centrafix
