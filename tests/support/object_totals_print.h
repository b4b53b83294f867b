#pragma once

#include "engine/object_sweep.h"

#include <ostream>

namespace centrafix {

// How a test failure shows an object's totals: field by field, so a
// mismatch says which sum differs.
inline void PrintTo(const ObjectTotals& t, std::ostream* out)
{
    *out << "{count " << t.count << ", 2Sx " << t.twiceSx << ", 2Sy " << t.twiceSy << ", 4Q " << t.fourQ
         << ", sum chord^2 " << t.sumSquaredChords << ", vertical pairs " << t.verticalPairs << ", horizontal pairs "
         << t.horizontalPairs << "}";
}

} // namespace centrafix
