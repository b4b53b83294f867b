#include "color_object.h"

#include "defaults.h"
#include "string_table.h"

#include <algorithm>

namespace centrafix {

void AssignColorsAndNames(ColorObjectTable& ColorObjects, int languageIndex)
{
    for (std::size_t i = 0; i < ColorObjects.size(); ++i)
        ColorObjects[i].Color = kObjectColors[i];
    for (std::size_t i = 0; i < ColorObjects.size(); ++i)
        ColorObjects[i].Name = std::string(Tr(ColorNameMessage(static_cast<int>(i)), languageIndex));
}

ColorObjectTable MakeColorObjects(int languageIndex)
{
    ColorObjectTable table{};
    AssignColorsAndNames(table, languageIndex);
    for (int i = 1; i <= kObjectCount; ++i)
        table[static_cast<std::size_t>(i)].Weight = defaults::kWeight;
    return table;
}

std::int32_t MarkerTintOf(std::int32_t color)
{
    // (c + 512) / 3 is never a half, so integer rounding of (c + 512 + 1) / 3 is exact.
    auto tint = [](int c) { return std::min(255, (c + 512 + 1) / 3); };
    return Rgb(tint(RedOf(color)), tint(GreenOf(color)), tint(BlueOf(color)));
}

} // namespace centrafix
