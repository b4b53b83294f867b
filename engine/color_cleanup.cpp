#include "color_cleanup.h"

#include "color_match.h"

#include <array>

namespace centrafix {
namespace {

// Per component value: the distance to its nearer end, and that end.
struct Nearest {
    std::array<std::uint16_t, 256> distance{};
    std::array<std::uint8_t, 256> end{};

    Nearest()
    {
        for (int v = 0; v < 256; ++v) {
            const bool high = v >= 128;
            distance[static_cast<std::size_t>(v)] = static_cast<std::uint16_t>(high ? 255 - v : v);
            end[static_cast<std::size_t>(v)] = high ? 255 : 0;
        }
    }
};

} // namespace

std::int64_t CleanUpColours(const MutableRasterView& raster, double threshold)
{
    static const Nearest nearest;
    // The same rule as the colour match: strictly below, in whole numbers.
    const int maxDistance = MaxColorDistance(threshold);
    std::int64_t changed = 0;
    for (int y = 0; y < raster.height; ++y) {
        std::uint32_t* row = raster.row(y);
        for (int x = 0; x < raster.width; ++x) {
            const std::uint32_t w = row[x];
            const auto r = static_cast<std::size_t>((w >> 16) & 0xFF);
            const auto g = static_cast<std::size_t>((w >> 8) & 0xFF);
            const auto b = static_cast<std::size_t>(w & 0xFF);
            const int distance = nearest.distance[r] + nearest.distance[g] + nearest.distance[b];
            if (distance == 0 || distance > maxDistance)
                continue;
            row[x] = 0xFF000000u | static_cast<std::uint32_t>(nearest.end[r]) << 16 |
                     static_cast<std::uint32_t>(nearest.end[g]) << 8 | nearest.end[b];
            ++changed;
        }
    }
    return changed;
}

} // namespace centrafix
