#pragma once

#include "batch_options.h"

namespace centrafix {

// A worker process of the batch command. It reads one request a line from
// standard input, {"i": N, "path": "..."}, analyses that picture, and answers
// with one line on standard output:
//   {"i": N, "status": 0, "out": "<the picture's output>"} or
//   {"i": N, "status": 1|2, "error": "<the one line the user reads>"}.
// The output is in options.workerFormat: "text", "json" (one line, the
// picture's object with "file") or "csv" (its rows). Returns when standard
// input ends.
int RunBatchWorker(const BatchOptions& options);

} // namespace centrafix
