#include "balance_placement.h"

namespace centrafix {

BalancePlacement BalancePlacementOf(const AnalysisInputs& inputs, double ScaleFactor, const ColorObjectTable& objects,
                                    const QImage& picture)
{
    BalancePlacement placement{ScaleFactor, inputs.OriginX, inputs.OriginY, std::nullopt, std::nullopt};
    for (int i = 1; i <= kObjectCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (inputs.balance.roles[at] != aero::SurfaceRole::Fuselage || !objects[at].Found)
            continue;
        const std::int32_t c = kObjectColors[at];
        placement.bandRows = RowsHolding(picture, qRgb(RedOf(c), GreenOf(c), BlueOf(c)));
        break;
    }
    return placement;
}

} // namespace centrafix
