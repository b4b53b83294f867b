// The balance's options: read into the run's settings in either language's
// words, handed on to the workers unchanged, and refused in one line.

#include "cli_runner.h"

#include "cli/balance_options.h"
#include "cli/batch_options.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

using namespace centrafix;
using centrafix::test::CliOutcome;
using centrafix::test::RunCli;

namespace {

constexpr std::size_t kBlack = 1, kRed = 2, kGreen = 3, kBlue = 4, kYellow = 5;

BatchOptions Parsed(QStringList arguments)
{
    BatchOptions options;
    const std::optional<Error> error = ParseBatchOptions(QStringList{"centrafix-cli"} + arguments, options);
    EXPECT_FALSE(error) << (error ? ErrorText(*error, kEnglish) : "");
    return options;
}

} // namespace

TEST(BalanceOptions, RolesHeightsMarginsEtaAndCgAreTakenInEitherLanguage)
{
    const aero::BalanceSettings defaults;
    EXPECT_EQ(Parsed({}).inputs.balance, defaults);
    const BatchOptions options =
        Parsed({"--roles", "rot=Flügel,Blau=leitwerk", "--roles", "3=Ente,black=RUMPF", "--height", "blue=0.12",
                "--height", "grün=-2.5e-1", "--static-margin", "2,25.5", "--tail-efficiency", "0.75", "--cg", "-3"});
    const aero::BalanceSettings& b = options.inputs.balance;
    EXPECT_EQ(b.roles[kRed], aero::SurfaceRole::Wing);
    EXPECT_EQ(b.roles[kBlue], aero::SurfaceRole::Tail);
    EXPECT_EQ(b.roles[kGreen], aero::SurfaceRole::Canard);
    EXPECT_EQ(b.roles[kBlack], aero::SurfaceRole::Fuselage);
    EXPECT_EQ(b.roles[kYellow], defaults.roles[kYellow]) << "a colour not named keeps its role";
    EXPECT_EQ(b.heights[kBlue], 0.12);
    EXPECT_EQ(b.heights[kGreen], -0.25);
    EXPECT_EQ(b.heights[kRed], 0.0);
    EXPECT_EQ(b.marginLow, 2.0);
    EXPECT_EQ(b.marginHigh, 25.5);
    EXPECT_EQ(b.tailEfficiency, 0.75);
    EXPECT_EQ(b.typedCgX, -3.0);
    // A worker reads back exactly what the command was given.
    EXPECT_EQ(Parsed(BalanceArguments(b)).inputs.balance, b);
    EXPECT_EQ(Parsed(BalanceArguments(defaults)).inputs.balance, defaults);
}

TEST(BalanceOptions, EachBadValueIsRefusedInOneLineAndNothingIsWritten)
{
    const std::pair<QStringList, QString> cases[] = {
        {{"--roles", "red=wings"}, "--roles: unknown role \"wings\""},
        {{"--roles", "purple=wing"}, "--roles: unknown color \"purple\""},
        {{"--roles", "8=wing"}, "--roles: unknown color \"8\""},
        {{"--roles", "red"}, "--roles must be COLOR=VALUE,..., not \"red\""},
        {{"--height", "blue=abc"}, "\"abc\""},
        {{"--height", "blue=1/0"}, "\"1/0\""},
        {{"--height", "=1"}, "--height must be COLOR=VALUE"},
        {{"--static-margin", "15,5"}, "lower value 15 above the upper 5"},
        {{"--static-margin", "5"}, "--static-margin must be two numbers LOW,HIGH, not \"5\""},
        {{"--static-margin", "-60,10"}, "\"-60\""},
        {{"--tail-efficiency", "0"}, "\"0\""},
        {{"--tail-efficiency", "x"}, "\"x\""},
        {{"--cg", "nan"}, "\"nan\""},
        {{"--language", "de", "--roles", "rot=Flosse"}, "--roles: unbekannte Rolle \"Flosse\""},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliOutcome o = RunCli(QStringList{"--json"} + args);
        EXPECT_EQ(o.exitCode, 2);
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_EQ(o.err.trimmed().count('\n'), 0) << o.err.toStdString();
        EXPECT_TRUE(o.err.contains(message)) << o.err.toStdString();
    }
}

TEST(BalanceOptions, WithoutALiftingSurfaceTheJsonHasNoBalanceAndWithoutAWingANullAndItsReason)
{
    const auto json = [](const QStringList& args) {
        const CliOutcome o = RunCli(QStringList{"--json"} + args);
        EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
        return QJsonDocument::fromJson(o.out.toUtf8()).object();
    };
    const QJsonObject none = json({"--roles", "red=other,blue=other,yellow=other"});
    EXPECT_FALSE(none.contains("balance"));
    EXPECT_FALSE(none["report"].toString().contains("Balance"));
    const QJsonObject tailOnly = json({"--roles", "red=other,blue=tail,yellow=other"});
    EXPECT_TRUE(tailOnly.contains("balance"));
    EXPECT_TRUE(tailOnly["balance"].isNull());
    EXPECT_EQ(tailOnly["balance_reason"].toString(), "Balance: no found color has the role wing.");
    EXPECT_TRUE(tailOnly["report"].toString().endsWith("\r\nBalance: no found color has the role wing.\r\n"));
}
