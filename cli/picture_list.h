#pragma once

#include "batch_options.h"

#include <QStringList>

namespace centrafix {

// How much a list of pictures may hold. A list is read before the run
// starts, so without a bound `--files-from /dev/zero` or an endless
// `yes a.png |` would take memory until the machine has none. A line is as
// long as the longest path the system opens; the list is far beyond any
// folder of pictures.
inline constexpr qsizetype kMaxListLineBytes = 4096;
inline constexpr qsizetype kMaxListBytes = 64 << 20;
inline constexpr qsizetype kMaxPictures = 1'000'000;

// The pictures the options name: the arguments in order, "-" standing for a
// list on standard input, then the list --files-from names; one path a line,
// empty lines skipped, a CR before the line break dropped. A list that cannot
// be read, or that is larger than the limits above, is an error naming it.
Result<QStringList> PictureList(const BatchOptions& options);

} // namespace centrafix
