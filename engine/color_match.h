#pragma once

#include <cstdint>
#include <cstdlib>

namespace centrafix {

// A pixel matches a colour when the summed absolute differences of red,
// green and blue are strictly below Tolerance.

// The largest summed component difference that still matches under
// Tolerance: the components are integers, so "sum < Tolerance" is "sum <= the
// largest integer below Tolerance". -1 when nothing can match (a tolerance of
// 0 or below, or NaN); at most 765, the largest possible sum.
int MaxColorDistance(double Tolerance);

// That rule for one object colour, reading raster words, in integers.
class ColorMatcher {
public:
    ColorMatcher(std::int32_t color, double Tolerance);

    bool matches(std::uint32_t word) const
    {
        const int r = static_cast<int>((word >> 16) & 0xFF);
        const int g = static_cast<int>((word >> 8) & 0xFF);
        const int b = static_cast<int>(word & 0xFF);
        return std::abs(r - m_r) + std::abs(g - m_g) + std::abs(b - m_b) <= m_maxSum;
    }

private:
    int m_r;
    int m_g;
    int m_b;
    int m_maxSum;
};

} // namespace centrafix
