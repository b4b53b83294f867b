#include "message.h"

namespace centrafix {

std::string_view Tr(const Message& message, int languageIndex)
{
    return languageIndex == kEnglish ? message.english : message.german;
}

std::string Tr(const Message& message, int languageIndex, std::initializer_list<std::string_view> args)
{
    return Tr(message, languageIndex, std::span<const std::string_view>(args.begin(), args.size()));
}

std::string Tr(const Message& message, int languageIndex, std::span<const std::string_view> values)
{
    const std::string_view pattern = Tr(message, languageIndex);
    std::string text;
    text.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto k = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (k < values.size()) {
                text += values[k];
                ++i;
                continue;
            }
        }
        text += c;
    }
    return text;
}

} // namespace centrafix
