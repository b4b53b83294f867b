#include "length_unit.h"

#include <array>
#include <string>

namespace centrafix {
namespace {

struct UnitSpelling {
    std::string_view name; // lower case
    double metres;
};

// The inch and the foot as defined since 1959: 25.4 mm and 12 inches.
constexpr double kInch = 0.0254;
constexpr double kFoot = 0.3048;

constexpr std::array<UnitSpelling, 25> kUnits = {{
    {"mm", 0.001},          {"millimeter", 0.001}, {"millimeters", 0.001}, {"millimetre", 0.001},
    {"millimetres", 0.001}, {"cm", 0.01},          {"centimeter", 0.01},   {"centimeters", 0.01},
    {"centimetre", 0.01},   {"centimetres", 0.01}, {"zentimeter", 0.01},   {"m", 1.0},
    {"meter", 1.0},         {"meters", 1.0},       {"metre", 1.0},         {"metres", 1.0},
    {"in", kInch},          {"inch", kInch},       {"inches", kInch},      {"zoll", kInch},
    {"ft", kFoot},          {"foot", kFoot},       {"feet", kFoot},        {"fuß", kFoot},
    {"fuss", kFoot},
}};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<double> MetresPerUnit(std::string_view unit)
{
    while (!unit.empty() && IsBlank(unit.front()))
        unit.remove_prefix(1);
    while (!unit.empty() && IsBlank(unit.back()))
        unit.remove_suffix(1);
    // ASCII letters change case; the UTF-8 bytes of "ß" stay as they are.
    std::string lower(unit);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    for (const UnitSpelling& known : kUnits) {
        if (known.name == lower)
            return known.metres;
    }
    return std::nullopt;
}

} // namespace centrafix
