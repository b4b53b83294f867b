#include "mass_options.h"

#include "document/project_file.h"
#include "engine/mass_list_text.h"
#include "engine/number_text.h"
#include "picture/files/local_path.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cmath>
#include <string>

namespace centrafix {
namespace {

constexpr Message kCannotRead{"die Massenliste kann nicht gelesen werden (%1)", "cannot read the mass list (%1)"};
constexpr Message kTooLarge{"die Massenliste ist größer als %1 MiB", "the mass list is larger than %1 MiB"};
constexpr Message kNeedsMasses{"%1 gilt nur mit --masses.", "%1 needs --masses."};
constexpr Message kMoveOrBallast{"--move-item und --ballast-at schließen einander aus; nur eines angeben.",
                                 "--move-item and --ballast-at exclude each other; give only one."};
constexpr Message kNoSuchItem{"--move-item: kein Eintrag \"%1\" in der Massenliste.",
                              "--move-item: no item \"%1\" in the mass list."};
constexpr Message kSeveralItems{"--move-item: \"%1\" benennt %2 Einträge der Massenliste.",
                                "--move-item: \"%1\" names %2 items of the mass list."};
constexpr Message kBadBallastAt{"--ballast-at braucht eine endliche Zahl (x in Längeneinheiten), nicht \"%1\".",
                                "--ballast-at needs a finite number (x in length units), not \"%1\"."};

Error OptionError(const Message& reason, std::vector<ErrorArg> args = {})
{
    return Described({}, reason, std::move(args));
}

Result<aero::MassList> ReadMassFile(const QString& name)
{
    QFile file;
    if (std::optional<Error> error = OpenForReading(file, name))
        return Described(name.toStdString(), kCannotRead, {ReasonOf(*error)});
    const QByteArray bytes = file.read(kMaxMassListBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Described(name.toStdString(), kCannotRead, {file.errorString().toStdString()});
    if (bytes.size() > kMaxMassListBytes)
        return Described(name.toStdString(), kTooLarge, {std::to_string(kMaxMassListBytes >> 20)});
    return ParseMassList(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                         name.toStdString());
}

std::optional<Error> ReadChoice(const QCommandLineParser& parser, const MassOptionSet& set, BatchOptions& options)
{
    if (parser.isSet(set.moveItem) && parser.isSet(set.ballastAt))
        return OptionError(kMoveOrBallast);
    if (parser.isSet(set.ballastAt)) {
        const QString text = parser.value(set.ballastAt);
        const std::optional<double> x = ParseStrictDecimal(text.trimmed().toStdString(), ".");
        if (!x || !std::isfinite(*x))
            return OptionError(kBadBallastAt, {text.toStdString()});
        options.advice.ballastX = *x;
    }
    if (parser.isSet(set.moveItem)) {
        const std::string name = parser.value(set.moveItem).trimmed().toStdString();
        int found = 0;
        for (std::size_t i = 0; i < options.masses->size(); ++i) {
            if ((*options.masses)[i].name == name) {
                if (found++ == 0)
                    options.advice.moveItem = static_cast<int>(i);
            }
        }
        if (found == 0)
            return OptionError(kNoSuchItem, {name});
        if (found > 1)
            return OptionError(kSeveralItems, {name, std::to_string(found)});
    }
    return std::nullopt;
}

} // namespace

MassOptionSet::MassOptionSet()
    : masses("masses",
             "Weigh the aircraft: a CSV file of the items it carries, one a line NAME,MASS,X (X in length units "
             "from the origin, \".\" as the decimal point, a header line name,mass,x allowed). The balance then "
             "gives the C.G. of the items, its static margin and, outside the C.G. range, what fixes it.",
             "FILE"),
      moveItem("move-item",
               "With --masses: the item (by its name) the advice moves to put the C.G. in the middle of the range. "
               "Default: ballast.",
               "NAME"),
      ballastAt("ballast-at",
                "With --masses: where the advice's ballast goes (x in length units from the origin). Default: the "
                "nose or the tail end of the aircraft, whichever helps.",
                "X")
{}

void MassOptionSet::addTo(QCommandLineParser& parser) const
{
    for (const QCommandLineOption* o : {&masses, &moveItem, &ballastAt})
        parser.addOption(*o);
}

std::optional<Error> ReadMassOptions(const QCommandLineParser& parser, const MassOptionSet& set, BatchOptions& options)
{
    const bool choiceGiven = parser.isSet(set.moveItem) || parser.isSet(set.ballastAt);
    if (!parser.isSet(set.masses)) {
        // A project's mass list is weighed as saved, unless the options
        // choose another change for its advice.
        if (options.project && !options.project->masses.empty()) {
            options.masses = options.project->masses;
            options.advice = choiceGiven ? aero::AdviceChoice{} : options.project->advice;
            return choiceGiven ? ReadChoice(parser, set, options) : std::nullopt;
        }
        for (const QCommandLineOption* o : {&set.moveItem, &set.ballastAt})
            if (parser.isSet(*o))
                return OptionError(kNeedsMasses, {"--" + o->names().front().toStdString()});
        return std::nullopt;
    }
    const QString path = parser.value(set.masses);
    Result<aero::MassList> list = ReadMassFile(path);
    if (!list)
        return list.error();
    options.massesPath = path;
    options.masses = std::move(*list);
    // A project's choice named an item of its own list.
    options.advice = aero::AdviceChoice{};
    return ReadChoice(parser, set, options);
}

QStringList MassArguments(const BatchOptions& options)
{
    if (!options.masses)
        return {};
    QStringList arguments{"--masses", QFileInfo(options.massesPath).absoluteFilePath()};
    if (options.advice.moveItem >= 0)
        arguments << "--move-item"
                  << QString::fromStdString((*options.masses)[static_cast<std::size_t>(options.advice.moveItem)].name);
    if (options.advice.ballastX)
        arguments << "--ballast-at" << QString::number(*options.advice.ballastX, 'g', QLocale::FloatingPointShortest);
    return arguments;
}

} // namespace centrafix
