#pragma once

#include <cstdint>
#include <type_traits>

namespace centrafix {

// One component of a pixel with coverage `alpha` composited onto white,
// rounded: the working copy's rule for every transparent pixel.
constexpr std::uint32_t OverWhite(std::uint32_t component, std::uint32_t alpha)
{
    return (component * alpha + 255 * (255 - alpha) + 127) / 255;
}

// A row of 8-bit red, green, blue, alpha samples as working-copy words.
inline void RgbaToWorkingWords(const unsigned char* rgba, std::uint32_t* out, int width)
{
    for (int x = 0; x < width; ++x, rgba += 4) {
        const std::uint32_t a = rgba[3];
        std::uint32_t r = rgba[0], g = rgba[1], b = rgba[2];
        if (a != 255) {
            r = OverWhite(r, a);
            g = OverWhite(g, a);
            b = OverWhite(b, a);
        }
        out[x] = 0xFF000000u | r << 16 | g << 8 | b;
    }
}

// A row of 8-bit red, green, blue samples as working-copy words.
inline void RgbToWorkingWords(const unsigned char* rgb, std::uint32_t* out, int width)
{
    for (int x = 0; x < width; ++x, rgb += 3)
        out[x] = 0xFF000000u | std::uint32_t{rgb[0]} << 16 | std::uint32_t{rgb[1]} << 8 | rgb[2];
}

// A row of 8-bit blue, green, red samples (a bitmap's order), `step` bytes a
// pixel (3, or 4 with the fourth ignored), as working-copy words. Each step
// has its own loop, so the compiler knows the stride.
inline void BgrToWorkingWords(const unsigned char* bgr, std::uint32_t* out, int width, int step)
{
    const auto convert = [&](auto stride) {
        for (int x = 0; x < width; ++x, bgr += stride())
            out[x] = 0xFF000000u | std::uint32_t{bgr[2]} << 16 | std::uint32_t{bgr[1]} << 8 | bgr[0];
    };
    if (step == 4)
        convert(std::integral_constant<int, 4>());
    else
        convert(std::integral_constant<int, 3>());
}

// A row of 8-bit grey samples as working-copy words.
inline void GreyToWorkingWords(const unsigned char* grey, std::uint32_t* out, int width)
{
    for (int x = 0; x < width; ++x)
        out[x] = 0xFF000000u | std::uint32_t{grey[x]} * 0x010101u;
}

} // namespace centrafix
