#include "run_weighing.h"

namespace centrafix {

std::optional<WeighedRun> WeighRun(const AnalysisInputs& inputs, const AnalysisResult& result,
                                   const aero::MassList& items, const aero::AdviceChoice& choice)
{
    if (!result.balance)
        return std::nullopt;
    const aero::PlanformScale scale{result.values.ScaleFactor, inputs.OriginX, inputs.OriginY};
    std::optional<aero::WeightBalance> weighed =
        aero::WeighBalance(items, choice, aero::FrameOf(*result.balance, items, scale));
    if (!weighed)
        return std::nullopt;
    return WeighedRun{items, *weighed};
}

} // namespace centrafix
