// centrafix-cli: the analysis without a window, for scripts and many pictures.

#include "batch_options.h"
#include "batch_output.h"

#include "engine/analysis_run.h"
#include "picture/picture_area.h"
#include "picture/picture_source.h"
#include "picture/result_plot.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLocale>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>
#include <new>
#include <memory>
#include <optional>

using namespace centrafix;

namespace {

constexpr int kBadInput = 2;

int Fail(const QString& message)
{
    QTextStream(stderr) << "centrafix-cli: " << message << Qt::endl;
    return kBadInput;
}

void WriteStdout(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

// Plots the markers onto a copy of the display when the annotated picture is
// wanted; everything else a window shows during a run has no place here.
class BatchObserver : public AnalysisObserver {
public:
    BatchObserver(PictureArea* display, const BatchOptions& options)
        : m_display(display), m_options(options)
    {
    }

    void plotRequested(const ColorObjectTable& objects, const RunValues& values) override
    {
        if (m_display == nullptr)
            return;
        PlotResults(*m_display, objects, values, m_options.inputs.OriginX,
                    m_options.inputs.OriginY, PlotChoice{m_options.showAC, m_options.showCG},
                    m_options.inputs.languageIndex);
    }

private:
    PictureArea* m_display;
    const BatchOptions& m_options;
};

std::optional<QString> WriteAnnotated(const QString& path, const QImage& image)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("%1: cannot write the annotated picture (%2)").arg(path, file.errorString());
    QImageWriter writer(&file, "png");
    if (!writer.write(image))
        return QStringLiteral("%1: cannot write the annotated picture (%2)").arg(path, writer.errorString());
    if (!file.commit())
        return QStringLiteral("%1: cannot write the annotated picture (%2)").arg(path, file.errorString());
    return std::nullopt;
}

void QuietStartUp(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        QTextStream(stderr) << "centrafix-cli: " << message << Qt::endl;
}

// Whether the arguments ask for the annotated picture. Decided before the
// parser runs, because the parser needs the application object.
bool WantsAnnotatedPicture(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--")
            return false;
        if (argument == "--annotated" || argument.startsWith("--annotated="))
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    RaiseImageAllocationLimit();
    // Labels need fonts, and fonts need a QGuiApplication; that must not need
    // a display, and runs without a picture to draw stay without the GUI
    // machinery altogether (it is slower to start and talks on stderr).
    std::unique_ptr<QCoreApplication> app;
    if (WantsAnnotatedPicture(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // The platform's start-up remarks (such as a missing XDG_RUNTIME_DIR)
        // would break the promise that stderr carries only our one-line errors.
        const QtMessageHandler previous = qInstallMessageHandler(QuietStartUp);
        app = std::make_unique<QGuiApplication>(argc, argv);
        qInstallMessageHandler(previous);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName("centrafix-cli");
    QCoreApplication::setApplicationVersion(CENTRAFIX_VERSION);

    BatchOptions options;
    if (const auto error = ParseBatchOptions(QCoreApplication::arguments(), options))
        return Fail(*error);
    if (options.showHelp) {
        WriteStdout(options.helpText.toUtf8());
        return 0;
    }
    if (options.showVersion) {
        WriteStdout(QStringLiteral("centrafix-cli %1\n").arg(CENTRAFIX_VERSION).toUtf8());
        return 0;
    }

    options.inputs.decimalSeparator = options.json ? "." : QLocale().decimalPoint().toStdString();

    const Result<RunSetup> prepared = PrepareRun(options.inputs);
    if (!prepared)
        return Fail(QString::fromStdString(ErrorText(prepared.error(), options.inputs.languageIndex)));
    const RunSetup& setup = *prepared;

    QImage picture;
    if (options.picturePath.isEmpty()) {
        picture = ExamplePicture();
    } else {
        PictureLoad load = LoadPictureFile(options.picturePath);
        if (!load.ok())
            return Fail(QString::fromStdString(ErrorText(load.error(), options.inputs.languageIndex)));
        picture = std::move(*load);
    }

    options.inputs.OriginX = options.originColumn * setup.ScaleFactor;
    options.inputs.OriginY = options.originRow * setup.ScaleFactor;
    options.inputs.OriginRow = options.originRow;

    ColorObjectTable objects = MakeColorObjects(options.inputs.languageIndex);
    for (int i = 1; i <= kObjectCount; ++i)
        objects[static_cast<std::size_t>(i)].Weight = options.weights[static_cast<std::size_t>(i)];

    // The display as the window has it when the plot starts: the picture alone.
    PictureArea display;
    const bool annotate = !options.annotatedPath.isEmpty();
    if (annotate)
        display.setPicture(picture);
    BatchObserver observer(annotate ? &display : nullptr, options);
    AnalysisResult result;
    try {
        result = RunAnalysis(RasterViewOf(picture), objects, setup, options.inputs, observer);
    } catch (const std::bad_alloc&) {
        QTextStream(stderr) << "centrafix-cli: not enough memory to analyse "
                            << (options.picturePath.isEmpty() ? QStringLiteral("the example") : options.picturePath)
                            << Qt::endl;
        return 1;
    }

    if (annotate) {
        if (const auto error = WriteAnnotated(options.annotatedPath, display.image()))
            return Fail(*error);
    }

    if (!options.loadingTablePath.isEmpty() && options.loadingTablePath != "-") {
        QSaveFile file(options.loadingTablePath);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(QByteArray::fromStdString(result.loadingTable)) < 0 || !file.commit())
            return Fail(QStringLiteral("%1: cannot write the loading table (%2)")
                            .arg(options.loadingTablePath, file.errorString()));
    }

    if (options.loadingTablePath == "-")
        WriteStdout(QByteArray::fromStdString(result.loadingTable));
    else if (options.json)
        WriteStdout(JsonReport(options, setup, objects, result));
    else
        WriteStdout(TextReport(options, result));
    return 0;
}
