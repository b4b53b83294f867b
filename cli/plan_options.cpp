#include "plan_options.h"

#include "balance_options.h"

#include "engine/color_match.h"
#include "engine/defaults.h"
#include "engine/number_text.h"

#include <QColor>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace centrafix {
namespace {

constexpr Message kBadStraighten{"--straighten muss X1,Y1,X2,Y2,X3,Y3,X4,Y4=BREITE,HÖHE sein, nicht \"%1\".",
                                 "--straighten must be X1,Y1,X2,Y2,X3,Y3,X4,Y4=WIDTH,HEIGHT, not \"%1\"."};
constexpr Message kStraightenSize{"--straighten: Breite und Höhe müssen Zahlen über null sein, nicht \"%1\".",
                                  "--straighten: the width and height must be numbers above zero, not \"%1\"."};
constexpr Message kStraightenAndScale{
    "--straighten setzt den Maßstab aus der bekannten Größe; --scale und --scale-from nicht zusätzlich angeben.",
    "--straighten sets the scale from the known size; do not give --scale or --scale-from as well."};
constexpr Message kBadLevel{"--level muss vier Zahlen X1,Y1,X2,Y2 sein, nicht \"%1\".",
                            "--level must be four numbers X1,Y1,X2,Y2, not \"%1\"."};
constexpr Message kBadMirrorRow{"--mirror-row braucht eine ganze Zahl (die Bildzeile), nicht \"%1\".",
                                "--mirror-row needs a whole number (the picture row), not \"%1\"."};
constexpr Message kBadCrop{
    "--crop muss vier ganze Zahlen X,Y,BREITE,HÖHE sein, Breite und Höhe über null, "
    "nicht \"%1\".",
    "--crop must be four whole numbers X,Y,WIDTH,HEIGHT, the width and height above zero, "
    "not \"%1\"."};
constexpr Message kBadFill{"--fill muss X,Y=FARBE sein (ganze Pixelzahlen, eine Farbe 1 bis 7), nicht \"%1\".",
                           "--fill must be X,Y=COLOR (whole pixel numbers, a color 1 to 7), not \"%1\"."};
constexpr Message kBadFillGap{"--fill-gap braucht eine ganze Zahl von 0 bis 50, nicht \"%1\".",
                              "--fill-gap needs a whole number from 0 to 50, not \"%1\"."};
constexpr Message kBadLineThreshold{"--line-threshold braucht eine ganze Zahl von 1 bis 765, nicht \"%1\".",
                                    "--line-threshold needs a whole number from 1 to 765, not \"%1\"."};
constexpr Message kBadMap{"--map muss X,Y=FARBE[:TOL] oder #RRGGBB=FARBE[:TOL] sein, nicht \"%1\".",
                          "--map must be X,Y=COLOR[:TOL] or #RRGGBB=COLOR[:TOL], not \"%1\"."};
constexpr Message kMapTarget{"--map: unbekannte Farbe \"%1\" (einen Namen, eine Zahl 1 bis 7 oder weiß angeben).",
                             "--map: unknown color \"%1\" (use a name, a number 1 to 7, or white)."};
constexpr Message kMapTolerance{"--map: die Toleranz muss eine Zahl über 0 bis 766 sein, nicht \"%1\".",
                                "--map: the tolerance must be a number above 0, up to 766, not \"%1\"."};
constexpr Message kSavePictureNeedsFile{"--save-picture braucht einen Dateinamen.",
                                        "--save-picture needs a file name."};
constexpr Message kSavePictureForOne{"--save-picture gilt für ein Bild, nicht für mehrere.",
                                     "--save-picture is for one picture, not several."};

Error OptionError(const Message& reason, std::vector<ErrorArg> args = {})
{
    return Described({}, reason, std::move(args));
}

std::string Text(const QString& text)
{
    return text.toStdString();
}

// Plain decimal numbers with a point, as every pixel option takes them.
std::optional<std::vector<double>> Numbers(const QString& text, qsizetype count)
{
    const QStringList parts = text.split(',');
    if (parts.size() != count)
        return std::nullopt;
    std::vector<double> numbers;
    for (const QString& part : parts) {
        const std::optional<double> number = ParseStrictDecimal(Text(part.trimmed()), ".");
        if (!number || !std::isfinite(*number))
            return std::nullopt;
        numbers.push_back(*number);
    }
    return numbers;
}

std::optional<std::vector<int>> WholeNumbers(const QString& text, qsizetype count)
{
    const QStringList parts = text.split(',');
    if (parts.size() != count)
        return std::nullopt;
    std::vector<int> numbers;
    for (const QString& part : parts) {
        bool ok = false;
        numbers.push_back(part.trimmed().toInt(&ok));
        if (!ok)
            return std::nullopt;
    }
    return numbers;
}

std::optional<int> WholeNumberIn(const QString& text, int low, int high)
{
    const std::optional<std::vector<int>> number = WholeNumbers(text, 1);
    if (!number || number->front() < low || number->front() > high)
        return std::nullopt;
    return number->front();
}

// A mapping's target: an object colour, or white (0) by name or number.
std::optional<int> MapTarget(const QString& token)
{
    for (const char* white : {"0", "white", "weiß", "weiss"}) {
        if (token.compare(QString::fromUtf8(white), Qt::CaseInsensitive) == 0)
            return 0;
    }
    return ColorIndex(token);
}

std::optional<Error> ReadStraighten(const QString& text, PlanSteps& steps)
{
    const qsizetype equals = text.indexOf('=');
    const std::optional<std::vector<double>> xy = Numbers(text.left(equals), 8);
    if (equals <= 0 || !xy)
        return OptionError(kBadStraighten, {Text(text)});
    const std::optional<std::vector<double>> size = Numbers(text.mid(equals + 1), 2);
    if (!size || !((*size)[0] > 0.0) || !((*size)[1] > 0.0))
        return OptionError(kStraightenSize, {Text(text.mid(equals + 1))});
    PlanSteps::Straighten straighten;
    for (std::size_t i = 0; i < 4; ++i)
        straighten.corners[i] = QPointF((*xy)[2 * i], (*xy)[2 * i + 1]);
    straighten.size = QSizeF((*size)[0], (*size)[1]);
    steps.straighten = straighten;
    return std::nullopt;
}

std::optional<Error> ReadFill(const QString& text, PlanSteps& steps)
{
    const qsizetype equals = text.indexOf('=');
    const std::optional<std::vector<int>> xy = WholeNumbers(text.left(equals), 2);
    const std::optional<int> colour = ColorIndex(text.mid(equals + 1).trimmed());
    if (equals <= 0 || !xy || !colour)
        return OptionError(kBadFill, {Text(text)});
    steps.fills.push_back({QPoint((*xy)[0], (*xy)[1]), *colour});
    return std::nullopt;
}

std::optional<Error> ReadMap(const QString& text, PlanSteps& steps)
{
    const qsizetype equals = text.indexOf('=');
    if (equals <= 0)
        return OptionError(kBadMap, {Text(text)});
    const QString source = text.left(equals).trimmed();
    QString target = text.mid(equals + 1).trimmed();
    PlanSteps::Map map;
    map.tolerance = defaults::kMapTolerance;
    if (const qsizetype colon = target.indexOf(':'); colon >= 0) {
        const std::optional<std::vector<double>> tolerance = Numbers(target.mid(colon + 1), 1);
        if (!tolerance || !(tolerance->front() > 0.0) || tolerance->front() > 766.0)
            return OptionError(kMapTolerance, {Text(target.mid(colon + 1))});
        map.tolerance = tolerance->front();
        target = target.left(colon).trimmed();
    }
    if (source.startsWith('#')) {
        const QColor colour = QColor::fromString(source);
        if (source.size() != 7 || !colour.isValid())
            return OptionError(kBadMap, {Text(text)});
        map.colour = colour.rgb();
    } else {
        const std::optional<std::vector<int>> xy = WholeNumbers(source, 2);
        if (!xy)
            return OptionError(kBadMap, {Text(text)});
        map.pixel = QPoint((*xy)[0], (*xy)[1]);
    }
    const std::optional<int> index = MapTarget(target);
    if (!index)
        return OptionError(kMapTarget, {Text(target)});
    map.target = *index;
    steps.maps.push_back(map);
    return std::nullopt;
}

std::optional<Error> ReadShapes(const QCommandLineParser& parser, const PlanOptionSet& set, PlanSteps& steps)
{
    if (parser.isSet(set.straighten)) {
        if (std::optional<Error> error = ReadStraighten(parser.value(set.straighten), steps))
            return error;
    }
    if (parser.isSet(set.level)) {
        const std::optional<std::vector<double>> xy = Numbers(parser.value(set.level), 4);
        if (!xy)
            return OptionError(kBadLevel, {Text(parser.value(set.level))});
        steps.level = PlanSteps::Level{QPointF((*xy)[0], (*xy)[1]), QPointF((*xy)[2], (*xy)[3])};
    }
    if (parser.isSet(set.mirrorRow)) {
        const std::optional<std::vector<int>> row = WholeNumbers(parser.value(set.mirrorRow), 1);
        if (!row)
            return OptionError(kBadMirrorRow, {Text(parser.value(set.mirrorRow))});
        steps.mirrorRow = row->front();
    }
    if (parser.isSet(set.crop)) {
        const std::optional<std::vector<int>> rect = WholeNumbers(parser.value(set.crop), 4);
        if (!rect || (*rect)[2] <= 0 || (*rect)[3] <= 0)
            return OptionError(kBadCrop, {Text(parser.value(set.crop))});
        steps.crop = QRect((*rect)[0], (*rect)[1], (*rect)[2], (*rect)[3]);
    }
    return std::nullopt;
}

std::optional<Error> ReadPaint(const QCommandLineParser& parser, const PlanOptionSet& set, PlanSteps& steps)
{
    for (const QString& value : parser.values(set.fill)) {
        if (std::optional<Error> error = ReadFill(value, steps))
            return error;
    }
    if (parser.isSet(set.fillGap)) {
        const std::optional<int> gap = WholeNumberIn(parser.value(set.fillGap), 0, 50);
        if (!gap)
            return OptionError(kBadFillGap, {Text(parser.value(set.fillGap))});
        steps.fillSettings.gap = *gap;
    }
    if (parser.isSet(set.lineThreshold)) {
        const std::optional<int> threshold = WholeNumberIn(parser.value(set.lineThreshold), 1, 765);
        if (!threshold)
            return OptionError(kBadLineThreshold, {Text(parser.value(set.lineThreshold))});
        steps.fillSettings.lineThreshold = *threshold;
    }
    for (const QString& value : parser.values(set.map)) {
        if (std::optional<Error> error = ReadMap(value, steps))
            return error;
    }
    return std::nullopt;
}

} // namespace

