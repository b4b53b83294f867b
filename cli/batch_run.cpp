#include "batch_run.h"

#include "batch_files.h"
#include "batch_output.h"
#include "batch_report.h"
#include "console.h"
#include "output_guard.h"
#include "picture_run.h"

#include "chart_writer.h"
#include "document/balance_placement.h"
#include "picture/files/results_writer.h"
#include "picture/result_plot.h"

#include <QBuffer>
#include <QLocale>

#include <new>
#include <optional>

namespace centrafix {
namespace {

constexpr Message kNoMemoryToAnnotate{"nicht genug Speicher, um das beschriftete Bild zu zeichnen",
                                      "not enough memory to draw the annotated picture"};

// The table is built only here, where it goes, and streamed there: a tall
// picture's table is hundreds of megabytes of text.
LoadingTable TableOf(const PictureRun& run)
{
    return LoadingTable(run.result.values.RowChord, run.result.values.height, run.inputs.OriginRow,
                        run.inputs.decimalSeparator);
}

// The picture with the run's marks; the balance's go under them, as the
// window shows them, so the markers and labels stay whole.
QImage AnnotatedPicture(const BatchOptions& options, const PictureRun& run)
{
    if (!run.result.balance)
        return run.display->image();
    BalancePlacement placement =
        BalancePlacementOf(run.inputs, run.result.values.ScaleFactor, run.objects, run.measured);
    if (run.weighed)
        placement.weighedCgX = run.weighed->weighed.cgX;
    PictureArea canvas;
    canvas.setPicture(WithBalanceMarks(run.measured, *run.result.balance, placement, run.inputs.languageIndex));
    PlotResults(canvas, run.objects, run.result.values, run.inputs.OriginX, run.inputs.OriginY,
                PlotChoice{options.showAC, options.showCG}, run.inputs.languageIndex);
    return canvas.image();
}

// The project as the window has it after the same run: the colours the
// run looked for and did not find unticked and marked so.
Project ProjectAfterRun(Project project, const PictureRun& run)
{
    if (!run.result.completed)
        return project;
    for (std::size_t i = 1; i < project.choices.size(); ++i) {
        if (run.inputs.ticked[i] && !run.objects[i].Found)
            project.choices[i] = ColorChoice{false, true};
    }
    return project;
}

// A project's results as the window's "Save results..." writes them as
// JSON: the same object for the same project, whichever program made it.
Result<std::string> ProjectJsonReport(const Project& project, const PictureRun& run)
{
    ResultFacts facts{run.inputs, run.originColumn, run.inputs.OriginRow, run.setup, run.objects, run.result};
    facts.weighed = run.weighed ? &*run.weighed : nullptr;
    QByteArray json;
    QBuffer buffer(&json);
    buffer.open(QIODevice::WriteOnly);
    if (std::optional<Error> failure =
            WriteResultsJson(buffer, facts, project.pictureIsPasted ? QString() : project.pictureName))
        return *failure;
    return json.toStdString();
}

std::optional<Error> WriteFiles(const BatchOptions& options, const PictureRun& run)
{
    if (!options.savePicturePath.isEmpty()) {
        if (std::optional<Error> error = WriteWorkingPicture(options.savePicturePath, run.measured))
            return error;
    }
    if (run.project) {
        if (std::optional<Error> error = SaveProjectFile(ProjectAfterRun(*run.project, run), options.saveProjectPath))
            return error;
    }
    if (run.display) {
        // A picture Qt could not allocate comes back null; a vector on the
        // way throws.
        QImage annotated;
        try {
            annotated = AnnotatedPicture(options, run);
        } catch (const std::bad_alloc&) {
            annotated = QImage();
        }
        if (annotated.isNull()) {
            Error error = Described({}, kNoMemoryToAnnotate);
            error.kind = ErrorKind::OutOfMemory;
            return error;
        }
        if (!options.annotatedPath.isEmpty()) {
            if (std::optional<Error> error = WriteAnnotatedPicture(options.annotatedPath, annotated))
                return error;
        }
        if (!options.reportPath.isEmpty()) {
            if (std::optional<Error> error = WriteBatchReport(options, run, annotated))
                return error;
        }
    }
    if (!options.loadingTablePath.isEmpty() && options.loadingTablePath != "-") {
        if (std::optional<Error> error = WriteLoadingTable(options.loadingTablePath, TableOf(run)))
            return error;
    }
    if (!options.chartPath.isEmpty()) {
        const Result<const ChartModule*> chart = LoadChartWriter();
        if (!chart)
            return chart.error();
        return (*chart)->writeChartFile(options.chartPath, SampleLoadingTable(TableOf(run), run.inputs.unit),
                                        options.inputs.languageIndex);
    }
    return std::nullopt;
}

std::optional<Error> PrintResults(const BatchOptions& options, const PictureRun& run)
{
    if (options.loadingTablePath == "-") {
        std::optional<Error> failure;
        TableOf(run).write([&failure](std::string_view piece) {
            failure = WriteStdout(piece);
            return !failure;
        });
        return failure;
    }
    if (options.json && options.project) {
        const Result<std::string> json = ProjectJsonReport(*options.project, run);
        return json ? WriteStdout(*json) : json.error();
    }
    if (options.json)
        return WriteStdout(JsonReport(options, run).toStdString());
    return WriteStdout(TextReport(options, run).toStdString());
}

} // namespace

std::string OutputSeparator(const BatchOptions& options)
{
    // JSON is read by programs, so there always with a point.
    return options.json ? "." : QLocale().decimalPoint().toStdString();
}

int RunBatch(const BatchOptions& options)
{
    const int language = options.inputs.languageIndex;
    const QStringList pictures = options.picturePath ? QStringList{*options.picturePath} : QStringList{};
    if (std::optional<Error> error = CheckOutputs(options, pictures))
        return ReportError(*error, language);
    if (options.projectNote)
        WriteErrorLine(ErrorText(*options.projectNote, language));
    const Result<std::shared_ptr<PictureRun>> run =
        RunPicture(options, options.picturePath, OutputSeparator(options),
                   !options.annotatedPath.isEmpty() || !options.reportPath.isEmpty());
    if (!run)
        return ReportError(run.error(), language, ExitStatusOf(run.error()));
    // Memory that ran out while drawing the annotated picture is told as
    // such (status 1), as it is while reading or measuring.
    if (std::optional<Error> error = WriteFiles(options, **run))
        return ReportError(*error, language, ExitStatusOf(*error));
    if (const std::optional<Error> failure = PrintResults(options, **run))
        return EndAfterStdoutFailure(*failure, language, 0);
    // Said, not failed: the numbers are what the picture gives at these settings.
    if (const std::string warning = MatchWarningLine(options.picturePath, **run); !warning.empty())
        WriteErrorLine(warning);
    return 0;
}

} // namespace centrafix
