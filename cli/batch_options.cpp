#include "batch_options.h"

#include "engine/color_object.h"
#include "engine/number_text.h"
#include "engine/string_table.h"

#include <QCommandLineParser>

namespace centrafix {
namespace {

bool ParseNumber(const QString& text, double& value)
{
    const std::optional<double> number = ParseStrictDecimal(text.toStdString(), ".");
    if (number)
        value = *number;
    return number.has_value();
}

// A colour by its number 1 to 7 or its name in either language.
std::optional<int> ColorIndex(const QString& token)
{
    bool isNumber = false;
    const int number = token.toInt(&isNumber);
    if (isNumber)
        return number >= 1 && number <= kObjectCount ? std::optional<int>(number) : std::nullopt;
    for (int language : {kGerman, kEnglish}) {
        for (int i = 1; i <= kObjectCount; ++i) {
            const QString name = QString::fromUtf8(Tr(ColorNameMessage(i), language));
            if (token.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> ParseBatchOptions(const QStringList& arguments, BatchOptions& options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Analyses a flat-coloured planform picture exactly as the Analyze button does and prints\n"
        "the results grid (tab-separated, as \"Copy Table\" gives it) and the report.\n"
        "Without PICTURE the built-in example is analysed.");
    parser.addPositionalArgument("picture", "Picture file (BMP, PNG, JPEG, GIF, ...).", "[PICTURE]");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption scale({"s", "scale"}, "Length units per pixel, a number or expression.", "TEXT", "1.0");
    const QCommandLineOption tolerance({"t", "tolerance"}, "Colour tolerance, a number or expression.", "TEXT", "10");
    const QCommandLineOption origin("origin", "Origin as pixel column and row.", "X,Y", "0,0");
    const QCommandLineOption colors("colors", "Colours to analyse: names (either language) or numbers 1-7, comma-separated. Default: all seven.", "LIST");
    const QCommandLineOption weights("weights", "The seven colour weights (Efficiency), comma-separated.", "W1,...,W7");
    const QCommandLineOption language("language", "Language of names and texts: de or en.", "de|en", "en");
    const QCommandLineOption altitude("altitude", "Altitude in metres for the drag estimate.", "TEXT", "10000");
    const QCommandLineOption mach("mach", "Mach number for the drag estimate.", "TEXT", "0.85");
    const QCommandLineOption loadingTable("loading-table", "Write the spanwise loading table to FILE (\"-\": standard output, instead of the results).", "FILE");
    const QCommandLineOption json("json", "Print one JSON object instead of the text.");
    const QCommandLineOption annotated("annotated", "Write the picture as the window shows it after the run (origin mark, A.C. and C.G. markers with labels) to FILE as PNG.", "FILE");
    const QCommandLineOption showAC("show-ac", "With --annotated: mark the A.C. of every found colour, not only of the total.");
    const QCommandLineOption showCG("show-cg", "With --annotated: mark the C.G. of the total and of every found colour.");
    for (const auto* o : {&scale, &tolerance, &origin, &colors, &weights, &language, &altitude,
                          &mach, &loadingTable, &json, &annotated, &showAC, &showCG})
        parser.addOption(*o);

    if (!parser.parse(arguments))
        return parser.errorText();
    options.helpText = parser.helpText();
    if (parser.isSet(help)) {
        options.showHelp = true;
        return std::nullopt;
    }
    if (parser.isSet(version)) {
        options.showVersion = true;
        return std::nullopt;
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return QStringLiteral("Only one picture can be given, not %1.").arg(positional.size());
    if (!positional.isEmpty())
        options.picturePath = positional.front();

    AnalysisInputs& in = options.inputs;
    in.scaleText = parser.value(scale).toStdString();
    in.toleranceText = parser.value(tolerance).toStdString();
    in.altitudeText = parser.value(altitude).toStdString();
    in.machText = parser.value(mach).toStdString();

    const QString lang = parser.value(language);
    if (lang == "de")
        in.languageIndex = kGerman;
    else if (lang == "en")
        in.languageIndex = kEnglish;
    else
        return QStringLiteral("--language must be de or en, not \"%1\".").arg(lang);

    const QStringList originParts = parser.value(origin).split(',');
    if (originParts.size() != 2 || !ParseNumber(originParts[0].trimmed(), options.originColumn) ||
        !ParseNumber(originParts[1].trimmed(), options.originRow))
        return QStringLiteral("--origin must be two numbers X,Y, not \"%1\".").arg(parser.value(origin));

    in.ticked.fill(false);
    if (parser.isSet(colors)) {
        for (const QString& raw : parser.value(colors).split(',')) {
            const QString token = raw.trimmed();
            const std::optional<int> index = ColorIndex(token);
            if (!index)
                return QStringLiteral("--colors: unknown colour \"%1\" (use a name or a number 1 to 7).").arg(token);
            in.ticked[static_cast<std::size_t>(*index)] = true;
        }
    } else {
        for (int i = 1; i <= kObjectCount; ++i)
            in.ticked[static_cast<std::size_t>(i)] = true;
    }

    options.weights.fill(1.0);
    options.weights[0] = 0.0;
    if (parser.isSet(weights)) {
        const QStringList parts = parser.value(weights).split(',');
        if (parts.size() != kObjectCount)
            return QStringLiteral("--weights needs seven numbers, got %1 in \"%2\".").arg(parts.size()).arg(parser.value(weights));
        for (int i = 0; i < kObjectCount; ++i) {
            if (!ParseNumber(parts[i].trimmed(), options.weights[static_cast<std::size_t>(i + 1)]))
                return QStringLiteral("--weights: \"%1\" is not a number.").arg(parts[i].trimmed());
        }
    }

    options.json = parser.isSet(json);
    options.loadingTablePath = parser.value(loadingTable);
    if (parser.isSet(loadingTable) && options.loadingTablePath.isEmpty())
        return QStringLiteral("--loading-table needs a file name or \"-\".");
    options.annotatedPath = parser.value(annotated);
    if (parser.isSet(annotated) && options.annotatedPath.isEmpty())
        return QStringLiteral("--annotated needs a file name.");
    options.showAC = parser.isSet(showAC);
    options.showCG = parser.isSet(showCG);
    if (options.json && options.loadingTablePath == "-")
        return QStringLiteral("--json and --loading-table - both want standard output; give the table a file.");
    return std::nullopt;
}

} // namespace centrafix
