#pragma once

#include "balance.h"
#include "cg_range.h"
#include "mass_items.h"

#include <optional>

namespace centrafix::aero {

// What the weight and balance is weighed against: the balance's neutral
// point, the wing's MAC and the C.G. range (x aft, from the origin), and how
// far the aircraft reaches fore and aft (frontX <= aftX), where ballast goes
// when the user names no position for it.
struct BalanceFrame {
    double neutralPointX = 0.0;
    double mac = 0.0;
    CgRange range;
    double frontX = 0.0;
    double aftX = 0.0;
};

// What fixes a C.G. outside the range.
enum class AdviceKind {
    None,              // the C.G. lies inside the range
    MoveItem,          // move `item` by `shift` to `x`
    Ballast,           // add `ballastMass` at `x`
    BallastCannotHelp, // the ballast's position is not on the side that helps
    ItemCannotHelp,    // the chosen item has no mass, so moving it changes nothing
};

struct WeightAdvice {
    AdviceKind kind = AdviceKind::None;
    int item = -1;          // MoveItem, ItemCannotHelp: its index in the list
    double shift = 0.0;     // MoveItem: aft positive
    double x = 0.0;         // MoveItem: the item's new x; Ballast, BallastCannotHelp: the ballast's x
    double ballastMass = 0.0;
    double cgX = 0.0;       // MoveItem, Ballast: the C.G. afterwards (the middle of the range)
};

struct WeightBalance {
    double totalMass = 0.0;
    double cgX = 0.0;          // the mass-weighted mean of the items' x
    double staticMargin = 0.0; // percent of the MAC
    bool inside = false;       // forwardX <= cgX <= aftX
    double targetX = 0.0;      // the middle of the range, where the advice puts the C.G.
    WeightAdvice advice;
};

// The aircraft's C.G. from its items and what brings it into the middle of
// the range when it lies outside: the chosen item moved, or ballast (at the
// chosen x, or else at frontX or aftX, whichever lies on the side that
// helps). Nothing for an empty list or a total mass of 0. The masses are
// taken as read: finite and not negative.
std::optional<WeightBalance> WeighBalance(const MassList& items, const AdviceChoice& choice,
                                          const BalanceFrame& frame);

// The frame of a run's balance. The aircraft reaches as far as its lifting
// surfaces' outlines (turned into x by `scale`) and its items: the nose and
// the tail a builder would put ballast into lie at or beyond those.
BalanceFrame FrameOf(const Balance& balance, const MassList& items, const PlanformScale& scale);

} // namespace centrafix::aero
