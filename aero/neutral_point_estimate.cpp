#include "neutral_point_estimate.h"

namespace centrafix::aero {

NeutralPointEstimate EstimateNeutralPoint(const SurfaceGeometry&, const std::vector<EstimateSurface>&, double, double)
{
    return {};
}

} // namespace centrafix::aero
