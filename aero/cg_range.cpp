#include "cg_range.h"

namespace centrafix::aero {

CgRange RangeOfCg(double neutralPointX, double mac, double rootLeadX, double lowPercent, double highPercent)
{
    CgRange range;
    range.forwardX = neutralPointX - highPercent / 100.0 * mac;
    range.aftX = neutralPointX - lowPercent / 100.0 * mac;
    range.forwardBehindRootLead = range.forwardX - rootLeadX;
    range.aftBehindRootLead = range.aftX - rootLeadX;
    return range;
}

double StaticMargin(double neutralPointX, double mac, double cgX)
{
    // Without a MAC there is no margin to speak of; zero rather than NaN.
    if (mac <= 0.0)
        return 0.0;
    return (neutralPointX - cgX) / mac * 100.0;
}

} // namespace centrafix::aero
