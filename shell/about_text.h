#pragma once

#include <QString>

namespace centrafix {

// What Help › About says, as rich text in the language given: the version,
// the licences of the libraries the program is built on and where the user
// guide lies.
QString AboutText(int languageIndex);

} // namespace centrafix
