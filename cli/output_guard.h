#pragma once

#include "batch_options.h"

#include <QStringList>

#include <optional>

namespace centrafix {

// Whether the files a run is asked to write leave what it reads, and each
// other, alone: no output may be an input of the same run (the same file,
// also through a symbolic or hard link), no two outputs the same file, and
// no table, chart or project may replace an existing picture (PNG, JPEG, GIF, BMP,
// TIFF, Windows metafile or PDF, known by its first bytes, not by its name):
// `--csv *.png` must not turn the first picture into a table. The annotated
// picture may replace a picture that is not an input: it is one, and a run
// made again writes it again, and so may a PNG chart this program wrote.
// Special files (a FIFO, /dev/null) are written
// into, never replaced, and may take several outputs.
//
// `pictures` are the pictures the run analyses (none: the built-in example);
// a --files-from list is an input too. Checked before anything is analysed,
// so a refusal leaves every file as it was. The error names the file.
std::optional<Error> CheckOutputs(const BatchOptions& options, const QStringList& pictures);

} // namespace centrafix
