#pragma once

#include "cg_range.h"
#include "neutral_point_estimate.h"
#include "planform_outline.h"
#include "surface_geometry.h"
#include "surface_role.h"

#include <array>
#include <optional>
#include <variant>
#include <vector>

namespace centrafix::aero {

// Where nobody said otherwise: a C.G. range for static margins of 5 to 15 %
// of the wing's MAC, usual for models and light aircraft, and a tail that
// works at 90 % of the free stream's dynamic pressure.
inline constexpr double kMarginLowDefault = 5.0;
inline constexpr double kMarginHighDefault = 15.0;
inline constexpr double kTailEfficiencyDefault = 0.9;
// Static margins outside these are refused as typing errors.
inline constexpr double kMarginLowest = -50.0;
inline constexpr double kMarginHighest = 100.0;

// What the user set for the balance. Entries 1 to 7 are the colours.
struct BalanceSettings {
    // 1 black fuselage, 2 red wing, 4 blue tail: the built-in example's.
    std::array<SurfaceRole, 8> roles{SurfaceRole::Other, SurfaceRole::Fuselage, SurfaceRole::Wing,  SurfaceRole::Other,
                                     SurfaceRole::Tail,  SurfaceRole::Other,    SurfaceRole::Other, SurfaceRole::Other};
    std::array<double, 8> heights{};      // above the wing plane, user's units
    double marginLow = kMarginLowDefault; // percent of the wing's MAC
    double marginHigh = kMarginHighDefault;
    double tailEfficiency = kTailEfficiencyDefault;
    std::optional<double> typedCgX; // a C.G. the user typed, user's units from the origin

    bool operator==(const BalanceSettings&) const = default;
};

// One lifting surface: the colours it is made of (several for a wing
// painted in more than one), its outline and what the balance made of it.
struct SurfaceBalance {
    std::vector<int> objects;
    SurfaceRole role = SurfaceRole::Wing;
    Outline outline;
    SurfaceGeometry geometry;
    double clAlpha = 0.0;   // the lattice's, per radian on the surface's own area
    double liftShare = 0.0; // of the lattice's total lift
};

struct Balance {
    std::vector<SurfaceBalance> surfaces; // the wing first, then the others by colour
    double neutralPointX = 0.0;           // the lattice's
    double clAlpha = 0.0;                 // the lattice's, per radian on the wing's outline area
    int panels = 0;
    NeutralPointEstimate estimate;
    double marginLow = 0.0;
    double marginHigh = 0.0;
    CgRange range;
    std::optional<double> typedCgX;
    std::optional<double> typedCgMargin; // percent of the wing's MAC

    const SurfaceBalance& wing() const { return surfaces.front(); }
};

// Why a run has no balance.
enum class NoBalance {
    NoWing,      // no found colour has the role wing
    MachTooHigh, // the lattice's compressibility rule needs Mach below kLatticeMachLimit
    NoLift,      // the surfaces have no area (cannot happen with a found wing; kept for safety)
};

// The balance of a run: `edges` has, for each colour 1 to 7 that takes part
// (ticked and found), one entry per picture row; the others may be empty.
std::variant<Balance, NoBalance> ComputeBalance(const std::array<std::vector<RowEdges>, 8>& edges,
                                                const BalanceSettings& settings, const PlanformScale& scale,
                                                double mach);

} // namespace centrafix::aero
