#pragma once

#include "batch_options.h"

#include "document/document.h"

#include <string>

namespace centrafix {

// The document the options describe, as the window would hold it after the
// user typed and ticked the same: its runs are prepared and refused there.
// `shownSeparator` is the one the grid and report are written with.
Document BatchDocument(const BatchOptions& options, const std::string& shownSeparator = ".");

} // namespace centrafix
