#include "paint_fill.h"

namespace centrafix {

namespace {
constexpr Message kNotBuilt{"noch nicht gebaut", "not built yet"};
}

Result<std::int64_t> FillRegion(QImage&, QPoint, int, const FillSettings&)
{
    return Described({}, kNotBuilt);
}

} // namespace centrafix
