#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace centrafix::test {

// Reads CSV as RFC 4180 writes it, to check files the program writes with
// another reader than the writer: records end in CR LF, fields are split by
// ",", and a field in quotes may hold commas, line breaks and quotes (doubled).
// An empty line is a record of one empty field. Anything else (a bare quote
// inside a field, a bare LF ending a record) makes the whole text unreadable:
// nullopt.
std::optional<std::vector<QStringList>> ReadCsv(const QString& text);

// The value under `column` in `record`, by the header's names; fails the
// test (and gives "") when the header has no such column.
QString CsvCell(const QStringList& header, const QStringList& record, const QString& column);

} // namespace centrafix::test
