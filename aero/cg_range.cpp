#include "cg_range.h"

namespace centrafix::aero {

CgRange RangeOfCg(double, double, double, double, double)
{
    return {};
}

double StaticMargin(double, double, double)
{
    return 0.0;
}

} // namespace centrafix::aero
