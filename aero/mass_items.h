#pragma once

#include <optional>
#include <string>
#include <vector>

namespace centrafix::aero {

// One thing the aircraft carries: the name the user gave it, its mass (in
// any unit, the same for every item) and where its own centre of gravity
// lies along x, in the picture's length units from the origin (aft positive,
// as the balance measures).
struct MassItem {
    std::string name;
    double mass = 0.0;
    double x = 0.0;

    bool operator==(const MassItem&) const = default;
};

// What the advice may change when the aircraft's C.G. lies outside the
// range: move one item of the list (its index), or, when none is chosen,
// add ballast at a position (the nose's, when none is given).
struct AdviceChoice {
    int moveItem = -1;
    std::optional<double> ballastX;

    bool operator==(const AdviceChoice&) const = default;
};

using MassList = std::vector<MassItem>;

} // namespace centrafix::aero
