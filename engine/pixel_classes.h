#pragma once

#include "color_match.h"
#include "color_object.h"
#include "raster.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace centrafix {

// A clearly coloured pixel that matches no colour within maxSum
// (MaxColorDistance of the tolerance): none of the seven, nor white, the
// paper. "Clearly coloured" is a pixel nobody would take for white, grey or
// a pale tint: its components spread over kClearSpread or more (a colour), or
// its brightest component is below kDarkBelow (dark). Paper, grey
// anti-aliasing and pastel fringes are not; a noisy black, a JPEG's red or a
// photograph's colours are. Many of them mean that the tolerance, or a
// missing clean-up, leaves parts of the objects out.
inline constexpr int kClearSpread = 96;
inline constexpr int kDarkBelow = 96;

inline bool IsStrayPixel(std::uint32_t w, int maxSum)
{
    const int r = static_cast<int>((w >> 16) & 0xFF), g = static_cast<int>((w >> 8) & 0xFF),
              b = static_cast<int>(w & 0xFF);
    const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
    if (hi - lo < kClearSpread && hi >= kDarkBelow)
        return false;
    // The summed distance to the nearest of the eight corner colours, which
    // is the nearest colour of all.
    return std::min(r, 255 - r) + std::min(g, 255 - g) + std::min(b, 255 - b) > maxSum;
}

// Which object (1 to 7) a raster word belongs to for one measuring read, 0 for
// none. Two rules: by the nearest colour corner, when no word can match two
// object colours (the tolerance is at most half the smallest distance between
// two object colours, 255); or by one object colour alone, for any tolerance.
// The scalar walkers call it per pixel; the vector sweep reads the same
// fields and must agree with it bit for bit.
struct PixelClasses {
    bool byCorner = true;
    // The object of each colour corner, by the bits (red >= 128) |
    // (green >= 128) << 1 | (blue >= 128) << 2: 0 for white and for objects
    // not measured.
    std::array<std::uint8_t, 8> cornerObject{};
    int maxSum = -1;         // the largest summed component distance that matches; -1: none
    int object = 0;          // the one object (byCorner false)
    std::uint32_t flip = 0;  // raster bits to flip so each component becomes its distance to the object colour
    bool countStray = false; // whether the walkers count the IsStrayPixel words of the row

    static PixelClasses ByCorner(const std::array<bool, 8>& measured, double Tolerance)
    {
        // Object index of each colour corner; white (all set) is the background.
        constexpr std::array<int, 8> kCornerObject = {1, 2, 3, 5, 4, 7, 6, 0};
        PixelClasses c;
        c.maxSum = MaxColorDistance(Tolerance);
        c.countStray = true;
        for (std::size_t corner = 0; corner < 8; ++corner) {
            const int o = kCornerObject[corner];
            c.cornerObject[corner] = static_cast<std::uint8_t>(o != 0 && measured[static_cast<std::size_t>(o)] ? o : 0);
        }
        return c;
    }

    // The stray pixels are counted once a run: by the sweep of its first object.
    static PixelClasses Single(int object, double Tolerance, bool countStray = false)
    {
        PixelClasses c;
        c.byCorner = false;
        c.countStray = countStray;
        c.object = object;
        c.maxSum = MaxColorDistance(Tolerance);
        c.flip = ToRasterWord(kObjectColors[static_cast<std::size_t>(object)]) & 0x00FFFFFFu;
        return c;
    }

    int operator()(std::uint32_t w) const
    {
        if (byCorner) {
            const int r = static_cast<int>((w >> 16) & 0xFF), g = static_cast<int>((w >> 8) & 0xFF),
                      b = static_cast<int>(w & 0xFF);
            const int corner = (r >> 7) | (g >> 7) << 1 | (b >> 7) << 2;
            // Each component's distance to the nearer end, 0 or 255.
            const int distance = (r >> 7 ? 255 - r : r) + (g >> 7 ? 255 - g : g) + (b >> 7 ? 255 - b : b);
            return distance <= maxSum ? cornerObject[static_cast<std::size_t>(corner)] : 0;
        }
        const std::uint32_t d = w ^ flip;
        const int distance = static_cast<int>((d & 0xFF) + ((d >> 8) & 0xFF) + ((d >> 16) & 0xFF));
        return distance <= maxSum ? object : 0;
    }
};

} // namespace centrafix
