#pragma once

#include "color_object.h"

#include <cstddef>
#include <cstdint>

namespace centrafix {

// A read-only view of a 32-bit picture raster: every pixel one word laid out as
// 0xAARRGGBB (the layout of a Qt RGB32 image; the top byte is ignored). The
// engine reads the caller's memory directly: a 50-megapixel picture is never
// copied for a run.
struct RasterView {
    const std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0; // words from one row to the next

    const std::uint32_t* row(int y) const { return bits + static_cast<std::ptrdiff_t>(y) * stride; }
};

// The same raster, for operations that change the picture in place.
struct MutableRasterView {
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;

    std::uint32_t* row(int y) const { return bits + static_cast<std::ptrdiff_t>(y) * stride; }
};

// Colour value (r + 256*g + 65536*b) to raster word and back, alpha dropped.
constexpr std::uint32_t ToRasterWord(std::int32_t color)
{
    return 0xFF000000u | (static_cast<std::uint32_t>(RedOf(color)) << 16) |
           (static_cast<std::uint32_t>(GreenOf(color)) << 8) | static_cast<std::uint32_t>(BlueOf(color));
}

constexpr std::int32_t FromRasterWord(std::uint32_t word)
{
    return Rgb(static_cast<int>((word >> 16) & 0xFF), static_cast<int>((word >> 8) & 0xFF),
               static_cast<int>(word & 0xFF));
}

} // namespace centrafix
