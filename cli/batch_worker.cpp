#include "batch_worker.h"

#include "batch_output.h"
#include "batch_run.h"
#include "console.h"
#include "picture_run.h"

#include "picture/files/result_facts.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <iostream>
#include <string>

namespace centrafix {
namespace {

QByteArray PictureOutput(const BatchOptions& options, const QString& path, const PictureRun& run)
{
    if (options.workerFormat == "text")
        return TextReport(options, run);
    QJsonObject json = JsonObject(options, run);
    if (options.workerFormat == "csv")
        return CsvRows(path, json);
    json["file"] = path;
    return QJsonDocument(json).toJson(QJsonDocument::Compact) + "\n";
}

QJsonObject Answer(const BatchOptions& options, int index, const QString& path)
{
    BatchOptions asked = options;
    asked.json = options.workerFormat != "text";
    const Result<std::shared_ptr<PictureRun>> run = RunPicture(asked, path, OutputSeparator(asked), false);
    if (!run) {
        return QJsonObject{{"i", index},
                           {"status", ExitStatusOf(run.error())},
                           {"error", QString::fromStdString(ErrorText(run.error(), options.inputs.languageIndex))}};
    }
    QJsonObject answer{{"i", index}, {"status", 0}, {"out", QString::fromUtf8(PictureOutput(asked, path, **run))}};
    if (const std::string warning = MatchWarningLine(path, **run); !warning.empty())
        answer["warning"] = QString::fromStdString(warning);
    return answer;
}

} // namespace

int RunBatchWorker(const BatchOptions& options)
{
    for (std::string line; std::getline(std::cin, line);) {
        const QJsonObject request = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
        const QJsonObject answer = Answer(options, request["i"].toInt(), request["path"].toString());
        if (WriteStdout((QJsonDocument(answer).toJson(QJsonDocument::Compact) + "\n").toStdString()))
            return 1;
    }
    return 0;
}

} // namespace centrafix
