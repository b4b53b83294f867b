#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace centrafix {

// Interface languages; the numbers are the ones stored in the settings.
inline constexpr int kGerman = 1;
inline constexpr int kEnglish = 2;

// A text the user reads, in both interface languages. Every text the window
// or the batch command shows is one of these, defined as a named constant
// next to the code that uses it, so no text can exist in one language only.
// "%1" to "%9" stand for the arguments given when the text is looked up.
struct Message {
    std::string_view german;
    std::string_view english;
};

// The message in the given language; any language other than English reads
// German, as the settings have always treated unknown values.
std::string_view Tr(const Message& message, int languageIndex);

// The same with "%1" ... "%9" replaced by the arguments (a missing argument
// leaves its placeholder as it is).
std::string Tr(const Message& message, int languageIndex, std::initializer_list<std::string_view> args);
std::string Tr(const Message& message, int languageIndex, std::span<const std::string_view> args);

} // namespace centrafix
