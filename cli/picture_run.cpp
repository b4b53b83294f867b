#include "picture_run.h"

#include "batch_observer.h"
#include "console.h"

#include "engine/analysis_run.h"
#include "picture/picture_ops.h"
#include "picture/picture_source.h"
#include "picture/streamed_sweep.h"

#include <new>

namespace centrafix {
namespace {

constexpr Message kNoMemoryForExample{"nicht genug Speicher, um das Beispiel zu analysieren",
                                      "not enough memory to analyze the example"};
constexpr Message kNoMemoryForPicture{"nicht genug Speicher, um %1 zu analysieren",
                                      "not enough memory to analyze %1"};

Result<QImage> LoadPicture(const std::optional<QString>& path)
{
    if (!path)
        return ExamplePicture();
    return LoadPictureFile(*path);
}

Error OutOfMemory(const std::optional<QString>& path)
{
    Error error = path ? Described({}, kNoMemoryForPicture, {path->toStdString()}) : Described({}, kNoMemoryForExample);
    error.kind = ErrorKind::OutOfMemory;
    return error;
}

ColorObjectTable WeightedObjects(const BatchOptions& options)
{
    ColorObjectTable objects = MakeColorObjects(options.inputs.languageIndex);
    for (int i = 1; i <= kObjectCount; ++i)
        objects[static_cast<std::size_t>(i)].Weight = options.weights[static_cast<std::size_t>(i)];
    return objects;
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
    run->inputs = options.inputs;
    run->inputs.decimalSeparator = decimalSeparator;
    const Result<RunSetup> setup = PrepareRun(run->inputs, SmallScale::Refused);
    if (!setup)
        return setup.error();
    run->setup = *setup;
    // No output needs the picture itself: it is measured as it is read, so
    // its size is not bound by memory (formats read whole fall through). A
    // clean-up works on the whole picture, as the window's does.
    std::optional<SweptPicture> swept;
    if (path && !annotate && !options.cleanUp) {
        Result<std::optional<SweptPicture>> streamed =
            SweepPictureFile(*path, run->inputs.ticked, run->setup.Tolerance);
        if (!streamed)
            return streamed.error();
        swept = std::move(*streamed);
    }
    std::optional<QImage> picture;
    if (!swept) {
        Result<QImage> loaded = LoadPicture(path);
        if (!loaded)
            return loaded.error();
        picture = std::move(*loaded);
        try {
            // Measured, and shown in the annotated picture, as the window has
            // it after "Clean up colours".
            if (options.cleanUp)
                *picture = CleanedUpPicture(*picture, options.cleanUpThreshold);
        } catch (const std::bad_alloc&) {
            return OutOfMemory(path);
        }
    }
    // The origin in scaled units needs the scale.
    run->inputs.OriginX = options.originColumn * run->setup.ScaleFactor;
    run->inputs.OriginY = options.originRow * run->setup.ScaleFactor;
    run->inputs.OriginRow = options.originRow;
    run->objects = WeightedObjects(options);
    const int width = swept ? swept->width : picture->width();
    const int height = swept ? swept->height : picture->height();
    if (std::optional<Error> refusal = RefuseRun(run->setup, run->inputs, run->objects, width, height))
        return *refusal;
    try {
        // The display as the window has it when the plot starts: the picture alone.
        if (annotate) {
            run->display = std::make_unique<PictureArea>();
            run->display->setPicture(*picture);
        }
        BatchObserver observer(run->display.get(), run->inputs, PlotChoice{options.showAC, options.showCG});
        run->result = swept ? RunAnalysisOfSwept(*swept, run->objects, run->setup, run->inputs, observer)
                            : RunAnalysis(RasterViewOf(*picture), run->objects, run->setup, run->inputs, observer);
    } catch (const std::bad_alloc&) {
        return OutOfMemory(path);
    }
    return run;
}

} // namespace centrafix
