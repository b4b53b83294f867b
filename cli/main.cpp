// centrafix-cli: the analysis without a window, for scripts and many pictures.

#include "batch_options.h"
#include "batch_output.h"

#include "engine/analysis_run.h"
#include "picture/picture_source.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

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

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
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

    RunSetup setup;
    if (const auto error = PrepareRun(options.inputs, setup))
        return Fail(QString::fromStdString(error->message()));

    QImage picture;
    if (options.picturePath.isEmpty()) {
        picture = ExamplePicture();
    } else {
        PictureLoad load = LoadPictureFile(options.picturePath);
        if (!load.ok())
            return Fail(load.error);
        picture = std::move(load.image);
    }

    options.inputs.OriginX = options.originColumn * setup.ScaleFactor;
    options.inputs.OriginY = options.originRow * setup.ScaleFactor;
    options.inputs.OriginRow = options.originRow;

    ColorObjectTable objects = MakeColorObjects(options.inputs.languageIndex);
    for (int i = 1; i <= kObjectCount; ++i)
        objects[static_cast<std::size_t>(i)].Weight = options.weights[static_cast<std::size_t>(i)];

    AnalysisObserver quiet;
    const AnalysisResult result =
        RunAnalysis(RasterViewOf(picture), objects, setup, options.inputs, quiet);

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
