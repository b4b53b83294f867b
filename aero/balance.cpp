#include "balance.h"

namespace centrafix::aero {

std::variant<Balance, NoBalance> ComputeBalance(const std::array<std::vector<RowEdges>, 8>&, const BalanceSettings&,
                                                const PlanformScale&, double)
{
    return NoBalance::NoWing; // filled in by the balance work
}

} // namespace centrafix::aero
