#include "picture_run.h"

#include "batch_document.h"
#include "batch_observer.h"
#include "console.h"

#include "engine/analysis_run.h"
#include "engine/scale_from_line.h"
#include "engine/weight_balance_report.h"
#include "picture/picture_ops.h"
#include "picture/picture_source.h"
#include "picture/streamed_sweep.h"

#include <QFileInfo>

#include <new>

namespace centrafix {
namespace {

constexpr Message kNoMemoryForExample{"nicht genug Speicher, um das Beispiel zu analysieren",
                                      "not enough memory to analyze the example"};
constexpr Message kNoMemoryForPicture{"nicht genug Speicher, um %1 zu analysieren", "not enough memory to analyze %1"};

Result<QImage> LoadPicture(const BatchOptions& options, const std::optional<QString>& path)
{
    if (options.project)
        return options.project->picture;
    if (!path)
        return ExamplePicture();
    return LoadPictureFile(*path, options.plan);
}

Error OutOfMemory(const std::optional<QString>& path)
{
    Error error = path ? Described({}, kNoMemoryForPicture, {path->toStdString()}) : Described({}, kNoMemoryForExample);
    error.kind = ErrorKind::OutOfMemory;
    return error;
}

// The plan steps as asked, with the clean-up last of all, as in the window.
PlanSteps StepsOf(const BatchOptions& options)
{
    PlanSteps steps = options.planSteps;
    if (options.cleanUp)
        steps.cleanUpThreshold = options.cleanUpThreshold;
    return steps;
}

// The picture made ready to measure: loaded, then the plan steps applied.
// A straightening sets the scale, which the document then takes.
Result<QImage> PreparedPicture(const BatchOptions& options, const std::optional<QString>& path, Document& document)
{
    Result<QImage> loaded = LoadPicture(options, path);
    if (!loaded)
        return loaded.error();
    const PlanSteps steps = StepsOf(options);
    if (steps.empty())
        return loaded;
    Result<PlanOutcome> outcome = ApplyPlanSteps(*loaded, steps);
    if (!outcome) {
        if (outcome.error().kind == ErrorKind::OutOfMemory)
            return OutOfMemory(path);
        Error error = outcome.error();
        if (error.subject.empty() && path)
            error.subject = path->toStdString();
        return error;
    }
    if (outcome->unitsPerPixel) {
        document.setScaleText(ScaleTextFromLine(*outcome->unitsPerPixel, 1.0, "."));
        (void)document.placeOrigin(options.originColumn, options.originRow);
    }
    return std::move(outcome->picture);
}

// The document as a project, with the picture as measured: a picture file's
// by its path as given (made absolute, so the project opens from anywhere).
Project ProjectOfRun(const BatchOptions& options, const std::optional<QString>& path, const Document& document,
                     const QImage& picture)
{
    Project project = ProjectOf(document);
    project.picture = picture;
    if (!options.project) {
        project.pictureIsPasted = false;
        project.picturePath = path ? QFileInfo(*path).absoluteFilePath() : QString();
        project.pictureName = path ? QFileInfo(*path).fileName() : QStringLiteral("example");
    }
    return project;
}

} // namespace

int ExitStatusOf(const Error& error)
{
    return error.kind == ErrorKind::OutOfMemory ? kOutOfMemory : kBadInput;
}

Result<std::shared_ptr<PictureRun>> RunPicture(const BatchOptions& options, const std::optional<QString>& path,
                                               const std::string& decimalSeparator, bool annotate)
{
    auto run = std::make_shared<PictureRun>();
    Document document = BatchDocument(options, decimalSeparator);
    // A scale the window would replace by 1 (and show so in its field) is
    // refused: here nobody would see the replacement.
    const Result<PreparedRun> fields = document.prepareFields(SmallScale::Refused);
    if (!fields)
        return fields.error();
    // No output needs the picture itself: it is measured as it is read, so
    // its size is not bound by memory (formats read whole fall through). A
    // clean-up and the plan steps work on the whole picture, as the
    // window's do.
    const bool keepPicture = annotate || !options.savePicturePath.isEmpty() || !options.saveProjectPath.isEmpty();
    std::optional<SweptPicture> swept;
    if (path && !keepPicture && StepsOf(options).empty() && !options.project) {
        Result<std::optional<SweptPicture>> streamed =
            SweepPictureFile(*path, document.ticks(), fields->setup.Tolerance,
                             EdgeColours(document.ticks(), document.balanceSettings()), options.plan);
        if (!streamed)
            return streamed.error();
        swept = std::move(*streamed);
    }
    std::optional<QImage> picture;
    if (!swept) {
        // Measured, and shown in the annotated picture, as the window has
        // it after the same steps and "Clean up colours".
        Result<QImage> prepared = PreparedPicture(options, path, document);
        if (!prepared)
            return prepared.error();
        picture = std::move(*prepared);
    }
    Result<PreparedRun> prepared =
        document.prepareRun(SmallScale::Refused, swept ? QSize(swept->width, swept->height) : picture->size());
    if (!prepared)
        return prepared.error();
    if (!options.saveProjectPath.isEmpty())
        run->project = ProjectOfRun(options, path, document, *picture);
    run->originColumn = prepared->originColumn;
    run->inputs = std::move(prepared->inputs);
    run->setup = prepared->setup;
    run->objects = std::move(prepared->objects);
    try {
        // The display as the window has it when the plot starts: the picture alone.
        if (annotate) {
            run->display = std::make_unique<PictureArea>();
            run->display->setPicture(*picture);
        }
        if (keepPicture)
            run->measured = *picture;
        BatchObserver observer(run->display.get(), run->inputs, PlotChoice{options.showAC, options.showCG});
        run->result = swept ? RunAnalysisOfSwept(*swept, run->objects, run->setup, run->inputs, observer)
                            : RunAnalysis(RasterViewOf(*picture), run->objects, run->setup, run->inputs, observer);
    } catch (const std::bad_alloc&) {
        return OutOfMemory(path);
    }
    if (options.masses)
        run->weighed = WeighRun(run->inputs, run->result, *options.masses, options.advice);
    return run;
}

} // namespace centrafix