PlanOptionSet::PlanOptionSet()
    : straighten("straighten",
                 "Remove the perspective of a photographed drawing: the corners of a rectangle on it, clockwise "
                 "from the top left, in pixels, and its width and height in length units; sets the scale.",
                 "X1,Y1,X2,Y2,X3,Y3,X4,Y4=W,H"),
      level("level", "Turn the picture so that the line from X1,Y1 to X2,Y2 runs horizontally.", "X1,Y1,X2,Y2"),
      mirrorRow("mirror-row", "Complete a half planform: mirror the half with the drawing about row R.", "R"),
      crop("crop", "Keep only the rectangle of W x H pixels whose top left pixel is X,Y.", "X,Y,W,H"),
      fill("fill",
           "Paint the region enclosed by drawn lines around pixel X,Y in COLOR (a name in either language or "
           "1-7), to the middle of its lines; may be repeated, applied in order.",
           "X,Y=COLOR"),
      fillGap("fill-gap",
              QStringLiteral("Bridge gaps in drawn lines up to N pixels wide when filling. Default: %1.")
                  .arg(defaults::kFillGap),
              "N"),
      lineThreshold("line-threshold",
                    QStringLiteral("A pixel belongs to a drawn line when its red + green + blue is below T. "
                                   "Default: %1.")
                        .arg(defaults::kLineThreshold),
                    "T"),
      map("map",
          QStringLiteral("Turn every pixel within TOL (sum of the RGB distances, default %1) of the color at pixel "
                         "X,Y, or of #RRGGBB, into COLOR (1-7, a name, or white); may be repeated.")
              .arg(defaults::kMapTolerance),
          "X,Y=COLOR[:TOL]"),
      savePicture("save-picture",
                  "Write the picture as it is measured (after the steps above and --clean-up, without marks) to "
                  "FILE as PNG.",
                  "FILE")
{}

