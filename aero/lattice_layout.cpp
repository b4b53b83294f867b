#include "lattice_layout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace centrafix::aero {
namespace {

// The outline's edges at a row position (in picture rows, continuous):
// linear between the row centres, constant over the first and last half
// row, so strips follow a curved outline ever closer as they get finer.
OutlineRow EdgesAt(const Outline& outline, double row)
{
    const auto& rows = outline.rows;
    const double t = row - outline.firstRow - 0.5;
    if (t <= 0.0)
        return rows.front();
    const auto last = static_cast<double>(rows.size() - 1);
    if (t >= last)
        return rows.back();
    const auto i = static_cast<std::size_t>(t);
    const double f = t - static_cast<double>(i);
    return {rows[i].lead + f * (rows[i + 1].lead - rows[i].lead),
            rows[i].trail + f * (rows[i + 1].trail - rows[i].trail)};
}

double Chord(const OutlineRow& edges)
{
    return std::max(0.0, edges.trail - edges.lead);
}

struct Frame {
    const PlanformScale& scale;
    double xStretch;
    double X(double column) const { return (column * scale.scale - scale.originX) * xStretch; }
    double Y(double row) const { return row * scale.scale - scale.originY; }
};

// The x of a chord fraction at one strip edge, in pixel columns.
double AtFraction(const OutlineRow& edges, double fraction)
{
    return edges.lead + fraction * Chord(edges);
}

void LayOutStrip(const Frame& frame, const LatticeSurface& surface, int index, double rowA, double rowB, int chordwise,
                 double core, std::vector<Horseshoe>& out)
{
    const OutlineRow ea = EdgesAt(*surface.outline, rowA);
    const OutlineRow eb = EdgesAt(*surface.outline, rowB);
    if (Chord(ea) + Chord(eb) <= 0.0)
        return;
    const double ya = frame.Y(rowA);
    const double yb = frame.Y(rowB);
    const double z = surface.height;
    for (int k = 0; k < chordwise; ++k) {
        const double quarter = (k + 0.25) / chordwise;
        const double threeQuarter = (k + 0.75) / chordwise;
        Horseshoe h;
        h.a = {frame.X(AtFraction(ea, quarter)), ya, z};
        h.b = {frame.X(AtFraction(eb, quarter)), yb, z};
        const double controlColumn = 0.5 * (AtFraction(ea, threeQuarter) + AtFraction(eb, threeQuarter));
        h.control = {frame.X(controlColumn), 0.5 * (ya + yb), z};
        h.core = core;
        h.surface = index;
        h.boundMiddleX = 0.5 * (h.a.x + h.b.x) / frame.xStretch;
        out.push_back(h);
    }
}

// Strip edge j of n as a fraction of the span, cosine spaced: finer
// towards the tips, where the loading falls steeply and a uniform lattice
// converges slowest (with uniform strips the neutral point of a 45 degree
// swept wing moved twice as much under doubling).
double SpacedEdge(int j, int n)
{
    return 0.5 * (1.0 - std::cos(std::numbers::pi * j / n));
}

} // namespace

std::vector<Horseshoe> LayOutLattice(const std::vector<LatticeSurface>& surfaces, const PlanformScale& scale,
                                     LatticeDensity density, double xStretch)
{
    const int wingStrips = density.spanwise > 0 ? density.spanwise : kDefaultSpanwiseStrips;
    const int chordwise = density.chordwise > 0 ? density.chordwise : kDefaultChordwisePanels;
    const Frame frame{scale, xStretch};
    std::vector<Horseshoe> out;
    if (surfaces.empty() || !surfaces.front().outline || surfaces.front().outline->rows.empty())
        return out;
    const auto wingRows = static_cast<double>(surfaces.front().outline->rows.size());
    for (std::size_t s = 0; s < surfaces.size(); ++s) {
        const Outline* outline = surfaces[s].outline;
        if (!outline || outline->rows.empty())
            continue;
        const auto rows = static_cast<double>(outline->rows.size());
        const int strips =
            s == 0 ? wingStrips
                   : std::max(kMinimumStrips,
                              static_cast<int>(std::lround(kOtherStripsPerWingStrip * wingStrips * rows / wingRows)));
        const double core = kCoreOfSpan * rows * scale.scale;
        for (int j = 0; j < strips; ++j) {
            const double rowA = outline->firstRow + rows * SpacedEdge(j, strips);
            const double rowB = outline->firstRow + rows * SpacedEdge(j + 1, strips);
            LayOutStrip(frame, surfaces[s], static_cast<int>(s), rowA, rowB, chordwise, core, out);
        }
    }
    return out;
}

} // namespace centrafix::aero
