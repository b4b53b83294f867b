#pragma once

#include "report_paper.h"

#include "aero/balance.h"
#include "engine/grid_row.h"
#include "engine/message.h"
#include "picture/balance_marks.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace centrafix {

// Everything a printed report shows of one completed run, gathered by
// whoever holds the run (the window, the batch command), so that one
// composer draws the PDF and the printout alike.
struct ReportContent {
    QString title;    // the picture's name; empty: none
    QImage annotated; // page 1: the picture with the run's marks, as the window shows it
    QImage plain;     // the 1:1 pages: the picture as measured, without marks (null: `annotated`)
    GridRow header;
    std::vector<GridRow> rows;
    std::string report; // the report panel's text, CR LF lines, the balance lines among them
    std::optional<aero::Balance> balance;
    const Message* noBalance = nullptr; // why the run has no balance, where it has none
    BalancePlacement placement;         // the run's scale (units per pixel) and origin
    std::string unit;                   // what one unit is called ("mm"); may be empty
    std::string decimalSeparator = ".";
    int languageIndex = kEnglish;
    QStringList extraLines; // more lines for the balance section (the weight and balance)
};

// Text of CR LF lines (a report's) as lines, without the empty ones at its end.
QStringList ReportLines(const std::string& text);

} // namespace centrafix
