#include "string_table.h"

#include <array>

namespace centrafix {
namespace {

// Messages 101 to 139 in the order of their numbers.
constexpr std::array<const Message*, 39> kNumbered = {
    &msg::Open,       &msg::Paste,          &msg::Analyze,
    &msg::CopyTable,  &msg::ShowAreaAC,     &msg::ShowAreaCG,
    &msg::ScaleFactorCaption, &msg::ToleranceCaption, &msg::ColorsCaption,
    &msg::Analyzing,  &msg::AreasSuffix,    &msg::SummingUp,
    &msg::Plotting,   &msg::Ready,          &msg::FileFilter,
    &msg::Object,     &msg::Area,           &msg::Total,
    &msg::Black,      &msg::Red,            &msg::Green,
    &msg::Blue,       &msg::Yellow,         &msg::Cyan,
    &msg::Magenta,    &msg::Pixels,         &msg::Scaled,
    &msg::AC,         &msg::CG,             &msg::Outline,
    &msg::LanguageCaption, &msg::SearchingVertical, &msg::SearchingHorizontal,
    &msg::NoClipboardBitmap, &msg::AeroLRef, &msg::Aborting,
    &msg::FlipHorz,   &msg::InvertBW,       &msg::Efficiency,
};

constexpr int kFirst = 101;
constexpr int kTotalNumber = 118; // the colour names follow the total's

} // namespace

std::string LoadLangResString(int ID, int languageIndex)
{
    if (ID < kFirst || ID >= kFirst + static_cast<int>(kNumbered.size()))
        return {};
    return std::string(Tr(*kNumbered[static_cast<std::size_t>(ID - kFirst)], languageIndex));
}

const Message& ColorNameMessage(int i)
{
    return *kNumbered[static_cast<std::size_t>(kTotalNumber - kFirst + i)];
}

std::string ObjectStatusText(const Message& prefix, const std::string& name, int languageIndex)
{
    std::string text(Tr(prefix, languageIndex));
    text += ' ';
    text += name;
    text += Tr(msg::AreasSuffix, languageIndex);
    text += "...";
    return text;
}

} // namespace centrafix