void PlanOptionSet::addTo(QCommandLineParser& parser) const
{
    for (const QCommandLineOption* o :
         {&straighten, &level, &mirrorRow, &crop, &fill, &fillGap, &lineThreshold, &map, &savePicture})
        parser.addOption(*o);
}

std::optional<Error> ReadPlanOptions(const QCommandLineParser& parser, const PlanOptionSet& set, BatchOptions& options)
{
    PlanSteps steps;
    if (std::optional<Error> error = ReadShapes(parser, set, steps))
        return error;
    if (steps.straighten && (parser.isSet("scale") || parser.isSet("scale-from")))
        return OptionError(kStraightenAndScale);
    if (std::optional<Error> error = ReadPaint(parser, set, steps))
        return error;
    options.planSteps = std::move(steps);
    options.planArguments.clear();
    for (const QCommandLineOption* o : {&set.straighten, &set.level, &set.mirrorRow, &set.crop, &set.fill, &set.fillGap,
                                        &set.lineThreshold, &set.map}) {
        for (const QString& value : parser.values(*o))
            options.planArguments << "--" + o->names().front() << value;
    }
    if (parser.isSet(set.savePicture)) {
        options.savePicturePath = parser.value(set.savePicture);
        if (options.savePicturePath.isEmpty())
            return OptionError(kSavePictureNeedsFile);
        if (options.many)
            return OptionError(kSavePictureForOne);
    }
    return std::nullopt;
}

} // namespace centrafix
