#include "balance_options.h"

#include "engine/balance_fields.h"
#include "engine/color_object.h"
#include "engine/string_table.h"

#include <QLocale>

#include <string>

namespace centrafix {
namespace {

constexpr Message kBadPair{"%1 muss FARBE=WERT,... sein, nicht \"%2\".", "%1 must be COLOR=VALUE,..., not \"%2\"."};
constexpr Message kUnknownColour{"%1: unbekannte Farbe \"%2\" (einen Namen oder eine Zahl 1 bis 7 angeben).",
                                 "%1: unknown color \"%2\" (use a name or a number 1 to 7)."};
constexpr Message kUnknownRole{
    "--roles: unbekannte Rolle \"%1\" (Flügel, Leitwerk, Ente, Rumpf, Sonstiges oder wing, tail, canard, "
    "fuselage, other).",
    "--roles: unknown role \"%1\" (use wing, tail, canard, fuselage, other, or their German names)."};
constexpr Message kBadMargins{"--static-margin muss zwei Zahlen UNTEN,OBEN sein, nicht \"%1\".",
                              "--static-margin must be two numbers LOW,HIGH, not \"%1\"."};

Error OptionError(const Message& reason, std::vector<ErrorArg> args)
{
    return Described({}, reason, std::move(args));
}

std::string Text(const QString& text)
{
    return text.toStdString();
}

std::string Exact(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest).toStdString();
}

// Each COLOUR=VALUE of every use of `option` (it may be given several
// times), handed to `take` with the colour's index.
template <class Take>
std::optional<Error> ReadPairs(const QCommandLineParser& parser, const QCommandLineOption& option, const Take& take)
{
    const std::string name = "--" + Text(option.names().front());
    for (const QString& value : parser.values(option)) {
        for (const QString& raw : value.split(',')) {
            const qsizetype equals = raw.indexOf('=');
            if (equals <= 0)
                return OptionError(kBadPair, {name, Text(value)});
            const QString colour = raw.left(equals).trimmed();
            const std::optional<int> index = ColorIndex(colour);
            if (!index)
                return OptionError(kUnknownColour, {name, Text(colour)});
            if (std::optional<Error> error = take(static_cast<std::size_t>(*index), raw.mid(equals + 1).trimmed()))
                return error;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<int> ColorIndex(const QString& token)
{
    bool isNumber = false;
    const int number = token.toInt(&isNumber);
    if (isNumber)
        return number >= 1 && number <= kObjectCount ? std::optional<int>(number) : std::nullopt;
    for (int language : {kGerman, kEnglish}) {
        for (int i = 1; i <= kObjectCount; ++i) {
            if (token.compare(QString::fromUtf8(Tr(ColorNameMessage(i), language)), Qt::CaseInsensitive) == 0)
                return i;
        }
    }
    return std::nullopt;
}

std::optional<Error> ReadBalanceOptions(const QCommandLineParser& parser, const BatchOptionSet& set,
                                        BatchOptions& options)
{
    aero::BalanceSettings& balance = options.inputs.balance;
    const std::string& separator = options.inputs.localeSeparator;
    std::optional<Error> error = ReadPairs(parser, set.roles, [&](std::size_t i, const QString& text) {
        const std::optional<aero::SurfaceRole> role = ParseRole(Text(text));
        if (!role)
            return std::optional<Error>(OptionError(kUnknownRole, {Text(text)}));
        balance.roles[i] = *role;
        return std::optional<Error>();
    });
    if (!error)
        error = ReadPairs(parser, set.height, [&](std::size_t i, const QString& text) {
            const Result<double> height = ReadHeight(Text(text), separator);
            if (!height)
                return std::optional<Error>(height.error());
            balance.heights[i] = *height;
            return std::optional<Error>();
        });
    if (error)
        return error;
    if (parser.isSet(set.staticMargin)) {
        const QString text = parser.value(set.staticMargin);
        const QStringList parts = text.split(',');
        if (parts.size() != 2)
            return OptionError(kBadMargins, {Text(text)});
        const Result<std::pair<double, double>> margins =
            ReadStaticMargins(Text(parts[0].trimmed()), Text(parts[1].trimmed()), separator);
        if (!margins)
            return margins.error();
        balance.marginLow = margins->first;
        balance.marginHigh = margins->second;
    }
    if (parser.isSet(set.tailEfficiency)) {
        const Result<double> eta = ReadTailEfficiency(Text(parser.value(set.tailEfficiency)), separator);
        if (!eta)
            return eta.error();
        balance.tailEfficiency = *eta;
    }
    if (parser.isSet(set.cg)) {
        const Result<double> cg = ReadCgPosition(Text(parser.value(set.cg)), separator);
        if (!cg)
            return cg.error();
        balance.typedCgX = *cg;
    }
    return std::nullopt;
}

QStringList BalanceArguments(const aero::BalanceSettings& balance)
{
    QStringList roles, heights;
    for (int i = 1; i <= kObjectCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        roles << QStringLiteral("%1=%2").arg(i).arg(QString::fromUtf8(
            RoleKey(balance.roles[at]).data(), static_cast<qsizetype>(RoleKey(balance.roles[at]).size())));
        heights << QStringLiteral("%1=%2").arg(i).arg(QString::fromStdString(Exact(balance.heights[at])));
    }
    QStringList arguments{
        "--roles",           roles.join(','),
        "--height",          heights.join(','),
        "--static-margin",   QString::fromStdString(Exact(balance.marginLow) + "," + Exact(balance.marginHigh)),
        "--tail-efficiency", QString::fromStdString(Exact(balance.tailEfficiency))};
    if (balance.typedCgX)
        arguments << "--cg" << QString::fromStdString(Exact(*balance.typedCgX));
    return arguments;
}

} // namespace centrafix
