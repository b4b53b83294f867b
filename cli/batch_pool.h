#pragma once

#include "batch_options.h"

namespace centrafix {

// Many pictures at once: worker processes of this program (as many as
// --jobs, within what the cores and memory hold) each analyse one picture at
// a time, and the results are printed in the order the pictures were given,
// whichever finishes first.
//
// Processes rather than threads: the decoding libraries write to the one
// standard error stream and keep process-wide state, a picture that crashes
// a decoder takes only its worker along, and at most one picture per worker
// is held in memory. A picture that runs out of memory beside the others is
// tried once more alone, when every other worker is idle.
//
// Returns 0 when every picture was analysed, 2 when any was refused, 1 when
// one ran out of memory even alone, a worker failed or standard output could
// not be written. A reader that stops reading ends the run quietly, with the
// status of the pictures told until then.
int RunManyPictures(const BatchOptions& options);

} // namespace centrafix
