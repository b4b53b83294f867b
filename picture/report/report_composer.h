#pragma once

#include "report_content.h"
#include "report_paper.h"

#include "engine/error.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QPagedPaintDevice;

namespace centrafix {

// The PDF's creator, by which the batch command knows a report of its own
// that it may write over, and that creator as the PDF's bytes hold it, in
// its first few kilobytes.
inline constexpr char kReportCreator[] = "Centrafix report";
QByteArray ReportCreatorMark();

// How many pages the report has: page 1, then the planform at true size
// where the unit is a length.
int ReportPageCount(const ReportContent& content, Paper paper);

// Draws the whole report into `device`, a QPdfWriter or a printer, on
// `paper`, full page, portrait. An error when the device cannot be drawn on
// (a printer that went away).
std::optional<Error> ComposeReport(QPagedPaintDevice& device, const ReportContent& content, Paper paper);

// The report as a PDF at `path`, written whole or not at all (an existing
// file stays as it was); a failure is `cannotWrite` about the file.
std::optional<Error> WriteReportPdf(const QString& path, const ReportContent& content, Paper paper,
                                    const Message& cannotWrite);

} // namespace centrafix
