#pragma once

#include "batch_options.h"

#include <string>

namespace centrafix {

// One batch run as asked: loads the picture, analyses it as the Analyze
// button does, writes the requested files and prints the results. Returns the
// exit status; anything that went wrong has been told on stderr.
int RunBatch(const BatchOptions& options);

// The decimal separator the grid and report are written with.
std::string OutputSeparator(const BatchOptions& options);

} // namespace centrafix
