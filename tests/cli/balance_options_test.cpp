// The balance's options: read into the run's settings in either language's
// words, handed on to the workers unchanged, and refused in one line.

#include "cli_runner.h"

#include "cli/balance_options.h"
#include "cli/batch_options.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

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

// The example's wing against a separate implementation of the outline rules
// (a script written apart from this code, reading the same pixels): the
// geometry to the last digit, the lattice to within the scatter of that
// script's coarser, uniformly spaced lattice.
TEST(BalanceOptions, TheExamplesBalanceAgreesWithAnIndependentCalculation)
{
    const CliOutcome o = RunCli({"--json"});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    const QJsonObject balance = QJsonDocument::fromJson(o.out.toUtf8()).object()["balance"].toObject();
    EXPECT_NEAR(balance["mac"].toDouble(), 94.938376, 1e-6);
    EXPECT_NEAR(balance["mac_x_le"].toDouble(), 138.295823, 1e-6);
    EXPECT_NEAR(balance["mac_y"].toDouble(), 67.726779, 1e-6);
    EXPECT_EQ(balance["root_le_x"].toDouble(), 112.0);
    EXPECT_NEAR(balance["neutral_point_x"].toDouble(), 165.2, 0.5);
    EXPECT_NEAR(balance["cl_alpha"].toDouble(), 4.60, 0.05);
    EXPECT_NEAR(balance["estimate"].toObject()["neutral_point_x"].toDouble(), 165.139323, 1e-5);
    const QJsonArray surfaces = balance["surfaces"].toArray();
    ASSERT_EQ(surfaces.size(), 2);
    const QJsonObject wing = surfaces[0].toObject(), tail = surfaces[1].toObject();
    EXPECT_EQ(wing["colour"].toString(), "red");
    EXPECT_EQ(wing["role"].toString(), "wing");
    EXPECT_EQ(wing["area"].toDouble(), 28166.5);
    EXPECT_EQ(wing["span"].toDouble(), 313.0);
    EXPECT_NEAR(wing["sweep_c4_deg"].toDouble(), 23.61371, 1e-5);
    EXPECT_EQ(tail["colour"].toString(), "blue");
    EXPECT_EQ(tail["role"].toString(), "tail");
    EXPECT_EQ(tail["area"].toDouble(), 4869.0);
    EXPECT_NEAR(tail["mac"].toDouble(), 44.077429, 1e-6);
    EXPECT_NEAR(wing["lift_share"].toDouble() + tail["lift_share"].toDouble(), 1.0, 1e-12);
    const QJsonArray margins = balance["static_margin"].toArray();
    ASSERT_EQ(margins.size(), 2);
    EXPECT_NEAR(balance["cg_forward_x"].toDouble(),
                balance["neutral_point_x"].toDouble() - margins[1].toDouble() / 100.0 * 94.938376, 1e-6);
}

// The annotated picture carries the MAC bars (here the wing's upper one, at
// its station 67.7 above the middle row 156.5) unless the wing has no role.
TEST(BalanceOptions, TheAnnotatedPictureShowsTheMacBars)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString with = dir.filePath("with.png"), without = dir.filePath("without.png");
    ASSERT_EQ(RunCli({"--annotated", with}).exitCode, 0);
    ASSERT_EQ(RunCli({"--annotated", without, "--roles", "red=other"}).exitCode, 0);
    const QImage a(with), b(without);
    ASSERT_FALSE(a.isNull());
    ASSERT_FALSE(b.isNull());
    EXPECT_EQ(a.pixel(185, 88) & 0xFFFFFFu, 0xFF8C00u) << "the bar's orange";
    EXPECT_EQ(b.pixel(185, 88) & 0xFFFFFFu, 0xFF0000u) << "the wing's red";
}
