#include "surface_geometry.h"

namespace centrafix::aero {

SurfaceGeometry MeasureSurface(const Outline&, const PlanformScale&)
{
    return {};
}

} // namespace centrafix::aero
