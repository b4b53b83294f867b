#pragma once

#include <string>

namespace centrafix {

// Interface languages; the numbers are the ones stored in the settings.
inline constexpr int kGerman = 1;
inline constexpr int kEnglish = 2;

// The text of message ID (101 to 139, always named by its German number) in the
// language languageIndex. The table is plain data so the batch command, the
// engine's status texts and the window's captions share it. An unknown ID gives
// an empty text; any language other than English reads German.
std::string LoadLangResString(int ID, int languageIndex);

// The status text of an object pass: message `prefixId` (110, 132 or 133), a
// blank, the object's name, message 111 and "...".
std::string ObjectStatusText(int prefixId, const std::string& name, int languageIndex);

} // namespace centrafix
