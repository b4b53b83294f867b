#include "balance_phase.h"

#include "drag_report.h"

#include <variant>

namespace centrafix {
namespace {

constexpr Message kNoWing{"Schwerpunktlage: keine gefundene Farbe hat die Rolle Flügel.",
                          "Balance: no found color has the role wing."};
constexpr Message kNoMach{"Schwerpunktlage: das Feld Machzahl gibt keine Zahl.",
                          "Balance: the Mach number field gives no number."};
constexpr Message kMachTooHigh{"Schwerpunktlage: das Wirbelgitter braucht eine Machzahl unter 0,95.",
                               "Balance: the vortex lattice needs a Mach number below 0.95."};
constexpr Message kNoLift{"Schwerpunktlage: die tragenden Flächen haben keine Fläche.",
                          "Balance: the lifting surfaces have no area."};

constexpr std::size_t At(int i)
{
    return static_cast<std::size_t>(i);
}

const Message& ReasonOf(aero::NoBalance reason)
{
    switch (reason) {
    case aero::NoBalance::NoWing: return kNoWing;
    case aero::NoBalance::MachTooHigh: return kMachTooHigh;
    case aero::NoBalance::NoLift: break;
    }
    return kNoLift;
}

} // namespace

std::array<bool, 8> LiftingSurfacesFound(const ColorObjectTable& objects, const AnalysisInputs& inputs)
{
    std::array<bool, 8> colours = EdgeColours(inputs.ticked, inputs.balance);
    for (int i = 1; i <= kObjectCount; ++i)
        colours[At(i)] = colours[At(i)] && objects[At(i)].Found;
    return colours;
}

BalanceOutcome BalanceOfRun(PictureEdges edges, const ColorObjectTable& objects, const AnalysisInputs& inputs,
                            double ScaleFactor)
{
    const std::array<bool, 8> taking = LiftingSurfacesFound(objects, inputs);
    if (!AnyEdgeColour(taking))
        return {};
    bool wing = false;
    for (int i = 1; i <= kObjectCount; ++i)
        wing = wing || (taking[At(i)] && inputs.balance.roles[At(i)] == aero::SurfaceRole::Wing);
    if (!wing)
        return {std::nullopt, &kNoWing};
    const Result<double> mach = ReadDragField(inputs.machText, Field::Mach, inputs.localeSeparator);
    if (!mach)
        return {std::nullopt, &kNoMach};
    for (int i = 1; i <= kObjectCount; ++i)
        if (!taking[At(i)])
            edges[At(i)].clear();
    const aero::PlanformScale scale{ScaleFactor, inputs.OriginX, inputs.OriginY};
    auto computed = aero::ComputeBalance(edges, inputs.balance, scale, *mach);
    if (auto* reason = std::get_if<aero::NoBalance>(&computed))
        return {std::nullopt, &ReasonOf(*reason)};
    return {std::move(std::get<aero::Balance>(computed)), nullptr};
}

} // namespace centrafix
