#pragma once

#include "engine/error.h"

#include <QString>

namespace centrafix {

// QCommandLineParser's complaint (its errorText()) as an error: the ones we
// know by their English wording are given their German form as well; any
// other is shown as Qt words it.
Error ParserComplaint(const QString& text);

} // namespace centrafix
