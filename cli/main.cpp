// centrafix-cli: the analysis without a window, for scripts and many pictures.

#include "batch_options.h"
#include "batch_pool.h"
#include "batch_run.h"
#include "batch_worker.h"
#include "chart_writer.h"

#include "document/project_file.h"
#include "console.h"

#include "picture/files/local_path.h"
#include "picture/metafile/wmf_player.h"
#include "picture/picture_source.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>

#include <csignal>
#include <memory>
#include <optional>

#include <sys/stat.h>

using namespace centrafix;

namespace {

// Qt's remarks (a missing XDG_RUNTIME_DIR, a font substituted) would break
// the promise that stderr carries only our one-line errors: only a failure
// that ends the program is told, in that shape. Decoding keeps its own
// libraries' remarks for the refusal it explains.
void OnlyFailures(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        WriteErrorLine(message.toStdString());
}

// Whether the arguments ask for `option` ("--annotated"). Decided before the
// parser runs, because the parser needs the application object.
bool AsksFor(int argc, char* argv[], const QByteArray& option)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--")
            return false;
        if (argument == option || argument.startsWith(option + '='))
            return true;
    }
    return false;
}

bool IsBatchWorker(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--batch-worker")
            return true;
    }
    return false;
}

// Whether an argument names a drawing whose text needs fonts: a Windows
// metafile, or a PDF or SVG plan; or a project, whose picture's file (which
// may be one) is read to tell whether it is still the project's picture.
bool NamesADrawing(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (IsProjectPath(FileNameFromBytes(argv[i])))
            return true;
        // Only a plain file: opening a FIFO would wait for a writer.
        struct stat info {};
        QFile file;
        if (::stat(argv[i], &info) != 0 || !S_ISREG(info.st_mode) || OpenForReading(file, FileNameFromBytes(argv[i])))
            continue;
        const QByteArray head = file.read(1024);
        if (LooksLikeWindowsMetafile(head.left(64)) || IsPlanDocument(FileNameFromBytes(argv[i]), head))
            return true;
    }
    return false;
}

// The arguments as given, a file name in another encoding than UTF-8
// included (see FileNameFromBytes); Qt has taken out those it handles itself.
QStringList Arguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << FileNameFromBytes(argv[i]);
    return arguments;
}

// The application object, and why the chart writer could not be loaded
// when a chart was asked for (told once the options say in which language).
struct Application {
    std::unique_ptr<QCoreApplication> app;
    std::optional<Error> chartFailure;
};

// Labels and metafile text need fonts, and fonts need a QGuiApplication; Qt's
// chart module needs a QApplication, which the chart writer makes. Neither
// may need a display: the offscreen platform draws the same file with or
// without a desktop session, and no window is ever shown. Other runs stay
// without the GUI machinery altogether (it is slower to start and talks on
// stderr).
Application MakeApplication(int& argc, char* argv[])
{
    const bool chart = AsksFor(argc, argv, "--chart");
    // A worker of a many-picture run may meet a metafile in any picture.
    if (!chart && !AsksFor(argc, argv, "--annotated") && !AsksFor(argc, argv, "--report") && !NamesADrawing(argc, argv) && !IsBatchWorker(argc, argv))
        return {std::make_unique<QCoreApplication>(argc, argv), std::nullopt};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application made;
    if (chart) {
        const Result<const ChartModule*> writer = LoadChartWriter();
        if (writer)
            made.app.reset((*writer)->makeApplication(argc, argv));
        else
            made.chartFailure = writer.error();
    }
    if (!made.app)
        made.app = std::make_unique<QGuiApplication>(argc, argv);
    // The font library reads its configuration when the first label is
    // drawn, and crashes when memory runs out while it does. Read it now,
    // before a picture takes the memory, so a short machine fails in our own
    // allocations, which say so.
    QFontMetrics(QGuiApplication::font()).horizontalAdvance(QStringLiteral("x"));
    return made;
}

} // namespace

int main(int argc, char* argv[])
{
    // A reader that stops reading (`| head`) shows as a failed write, which
    // ends the run quietly, not as a signal that kills it half way.
    std::signal(SIGPIPE, SIG_IGN);
    qInstallMessageHandler(OnlyFailures);
    RaiseImageAllocationLimit();
    const Application application = MakeApplication(argc, argv);
    QCoreApplication::setApplicationName("centrafix-cli");
    QCoreApplication::setApplicationVersion(CENTRAFIX_VERSION);

    BatchOptions options;
    if (const std::optional<Error> error = ParseBatchOptions(Arguments(argc, argv), options))
        return ReportError(*error, options.inputs.languageIndex);
    if (options.showHelp) {
        WriteStdout(options.helpText.toStdString());
        return 0;
    }
    if (options.showVersion) {
        WriteStdout(QStringLiteral("centrafix-cli %1\n").arg(CENTRAFIX_VERSION).toStdString());
        return 0;
    }
    if (application.chartFailure)
        return ReportError(*application.chartFailure, options.inputs.languageIndex);
    if (!options.workerFormat.isEmpty())
        return RunBatchWorker(options);
    if (options.many)
        return RunManyPictures(options);
    return RunBatch(options);
}
