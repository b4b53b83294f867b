#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace centrafix {

// One recognisable colour and what the last analysis measured for it. The
// table lives as long as the window (or the batch run) and is carried from run
// to run: a run overwrites only the objects whose passes it reaches, so an
// aborted run leaves the others as they were.
struct ColorObject {
    std::int32_t Color = 0; // r + 256*g + 65536*b
    std::string Name;       // in the current language
    double Area = 0.0;      // pixel count during the scan, scaled area afterwards
    double AreaPercent = 0.0;
    double Weight = 0.0; // "Efficiency": how strongly the area counts in the total A.C.
    double Outline = 0.0;
    double RefLength = 0.0;
    bool Found = false;
};

// Entry 0 is the total, 1 to 7 black, red, green, blue, yellow, cyan, magenta.
using ColorObjectTable = std::array<ColorObject, 8>;

inline constexpr int kObjectCount = 7;

// An (x, y) pair in scaled units, used for centroids and aerodynamic centres.
struct PointD {
    double x = 0.0;
    double y = 0.0;
};

using PointTable = std::array<PointD, 8>;

constexpr std::int32_t Rgb(int r, int g, int b)
{
    return static_cast<std::int32_t>(r + 256 * g + 65536 * b);
}

constexpr int RedOf(std::int32_t c)
{
    return c & 0xFF;
}
constexpr int GreenOf(std::int32_t c)
{
    return (c & 0xFF00) >> 8;
}
constexpr int BlueOf(std::int32_t c)
{
    return (c & 0xFF0000) >> 16;
}

// The fixed colours of the eight entries: white for the total (never scanned),
// then the seven object colours.
inline constexpr std::array<std::int32_t, 8> kObjectColors = {
    Rgb(255, 255, 255), Rgb(0, 0, 0),     Rgb(255, 0, 0),   Rgb(0, 255, 0),
    Rgb(0, 0, 255),     Rgb(255, 255, 0), Rgb(0, 255, 255), Rgb(255, 0, 255),
};

// Gives every entry its fixed colour and its name in the given language
// (1 German, 2 English), leaving the measured fields alone.
void AssignColorsAndNames(ColorObjectTable& ColorObjects, int languageIndex);

// A fresh table as the window has it after start-up: colours, names, weight 1
// for the seven objects and 0 for the total.
ColorObjectTable MakeColorObjects(int languageIndex);

// The lightened tint used to show matching pixels while a pass runs:
// each component (c + 512) / 3 rounded, capped at 255.
std::int32_t MarkerTintOf(std::int32_t color);

} // namespace centrafix
