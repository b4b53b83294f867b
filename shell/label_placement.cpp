#include "label_placement.h"

#include <algorithm>

namespace centrafix {
namespace {

// The search grid, in screen pixels: fine enough that a label lands close to
// its mark, coarse enough that sixteen labels are placed in no time.
constexpr int kStep = 3;
constexpr int kHeightsUpAndDown = 6;

// `box` moved the least to lie inside `bounds`, or against its left and top
// edges when it is larger.
QRect Inside(QRect box, const QRect& bounds)
{
    const int x = std::max(bounds.left(), std::min(box.left(), bounds.right() + 1 - box.width()));
    const int y = std::max(bounds.top(), std::min(box.top(), bounds.bottom() + 1 - box.height()));
    box.moveTopLeft(QPoint(x, y));
    return box;
}

bool IsFree(const QRect& box, const std::vector<QRect>& placed)
{
    return std::none_of(placed.begin(), placed.end(), [&](const QRect& other) { return other.intersects(box); });
}

// The moves to try, nearest first: a grid through the place asked for.
std::vector<QPoint> Moves(const QSize& size)
{
    const int reachX = std::max(kStep, size.width());
    const int reachY = std::max(kStep, kHeightsUpAndDown * size.height());
    std::vector<QPoint> moves;
    for (int dy = -(reachY / kStep) * kStep; dy <= reachY; dy += kStep)
        for (int dx = -(reachX / kStep) * kStep; dx <= reachX; dx += kStep)
            moves.emplace_back(dx, dy);
    std::stable_sort(moves.begin(), moves.end(), [](const QPoint& a, const QPoint& b) {
        return QPoint::dotProduct(a, a) < QPoint::dotProduct(b, b);
    });
    return moves;
}

} // namespace

std::vector<QRect> PlaceLabels(const std::vector<QRect>& wanted, const QRect& bounds)
{
    std::vector<QRect> placed;
    placed.reserve(wanted.size());
    for (const QRect& label : wanted) {
        const QRect start = Inside(label, bounds);
        QRect chosen = start;
        if (!IsFree(start, placed)) {
            for (const QPoint& move : Moves(label.size())) {
                const QRect candidate = start.translated(move);
                if (bounds.contains(candidate) && IsFree(candidate, placed)) {
                    chosen = candidate;
                    break;
                }
            }
        }
        placed.push_back(chosen);
    }
    return placed;
}

} // namespace centrafix
