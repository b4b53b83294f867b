#include "string_table.h"

#include <array>

namespace centrafix {
namespace {

// The colour objects' names, the total's first.
constexpr std::array<const Message*, 8> kColorNames = {
    &msg::Total, &msg::Black, &msg::Red, &msg::Green, &msg::Blue, &msg::Yellow, &msg::Cyan, &msg::Magenta,
};

} // namespace

const Message& ColorNameMessage(int i)
{
    return *kColorNames[static_cast<std::size_t>(i)];
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
