#pragma once

#include "page_frame.h"
#include "report_content.h"

#include <QString>

class QPainter;

namespace centrafix {

// Page 1 of the report: the title, the picture with its marks, the results
// grid, the report's lines beside the balance's (both neutral points, the
// C.G. range, the extra lines) and `trueSizeNote`, which says what the
// pages after it show or why there are none. The texts shrink until all of
// them fit on the page: a long report is printed small, never cut.
void DrawFirstPage(QPainter& painter, const PageFrame& frame, const ReportContent& content,
                   const QString& trueSizeNote);

// The report's lines without the balance's, and the balance's: the window
// and the batch command put the balance lines at the end of the report.
struct ReportSections {
    QStringList report;
    QStringList balance;
};
ReportSections SplitReport(const ReportContent& content);

} // namespace centrafix
