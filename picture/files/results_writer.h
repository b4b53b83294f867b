#pragma once

#include "picture/files/result_facts.h"

#include "engine/error.h"

#include <QString>

#include <optional>

class QIODevice;

namespace centrafix {

// Everything one run produced, in one file another program can read: the
// window's "Save results...". Numbers are unrounded and written with "."
// whatever the locale; `file` is the picture's name (empty for one that has
// none). A tall picture's loading table is written piece by piece, never
// built whole. The reason (Because) when the device takes less.
//
// CSV: the objects table exactly as the batch command's --csv writes it
// (CsvHeader, CsvRows), one empty line, then the loading table with a header
// row of its column names and "chord" (the summed chord of the row) last.
std::optional<Error> WriteResultsCsv(QIODevice& device, const ResultFacts& facts, const QString& file);

// JSON: the batch command's object (ResultJson) with "file", "unit" (empty
// where none was named), "altitude" and "mach" as the drag estimate read them
// (null where it could not) and "loading_table", one object per picture row
// keyed by the CSV's column names.
std::optional<Error> WriteResultsJson(QIODevice& device, const ResultFacts& facts, const QString& file);

} // namespace centrafix
