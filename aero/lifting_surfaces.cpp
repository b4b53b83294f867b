#include "lifting_surfaces.h"

#include <algorithm>

namespace centrafix::aero {

namespace {

bool HoldsPixels(const std::vector<RowEdges>& rows)
{
    return std::any_of(rows.begin(), rows.end(), [](const RowEdges& row) { return row.present; });
}

SurfaceBalance Surface(std::vector<int> objects, SurfaceRole role, const std::vector<RowEdges>& rows,
                       const PlanformScale& scale)
{
    SurfaceBalance surface;
    surface.objects = std::move(objects);
    surface.role = role;
    surface.outline = *AerodynamicOutline(rows); // the caller saw pixels
    surface.geometry = MeasureSurface(surface.outline, scale);
    return surface;
}

} // namespace

std::vector<SurfaceBalance> LiftingSurfaces(const std::array<std::vector<RowEdges>, 8>& edges,
                                            const BalanceSettings& settings, const PlanformScale& scale)
{
    std::vector<int> wingObjects;
    std::vector<const std::vector<RowEdges>*> wingEdges;
    for (int colour = 1; colour < 8; ++colour) {
        if (settings.roles[colour] == SurfaceRole::Wing && HoldsPixels(edges[colour])) {
            wingObjects.push_back(colour);
            wingEdges.push_back(&edges[colour]);
        }
    }
    std::vector<SurfaceBalance> surfaces;
    if (wingObjects.empty())
        return surfaces;
    surfaces.push_back(Surface(std::move(wingObjects), SurfaceRole::Wing, UnionOfEdges(wingEdges), scale));
    for (int colour = 1; colour < 8; ++colour) {
        const SurfaceRole role = settings.roles[colour];
        if ((role == SurfaceRole::Tail || role == SurfaceRole::Canard) && HoldsPixels(edges[colour]))
            surfaces.push_back(Surface({colour}, role, edges[colour], scale));
    }
    return surfaces;
}

} // namespace centrafix::aero
