#include "batch_report.h"

#include "batch_output.h"

#include "document/balance_placement.h"
#include "engine/results_grid.h"
#include "picture/report/report_composer.h"

#include <QFileInfo>

namespace centrafix {
namespace {

constexpr Message kCannotWriteReport{"der Bericht kann nicht geschrieben werden (%1)",
                                     "cannot write the report (%1)"};

} // namespace

std::optional<Error> WriteBatchReport(const BatchOptions& options, const PictureRun& run, const QImage& annotated)
{
    ReportContent content;
    if (options.picturePath)
        content.title = QFileInfo(*options.picturePath).fileName();
    content.annotated = annotated;
    content.plain = run.measured;
    const int language = run.inputs.languageIndex;
    content.header = GridHeader(language);
    content.rows = run.result.gridRows;
    content.report = run.result.report;
    content.balance = run.result.balance;
    content.noBalance = run.result.noBalance;
    content.placement = BalancePlacementOf(run.inputs, run.result.values.ScaleFactor, run.objects, run.measured);
    content.unit = run.inputs.unit;
    content.decimalSeparator = run.inputs.decimalSeparator;
    content.languageIndex = language;
    if (run.weighed) {
        content.placement.weighedCgX = run.weighed->weighed.cgX;
        content.extraLines = QStringList{QString()} + ReportLines(WeighingLines(run));
    }
    return WriteReportPdf(options.reportPath, content, options.paper, kCannotWriteReport);
}

} // namespace centrafix
