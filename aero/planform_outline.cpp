#include "planform_outline.h"

namespace centrafix::aero {

std::vector<RowEdges> UnionOfEdges(const std::vector<const std::vector<RowEdges>*>&)
{
    return {};
}

std::optional<Outline> AerodynamicOutline(const std::vector<RowEdges>&)
{
    return std::nullopt;
}

} // namespace centrafix::aero
