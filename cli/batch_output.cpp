#include "batch_output.h"

#include "engine/results_grid.h"
#include "engine/weight_balance_report.h"
#include "picture/files/result_facts.h"

#include <QJsonDocument>

namespace centrafix {

std::string WeighingLines(const PictureRun& run)
{
    if (!run.weighed)
        return {};
    return WeightBalanceLines(run.weighed->weighed, run.weighed->items, run.inputs.languageIndex,
                              run.inputs.decimalSeparator, run.inputs.unit);
}

QByteArray TextReport(const BatchOptions& options, const PictureRun& run)
{
    const QString grid =
        QString::fromStdString(CopyTableText(GridHeaderText(options.inputs.languageIndex), run.result.gridRows));
    return (grid + "\r\n\r\n" + QString::fromStdString(run.result.report + WeighingLines(run))).toUtf8();
}

std::string MatchWarningLine(const std::optional<QString>& picture, const PictureRun& run)
{
    if (!run.result.completed)
        return {};
    const std::string warning = MatchWarningText(run.result.matches, run.inputs.languageIndex, MatchAdvice::Batch);
    if (warning.empty() || !picture)
        return warning;
    return picture->toStdString() + ": " + warning;
}

QJsonObject JsonObject(const BatchOptions& options, const PictureRun& run)
{
    ResultFacts facts{run.inputs, options.originColumn, options.originRow, run.setup, run.objects, run.result};
    facts.weighed = run.weighed ? &*run.weighed : nullptr;
    return ResultJson(facts);
}

QByteArray JsonReport(const BatchOptions& options, const PictureRun& run)
{
    return QJsonDocument(JsonObject(options, run)).toJson(QJsonDocument::Indented);
}

} // namespace centrafix
