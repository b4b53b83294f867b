#pragma once

#include "engine/run_types.h"
#include "engine/run_weighing.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace centrafix {

// One analysis as it leaves the program for other programs: the batch
// command's JSON, one JSON line of many pictures, and CSV rows. Numbers are
// unrounded and written with "." whatever the locale.
struct ResultFacts {
    const AnalysisInputs& inputs; // as the run had them, the origin placed
    double originColumn = 0.0;
    double originRow = 0.0;
    const RunSetup& setup;
    const ColorObjectTable& objects;
    const AnalysisResult& result;
    // The weight and balance, where a mass list was weighed; without it the
    // JSON is as it was before masses existed.
    const WeighedRun* weighed = nullptr;
};

// The batch command's JSON object of one picture: picture size, tolerance,
// scale, origin, the eight objects, grid, report and drag coefficients, and
// the unit where the user named one. Each object has its shown name ("name",
// in the user's language) and its "colour" as a fixed English word (total,
// black, red, green, blue, yellow, cyan, magenta) for scripts.
QJsonObject ResultJson(const ResultFacts& facts);

// An entry's colour as scripts know it, whatever language the names are in:
// total, black, red, green, blue, yellow, cyan, magenta.
QLatin1String ColourKey(std::size_t i);

// The CSV header: "file", the keys of an object in the JSON, then the
// picture's own values (width, height, scale, unit, origin_x, origin_y,
// origin_column, origin_row, tolerance, cd_lam, cd_turb), then the balance's
// columns (BalanceCsvColumns). CR LF ends it.
QByteArray CsvHeader();

// The CSV rows of one picture, from its JSON: one row per found object and
// the total, fields quoted where RFC 4180 asks for it, each row ending in
// CR LF. A text that a spreadsheet would take for a formula (beginning with
// "=", "+", "-", "@", a tab or a CR) begins with an apostrophe. A drag coefficient without a value, or a unit not named, is an empty
// field. The balance columns have values on the total row only, where the
// picture has a balance.
QByteArray CsvRows(const QString& file, const QJsonObject& json);

} // namespace centrafix
