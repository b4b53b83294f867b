#pragma once

#include <QString>

namespace centrafix {

// The folder the user guide's web pages are installed in: beside the
// program's own folder (bin/../share/doc/centrafix/guide), in the build tree
// and on a system alike.
QString UserGuideFolder();

// The guide's page in the language given (kGerman, kEnglish), or in the other
// language when that one alone is there; empty when neither is.
QString UserGuidePage(int languageIndex);

} // namespace centrafix
