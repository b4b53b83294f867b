#include "vortex_lattice.h"

#include "lattice_layout.h"

#include <Eigen/Dense>

#include <cmath>

namespace centrafix::aero {
namespace {

// Influence of every horseshoe (columns) on every control point (rows). A
// surface's own vortices act undamped: its control points sit midway
// between its own trailing legs. Another surface's vortices act through a
// finite core (Scully's h^2 / (h^2 + core^2), see kCoreOfSpan), because a
// tail or canard in the same plane can have a control point on, or next to,
// a trailing leg of the wing, where the discrete leg's 1/h would blow up
// although the wake it stands for induces a finite velocity.
Eigen::MatrixXd Influence(const std::vector<Horseshoe>& panels)
{
    const auto n = static_cast<Eigen::Index>(panels.size());
    Eigen::MatrixXd m(n, n);
    for (Eigen::Index j = 0; j < n; ++j) {
        const Horseshoe& vortex = panels[static_cast<std::size_t>(j)];
        for (Eigen::Index i = 0; i < n; ++i) {
            const Horseshoe& at = panels[static_cast<std::size_t>(i)];
            const double core = at.surface == vortex.surface ? 0.0 : vortex.core;
            m(i, j) = HorseshoeUpwash(vortex.a, vortex.b, at.control, core);
        }
    }
    return m;
}

} // namespace

// Compressibility by the Prandtl-Glauert rule in Goethert's form (B.
// Goethert, Plane and three-dimensional flow at high subsonic speeds, NACA
// TM 1105, 1946; Katz and Plotkin, Low-Speed Aerodynamics, 2nd ed., on the
// compressibility correction of the lifting-surface equations): the
// incompressible lattice is solved on the planform stretched by 1/beta along
// x. The stretched lattice's lift slope on the stretched area, divided by
// beta, is the real one on the real area; as the stretched area is S / beta
// that is simply the stretched lattice's lift over q times the real area.
// Chordwise positions map back by x = beta x'.
std::optional<LatticeResult> SolveLattice(const std::vector<LatticeSurface>& surfaces, const PlanformScale& scale,
                                          double referenceArea, double mach, LatticeDensity density)
{
    if (!(mach < kLatticeMachLimit) || !(referenceArea > 0.0) || !std::isfinite(referenceArea))
        return std::nullopt;
    const double beta = std::sqrt(1.0 - mach * mach);
    const std::vector<Horseshoe> panels = LayOutLattice(surfaces, scale, density, 1.0 / beta);
    if (panels.empty())
        return std::nullopt;

    // Unit free stream at unit angle of attack: every control point needs an
    // induced downwash of one. The influence matrix is dense and not
    // symmetric, but strongly diagonal (each control point sees its own
    // bound vortex most), so partial pivoting is stable and about twice as
    // fast as full pivoting (Eigen's PartialPivLU, blocked).
    const Eigen::MatrixXd influence = Influence(panels);
    const Eigen::VectorXd rhs = Eigen::VectorXd::Constant(influence.rows(), -1.0);
    const Eigen::VectorXd gamma = influence.partialPivLu().solve(rhs);

    // Kutta-Joukowski on every bound vortex: lift per rho V = gamma * dy.
    std::vector<double> lift(surfaces.size(), 0.0);
    double total = 0.0;
    double moment = 0.0;
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const Horseshoe& p = panels[i];
        const double l = gamma(static_cast<Eigen::Index>(i)) * (p.b.y - p.a.y);
        lift[static_cast<std::size_t>(p.surface)] += l;
        total += l;
        moment += l * p.boundMiddleX;
    }
    if (!(total > 0.0) || !std::isfinite(total) || !std::isfinite(moment))
        return std::nullopt;

    LatticeResult result;
    result.clAlpha = 2.0 * total / referenceArea;
    for (double l : lift)
        result.liftShare.push_back(l / total);
    result.neutralPointX = moment / total;
    result.panels = static_cast<int>(panels.size());
    return result;
}

} // namespace centrafix::aero
