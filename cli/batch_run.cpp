#include "batch_run.h"

#include "batch_files.h"
#include "batch_observer.h"
#include "batch_output.h"
#include "console.h"

#include "engine/analysis_run.h"
#include "picture/picture_area.h"
#include "picture/picture_source.h"

#include <QLocale>

#include <new>
#include <optional>

namespace centrafix {
namespace {

constexpr Message kNoMemoryForExample{"nicht genug Speicher, um das Beispiel zu analysieren",
                                      "not enough memory to analyse the example"};
constexpr Message kNoMemoryForPicture{"nicht genug Speicher, um %1 zu analysieren",
                                      "not enough memory to analyse %1"};

Result<QImage> LoadPicture(const std::optional<QString>& path)
{
    if (!path)
        return ExamplePicture();
    return LoadPictureFile(*path);
}

Error OutOfMemory(const std::optional<QString>& picturePath)
{
    if (!picturePath)
        return Described({}, kNoMemoryForExample);
    return Described({}, kNoMemoryForPicture, {picturePath->toStdString()});
}

// The inputs as the run gets them: numbers written as the locale writes them
// (JSON is read by programs, so there always with a point), and the origin in
// scaled units, which needs the scale.
AnalysisInputs RunInputs(const BatchOptions& options)
{
    AnalysisInputs inputs = options.inputs;
    inputs.decimalSeparator = options.json ? "." : QLocale().decimalPoint().toStdString();
    return inputs;
}

void PlaceOrigin(const BatchOptions& options, const RunSetup& setup, AnalysisInputs& inputs)
{
    inputs.OriginX = options.originColumn * setup.ScaleFactor;
    inputs.OriginY = options.originRow * setup.ScaleFactor;
    inputs.OriginRow = options.originRow;
}

ColorObjectTable WeightedObjects(const BatchOptions& options)
{
    ColorObjectTable objects = MakeColorObjects(options.inputs.languageIndex);
    for (int i = 1; i <= kObjectCount; ++i)
        objects[static_cast<std::size_t>(i)].Weight = options.weights[static_cast<std::size_t>(i)];
    return objects;
}

// The table is built only here, where it goes, and streamed there: a tall
// picture's table is hundreds of megabytes of text.
LoadingTable TableOf(const AnalysisResult& result, const AnalysisInputs& inputs)
{
    return LoadingTable(result.values.RowChord, result.values.height, inputs.OriginRow,
                        inputs.decimalSeparator);
}

std::optional<Error> WriteFiles(const BatchOptions& options, const AnalysisInputs& inputs,
                                const PictureArea& display, const AnalysisResult& result)
{
    if (!options.annotatedPath.isEmpty()) {
        if (std::optional<Error> error = WriteAnnotatedPicture(options.annotatedPath, display.image()))
            return error;
    }
    if (!options.loadingTablePath.isEmpty() && options.loadingTablePath != "-")
        return WriteLoadingTable(options.loadingTablePath, TableOf(result, inputs));
    return std::nullopt;
}

bool PrintResults(const BatchOptions& options, const AnalysisInputs& inputs, const RunSetup& setup,
                  const ColorObjectTable& objects, const AnalysisResult& result)
{
    if (options.loadingTablePath == "-")
        return TableOf(result, inputs).write(WriteStdout);
    if (options.json)
        return WriteStdout(JsonReport(options, inputs, setup, objects, result).toStdString());
    return WriteStdout(TextReport(options, result).toStdString());
}

} // namespace

int RunBatch(const BatchOptions& options)
{
    const int language = options.inputs.languageIndex;
    AnalysisInputs inputs = RunInputs(options);
    const Result<RunSetup> setup = PrepareRun(inputs);
    if (!setup)
        return ReportError(setup.error(), language);
    const Result<QImage> picture = LoadPicture(options.picturePath);
    if (!picture) {
        const bool tooBig = picture.error().kind == ErrorKind::OutOfMemory;
        return ReportError(picture.error(), language, tooBig ? kOutOfMemory : kBadInput);
    }
    PlaceOrigin(options, *setup, inputs);
    ColorObjectTable objects = WeightedObjects(options);
    if (std::optional<Error> range = CheckFiniteResults(*setup, inputs, objects, picture->width(), picture->height()))
        return ReportError(*range, language);

    // The display as the window has it when the plot starts: the picture alone.
    PictureArea display;
    const bool annotate = !options.annotatedPath.isEmpty();
    if (annotate)
        display.setPicture(*picture);
    BatchObserver observer(annotate ? &display : nullptr, inputs, PlotChoice{options.showAC, options.showCG});
    AnalysisResult result;
    try {
        result = RunAnalysis(RasterViewOf(*picture), objects, *setup, inputs, observer);
    } catch (const std::bad_alloc&) {
        return ReportError(OutOfMemory(options.picturePath), language, kOutOfMemory);
    }

    if (std::optional<Error> error = WriteFiles(options, inputs, display, result))
        return ReportError(*error, language);
    if (!PrintResults(options, inputs, *setup, objects, result))
        return ReportError(StandardOutputError(), language);
    return 0;
}

} // namespace centrafix
