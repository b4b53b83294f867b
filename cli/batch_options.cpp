#include "batch_options.h"

#include "balance_options.h"
#include "batch_document.h"
#include "batch_option_set.h"
#include "mass_options.h"
#include "parser_complaint.h"
#include "plan_options.h"
#include "project_options.h"

#include "chart/chart_format.h"
#include "engine/color_cleanup.h"
#include "engine/color_object.h"
#include "engine/defaults.h"
#include "engine/number_text.h"
#include "engine/scale_from_line.h"
#include "engine/string_table.h"
#include "engine/typed_text.h"

#include <QCommandLineParser>
#include <QLocale>

#include <string>
#include <utility>
#include <vector>

namespace centrafix {
namespace {

constexpr Message kBadLanguage{"--language muss de oder en sein, nicht \"%1\".",
                               "--language must be de or en, not \"%1\"."};
constexpr Message kBadJobs{"--jobs braucht eine Zahl von 1 bis 1024, nicht \"%1\".",
                           "--jobs needs a number from 1 to 1024, not \"%1\"."};
constexpr Message kCsvNeedsFile{"--csv braucht einen Dateinamen oder \"-\".", "--csv needs a file name or \"-\"."};
constexpr Message kFilesFromNeedsFile{"--files-from braucht einen Dateinamen oder \"-\".",
                                      "--files-from needs a file name or \"-\"."};
constexpr Message kOnePictureOutputs{"--loading-table und --annotated gelten für ein Bild, nicht für mehrere.",
                                     "--loading-table and --annotated are for one picture, not several."};
constexpr Message kCsvAndJsonOnStdout{
    "--csv - und --json wollen beide die Standardausgabe; die Tabelle braucht eine Datei.",
    "--csv - and --json both want standard output; give the table a file."};
constexpr Message kBadPage{"--page braucht eine ganze Zahl ab 1, nicht \"%1\".",
                           "--page needs a whole number from 1, not \"%1\"."};
constexpr Message kBadDpi{"--dpi braucht eine Zahl über 0 und höchstens %2, nicht \"%1\".",
                          "--dpi needs a number above 0 and at most %2, not \"%1\"."};
constexpr Message kBadOrigin{"--origin muss zwei Zahlen X,Y sein, nicht \"%1\".",
                             "--origin must be two numbers X,Y, not \"%1\"."};
constexpr Message kUnknownColour{"--colors: unbekannte Farbe \"%1\" (einen Namen oder eine Zahl 1 bis 7 angeben).",
                                 "--colors: unknown color \"%1\" (use a name or a number 1 to 7)."};
constexpr Message kWeightCount{"--weights braucht sieben Zahlen, \"%2\" enthält %1.",
                               "--weights needs seven numbers, got %1 in \"%2\"."};
constexpr Message kWeightNotANumber{"--weights: \"%1\" ist keine Zahl.", "--weights: \"%1\" is not a number."};
constexpr Message kLoadingTableNeedsFile{"--loading-table braucht einen Dateinamen oder \"-\".",
                                         "--loading-table needs a file name or \"-\"."};
constexpr Message kAnnotatedNeedsFile{"--annotated braucht einen Dateinamen.", "--annotated needs a file name."};
constexpr Message kChartNeedsFile{"--chart braucht einen Dateinamen auf .png oder .svg.",
                                  "--chart needs a file name ending in .png or .svg."};
constexpr Message kChartKind{"--chart schreibt PNG oder SVG; \"%1\" endet weder auf .png noch auf .svg.",
                             "--chart writes PNG or SVG; \"%1\" ends in neither .png nor .svg."};
constexpr Message kChartForOnePicture{"--chart gilt für ein Bild, nicht für mehrere.",
                                      "--chart is for one picture, not several."};
constexpr Message kReportNeedsFile{"--report braucht einen Dateinamen.", "--report needs a file name."};
constexpr Message kReportForOnePicture{"--report gilt für ein Bild, nicht für mehrere (ein Bericht je Lauf).",
                                       "--report is for one picture, not several (one report a run)."};
constexpr Message kBadPaper{"--paper muss a4 oder letter sein, nicht \"%1\".",
                            "--paper must be a4 or letter, not \"%1\"."};
constexpr Message kStandardOutputTwice{
    "--json und --loading-table - wollen beide die Standardausgabe; die Tabelle braucht eine Datei.",
    "--json and --loading-table - both want standard output; give the table a file."};

constexpr Message kBadScaleFrom{"--scale-from muss X1,Y1,X2,Y2=LÄNGE sein, nicht \"%1\".",
                                "--scale-from must be X1,Y1,X2,Y2=LENGTH, not \"%1\"."};
constexpr Message kScaleFromAndScale{"--scale-from und --scale schließen einander aus; nur eines angeben.",
                                     "--scale-from and --scale exclude each other; give only one."};
constexpr Message kScaleFromNoLength{"--scale-from: die beiden Punkte fallen zusammen, die Linie hat keine Länge.",
                                     "--scale-from: the two points coincide, the line has no length."};

Error OptionError(const Message& reason, std::vector<ErrorArg> args = {})
{
    return Described({}, reason, std::move(args));
}

std::string Text(const QString& text)
{
    return text.toStdString();
}

bool ParseNumber(const QString& text, double& value)
{
    const std::optional<double> number = ParseStrictDecimal(text.toStdString(), ".");
    if (number)
        value = *number;
    return number.has_value();
}

// Each reader takes one group of options from the parsed arguments and
// returns the first thing wrong with them.
using Reader = std::optional<Error> (*)(const QCommandLineParser&, const BatchOptionSet&, BatchOptions&);

std::optional<Error> ReadLanguage(const QCommandLineParser& parser, const BatchOptionSet& set, BatchOptions& options)
{
    const QString language = parser.value(set.language);
    if (language == "de")
        options.inputs.languageIndex = kGerman;
    else if (language == "en")
        options.inputs.languageIndex = kEnglish;
    else
        return OptionError(kBadLanguage, {Text(language)});
    return std::nullopt;
}

std::optional<Error> ReadPictures(const QCommandLineParser& parser, const BatchOptionSet& set, BatchOptions& options)
{
    const QStringList positional = parser.positionalArguments();
    options.picturePaths = positional;
    options.filesFrom = parser.value(set.filesFrom);
    options.csvPath = parser.value(set.csv);
    // A worker is told its output and its share of the cores: "json:2".
    const QStringList worker = parser.value(set.worker).split(':');
    options.workerFormat = worker.value(0);
    options.workerThreads = worker.value(1).toInt();
    options.inputs.threads = options.workerThreads;
    options.many = positional.size() > 1 || positional.contains(QStringLiteral("-")) || parser.isSet(set.filesFrom) ||
                   parser.isSet(set.csv);
    if (!options.many && !positional.isEmpty())
        options.picturePath = positional.front();
    if (parser.isSet(set.jobs)) {
        bool number = false;
        options.jobs = parser.value(set.jobs).toInt(&number);
        if (!number || options.jobs < 1 || options.jobs > 1024)
            return OptionError(kBadJobs, {Text(parser.value(set.jobs))});
    }
    if (parser.isSet(set.csv) && options.csvPath.isEmpty())
        return OptionError(kCsvNeedsFile);
    if (parser.isSet(set.filesFrom) && options.filesFrom.isEmpty())
        return OptionError(kFilesFromNeedsFile);
    return std::nullopt;
}

// The number texts go to the run as typed; it evaluates them as the window
// does, in the locale's way of writing numbers. The window says in its report
// why an altitude or Mach number gives no drag estimate; here a text that is
// no number at all is bad input like any other.
std::optional<Error> ReadNumberTexts(const QCommandLineParser& parser, const BatchOptionSet& set, BatchOptions& options)
{
    AnalysisInputs& in = options.inputs;
    in.localeSeparator = Text(QLocale().decimalPoint());
    const Project* project = options.project.get();
    // The project's text, in this locale's way, where the option is not given.
    const auto text = [&](const QCommandLineOption& option, const std::string Project::*kept) {
        return project && !parser.isSet(option) ? LocalNumberText(project->*kept, in.localeSeparator)
                                                : Text(parser.value(option));
    };
    in.scaleText = text(set.scale, &Project::scaleText);
    in.unit = project && !parser.isSet(set.unit) ? project->unit : Text(parser.value(set.unit));
    in.toleranceText = text(set.tolerance, &Project::toleranceText);
    in.altitudeText = text(set.altitude, &Project::altitudeText);
    in.machText = text(set.mach, &Project::machText);
    return BatchDocument(options).refuseDragFields();
}

// The scale a line over a known length gives, as the window's scale line
// sets it; it goes to the run (and to the workers) as the scale text.
std::optional<Error> ReadScaleFrom(const QCommandLineParser& parser, const BatchOptionSet& set, BatchOptions& options)
{
    if (!parser.isSet(set.scaleFrom))
        return std::nullopt;
    if (parser.isSet(set.scale))
        return OptionError(kScaleFromAndScale);
    const QString text = parser.value(set.scaleFrom);
    const qsizetype equals = text.indexOf('=');
    const QStringList points = text.left(equals).split(',');
    std::array<double, 4> xy{};
    bool numbers = equals > 0 && points.size() == 4;
    for (int i = 0; numbers && i < 4; ++i)
        numbers = ParseNumber(points[i].trimmed(), xy[static_cast<std::size_t>(i)]);
    if (!numbers)
        return OptionError(kBadScaleFrom, {Text(text)});
    const Result<double> length = ReadRealLength(Text(text.mid(equals + 1)), options.inputs.localeSeparator);
    if (!length)
        return length.error();
    const double pixels = PixelDistance(xy[0], xy[1], xy[2], xy[3]);
    if (!(pixels > 0.0))
        return OptionError(kScaleFromNoLength);
    options.inputs.scaleText = ScaleTextFromLine(*length, pixels, ".");
    return std::nullopt;
}

// The tolerance and the scale as the run will read them, refused here as
// the window refuses them, before any picture is opened. A scale the window
// would replace by 1 (and show so in its field) is refused: here nobody
// would see the replacement.
std::optional<Error> ReadRunSetup(const QCommandLineParser&, const BatchOptionSet&, BatchOptions& options)
{
    const Result<PreparedRun> fields = BatchDocument(options).prepareFields(SmallScale::Refused);
    if (!fields)
        return fields.error();
    return std::nullopt;
}

std::optional<Error> ReadCleanUp(const QCommandLineParser& parser, const BatchOptionSet& set, BatchOptions& options)
{
    options.cleanUp = parser.isSet(set.cleanUp) || parser.isSet(set.cleanUpThreshold);
    options.cleanUpThresholdText = parser.value(set.cleanUpThreshold);
    const Result<double> threshold =
        ReadCleanUpThreshold(Text(options.cleanUpThresholdText), options.inputs.localeSeparator);
    if (!threshold)
        return threshold.error();
    options.cleanUpThreshold = *threshold;
    return std::nullopt;
}

std::optional<Error> ReadPlanPage(const QCommandLineParser& parser, const BatchOptionSet& set, BatchOptions& options)
{
    bool number = false;
    const QString page = parser.value(set.page).trimmed();
    options.plan.page = page.toInt(&number);
    if (!number || options.plan.page < 1)
        return OptionError(kBadPage, {Text(page)});
    const QString dpi = parser.value(set.dpi);
    if (!ParseNumber(dpi.trimmed(), options.plan.dpi) || !IsPlanDpi(options.plan.dpi))
        return OptionError(kBadDpi, {Text(dpi), Text(QString::number(kMaxPlanDpi))});
    return std::nullopt;
}

std::optional<Error> ReadOrigin(const QCommandLineParser& parser, const BatchOptionSet& set, BatchOptions& options)
{
    options.originGiven = parser.isSet(set.origin);
    if (options.project && !options.originGiven) {
        options.originColumn = options.project->origin.column;
        options.originRow = options.project->origin.row;
        return std::nullopt;
    }
    const QString text = parser.value(set.origin);
    const QStringList parts = text.split(',');
    if (parts.size() != 2 || !ParseNumber(parts[0].trimmed(), options.originColumn) ||
        !ParseNumber(parts[1].trimmed(), options.originRow))
        return OptionError(kBadOrigin, {Text(text)});
    return std::nullopt;
}

std::optional<Error> ReadColors(const QCommandLineParser& parser, const BatchOptionSet& set, BatchOptions& options)
{
    std::array<bool, 8>& ticked = options.inputs.ticked;
    ticked.fill(false);
    options.colorsGiven = parser.isSet(set.colors);
    if (options.project && !options.colorsGiven) {
        // As the run that saved it looked: the colours it did not find too.
        for (std::size_t i = 1; i < ticked.size(); ++i)
            ticked[i] = options.project->choices[i].ticked || options.project->choices[i].notFound;
        return std::nullopt;
    }
    if (!options.colorsGiven) {
        for (int i = 1; i <= kObjectCount; ++i)
            ticked[static_cast<std::size_t>(i)] = true;
        return std::nullopt;
    }
    for (const QString& raw : parser.value(set.colors).split(',')) {
        const QString token = raw.trimmed();
        const std::optional<int> index = ColorIndex(token);
        if (!index)
            return OptionError(kUnknownColour, {Text(token)});
        ticked[static_cast<std::size_t>(*index)] = true;
    }
    return std::nullopt;
}

std::optional<Error> ReadWeights(const QCommandLineParser& parser, const BatchOptionSet& set, BatchOptions& options)
{
    options.weights.fill(defaults::kWeight);
    options.weights[0] = 0.0;
    if (options.project && !parser.isSet(set.weights)) {
        for (std::size_t i = 1; i < options.weights.size(); ++i)
            options.weights[i] = options.project->weights[i];
        return std::nullopt;
    }
    if (!parser.isSet(set.weights))
        return std::nullopt;
    const QString text = parser.value(set.weights);
    const QStringList parts = text.split(',');
    if (parts.size() != kObjectCount)
        return OptionError(kWeightCount, {std::to_string(parts.size()), Text(text)});
    for (int i = 0; i < kObjectCount; ++i) {
        if (!ParseNumber(parts[i].trimmed(), options.weights[static_cast<std::size_t>(i + 1)]))
            return OptionError(kWeightNotANumber, {Text(parts[i].trimmed())});
    }
    return std::nullopt;
}

std::optional<Error> ReadChart(const QCommandLineParser& parser, const BatchOptionSet& set, BatchOptions& options)
{
    if (!parser.isSet(set.chart))
        return std::nullopt;
    options.chartPath = parser.value(set.chart);
    if (options.chartPath.isEmpty())
        return OptionError(kChartNeedsFile);
    if (!ChartFormatOf(options.chartPath))
        return OptionError(kChartKind, {Text(options.chartPath)});
    if (options.many)
        return OptionError(kChartForOnePicture);
    return std::nullopt;
}

std::optional<Error> ReadReport(const QCommandLineParser& parser, const BatchOptionSet& set, BatchOptions& options)
{
    options.paper = PaperForLocale(QLocale());
    if (parser.isSet(set.paper)) {
        const std::optional<Paper> paper = PaperNamed(parser.value(set.paper));
        if (!paper)
            return OptionError(kBadPaper, {Text(parser.value(set.paper))});
        options.paper = *paper;
    }
    if (!parser.isSet(set.report))
        return std::nullopt;
    options.reportPath = parser.value(set.report);
    if (options.reportPath.isEmpty())
        return OptionError(kReportNeedsFile);
    if (options.many)
        return OptionError(kReportForOnePicture);
    return std::nullopt;
}

std::optional<Error> ReadOutputs(const QCommandLineParser& parser, const BatchOptionSet& set, BatchOptions& options)
{
    options.json = parser.isSet(set.json);
    options.loadingTablePath = parser.value(set.loadingTable);
    if (parser.isSet(set.loadingTable) && options.loadingTablePath.isEmpty())
        return OptionError(kLoadingTableNeedsFile);
    options.annotatedPath = parser.value(set.annotated);
    if (parser.isSet(set.annotated) && options.annotatedPath.isEmpty())
        return OptionError(kAnnotatedNeedsFile);
    options.showAC = parser.isSet(set.showAC);
    options.showCG = parser.isSet(set.showCG);
    if (options.json && options.loadingTablePath == "-")
        return OptionError(kStandardOutputTwice);
    if (options.many && (parser.isSet(set.loadingTable) || parser.isSet(set.annotated)))
        return OptionError(kOnePictureOutputs);
    if (options.json && options.csvPath == "-")
        return OptionError(kCsvAndJsonOnStdout);
    if (std::optional<Error> error = ReadReport(parser, set, options))
        return error;
    return ReadChart(parser, set, options);
}

std::optional<Error> ReadPlan(const QCommandLineParser& parser, const BatchOptionSet& set, BatchOptions& options)
{
    return ReadPlanOptions(parser, set.plan, options);
}

std::optional<Error> ReadMasses(const QCommandLineParser& parser, const BatchOptionSet& set, BatchOptions& options)
{
    return ReadMassOptions(parser, set.masses, options);
}

} // namespace

std::optional<Error> ParseBatchOptions(const QStringList& arguments, BatchOptions& options)
{
    QCommandLineParser parser;
    const BatchOptionSet set(parser);
    const bool parsed = parser.parse(arguments);
    // The parser reads every argument it can even past a fault, so a
    // complaint about another option is told in the language asked for.
    const std::optional<Error> languageError = ReadLanguage(parser, set, options);
    if (!parsed)
        return ParserComplaint(parser.errorText());
    options.helpText = parser.helpText();
    options.showHelp = parser.isSet(set.help);
    options.showVersion = !options.showHelp && parser.isSet(set.version);
    if (options.showHelp || options.showVersion)
        return std::nullopt;
    if (languageError)
        return languageError;
    for (const Reader read : {ReadPictures, ReadProjectOptions, ReadNumberTexts, ReadScaleFrom, ReadRunSetup,
                              ReadPlanPage, ReadCleanUp, ReadOrigin, ReadColors, ReadWeights, ReadBalanceOptions,
                              ReadOutputs, ReadPlan, ReadMasses}) {
        if (std::optional<Error> error = read(parser, set, options))
            return error;
    }
    return std::nullopt;
}

} // namespace centrafix
