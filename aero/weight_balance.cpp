#include "weight_balance.h"

#include <algorithm>
#include <cstddef>

namespace centrafix::aero {
namespace {

// The lever rule: a mass m moved by s shifts the C.G. of the whole M by
// m·s/M; a mass b added at x_b moves it to (M·cg + b·x_b)/(M + b). Solved
// for the shift or the ballast that puts the C.G. on the target.
WeightAdvice MoveAdvice(const MassList& items, int index, double total, double cg, double target)
{
    const MassItem& item = items[static_cast<std::size_t>(index)];
    WeightAdvice advice;
    advice.item = index;
    if (!(item.mass > 0.0)) {
        advice.kind = AdviceKind::ItemCannotHelp;
        return advice;
    }
    advice.kind = AdviceKind::MoveItem;
    advice.shift = (target - cg) * total / item.mass;
    advice.x = item.x + advice.shift;
    advice.cgX = target;
    return advice;
}

WeightAdvice BallastAdvice(double ballastX, double total, double cg, double target)
{
    WeightAdvice advice;
    advice.x = ballastX;
    const double lever = ballastX - target;
    const double mass = lever != 0.0 ? total * (target - cg) / lever : 0.0;
    if (!(mass > 0.0)) {
        advice.kind = AdviceKind::BallastCannotHelp;
        return advice;
    }
    advice.kind = AdviceKind::Ballast;
    advice.ballastMass = mass;
    advice.cgX = target;
    return advice;
}

} // namespace

std::optional<WeightBalance> WeighBalance(const MassList& items, const AdviceChoice& choice,
                                          const BalanceFrame& frame)
{
    double total = 0.0;
    double moment = 0.0;
    for (const MassItem& item : items) {
        total += item.mass;
        moment += item.mass * item.x;
    }
    if (!(total > 0.0))
        return std::nullopt;
    WeightBalance result;
    result.totalMass = total;
    result.cgX = moment / total;
    result.staticMargin = StaticMargin(frame.neutralPointX, frame.mac, result.cgX);
    result.inside = result.cgX >= frame.range.forwardX && result.cgX <= frame.range.aftX;
    const double target = (frame.range.forwardX + frame.range.aftX) / 2.0;
    result.targetX = target;
    if (result.inside)
        return result;
    const bool validItem = choice.moveItem >= 0 && static_cast<std::size_t>(choice.moveItem) < items.size();
    if (validItem) {
        result.advice = MoveAdvice(items, choice.moveItem, total, result.cgX, target);
    } else {
        // Too far forward wants weight aft, too far aft weight forward.
        const double helpful = result.cgX < target ? frame.aftX : frame.frontX;
        result.advice = BallastAdvice(choice.ballastX.value_or(helpful), total, result.cgX, target);
    }
    return result;
}

BalanceFrame FrameOf(const Balance& balance, const MassList& items, const PlanformScale& scale)
{
    BalanceFrame frame;
    frame.neutralPointX = balance.neutralPointX;
    frame.mac = balance.wing().geometry.mac;
    frame.range = balance.range;
    bool any = false;
    const auto take = [&](double x) {
        frame.frontX = any ? std::min(frame.frontX, x) : x;
        frame.aftX = any ? std::max(frame.aftX, x) : x;
        any = true;
    };
    for (const SurfaceBalance& surface : balance.surfaces) {
        for (const OutlineRow& row : surface.outline.rows) {
            if (row.trail > row.lead) {
                take(row.lead * scale.scale - scale.originX);
                take(row.trail * scale.scale - scale.originX);
            }
        }
    }
    for (const MassItem& item : items)
        take(item.x);
    return frame;
}

} // namespace centrafix::aero
