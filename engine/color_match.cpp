#include "color_match.h"

#include "color_object.h"

#include <cmath>

namespace centrafix {

int MaxColorDistance(double Tolerance)
{
    if (!(Tolerance > 0.0))
        return -1;
    if (Tolerance > 766.0)
        return 765;
    return static_cast<int>(std::ceil(Tolerance)) - 1;
}

ColorMatcher::ColorMatcher(std::int32_t color, double Tolerance)
    : m_r(RedOf(color)),
      m_g(GreenOf(color)),
      m_b(BlueOf(color)),
      m_maxSum(MaxColorDistance(Tolerance))
{}

} // namespace centrafix
