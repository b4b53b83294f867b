// The weight and balance in the batch command: --masses read and weighed
// against the example's balance, the advice chosen by --move-item and
// --ballast-at, the same values from the workers, and every bad list or
// option refused in one line with nothing written.

#include "cli_runner.h"
#include "csv_reader.h"

#include "cli/batch_options.h"
#include "cli/mass_options.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace centrafix;
using centrafix::test::CliOutcome;
using centrafix::test::RunCli;
using centrafix::test::WriteBytes;

namespace {

// Motor 300 at 20, battery 200 at 60, wing 400 at 160, tail 100 at 300:
// M = 1000, moment 6000 + 12000 + 64000 + 30000 = 112000, C.G. 112, well
// ahead of the example's range (about 151 to 160).
constexpr const char* kNoseHeavy = "name,mass,x\r\nmotor,300,20\r\n\"battery, 3S\",200,60\r\n"
                                   "wing,400,160\r\ntail,100,300\r\n";

class MassOptions : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(WriteBytes(path, bytes));
        return path;
    }

    QJsonObject balance(const QStringList& args)
    {
        const CliOutcome o = RunCli(QStringList{"--json"} + args);
        EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
        return QJsonDocument::fromJson(o.out.toUtf8()).object()["balance"].toObject();
    }

    QTemporaryDir dir;
};

TEST_F(MassOptions, TheJsonGivesTheCgItsMarginAndTheItemMovedToTheMiddleOfTheRange)
{
    const QJsonObject b = balance({"--masses", file("m.csv", kNoseHeavy), "--move-item", "battery, 3S"});
    EXPECT_EQ(b["total_mass"].toDouble(), 1000.0);
    EXPECT_EQ(b["cg_x"].toDouble(), 112.0);
    const double np = b["neutral_point_x"].toDouble(), mac = b["mac"].toDouble();
    EXPECT_NEAR(b["cg_static_margin"].toDouble(), (np - 112.0) / mac * 100.0, 1e-9);
    EXPECT_FALSE(b["cg_inside"].toBool());
    const double target = (b["cg_forward_x"].toDouble() + b["cg_aft_x"].toDouble()) / 2.0;
    const QJsonObject advice = b["advice"].toObject();
    EXPECT_EQ(advice["item"].toString(), "battery, 3S");
    // The battery's 200 of 1000 must carry the whole C.G. shift five times over.
    EXPECT_NEAR(advice["shift"].toDouble(), (target - 112.0) * 5.0, 1e-9);
    EXPECT_NEAR(advice["x"].toDouble(), 60.0 + (target - 112.0) * 5.0, 1e-9);
    EXPECT_NEAR(advice["cg_x"].toDouble(), target, 1e-12);
    EXPECT_FALSE(advice.contains("ballast_mass"));
}

TEST_F(MassOptions, BallastAtTheTailByDefaultOrWhereAskedAndNullInsideTheRange)
{
    const QString list = file("m.csv", kNoseHeavy);
    const QJsonObject b = balance({"--masses", list});
    const double target = (b["cg_forward_x"].toDouble() + b["cg_aft_x"].toDouble()) / 2.0;
    const QJsonObject tail = b["advice"].toObject();
    EXPECT_GE(tail["ballast_x"].toDouble(), 300.0) << "at least as far aft as the aft-most item";
    const double mass = tail["ballast_mass"].toDouble(), x = tail["ballast_x"].toDouble();
    EXPECT_NEAR((112000.0 + mass * x) / (1000.0 + mass), target, 1e-9);

    // At 400 by hand: b = 1000 (target - 112) / (400 - target).
    const QJsonObject at = balance({"--masses", list, "--ballast-at", "400"})["advice"].toObject();
    EXPECT_EQ(at["ballast_x"].toDouble(), 400.0);
    EXPECT_NEAR(at["ballast_mass"].toDouble(), 1000.0 * (target - 112.0) / (400.0 - target), 1e-9);
    // Ahead of the C.G. ballast only makes it worse.
    const QJsonObject wrong = balance({"--masses", list, "--ballast-at", "-40"})["advice"].toObject();
    EXPECT_TRUE(wrong["cannot_help"].toBool());
    EXPECT_TRUE(wrong["cg_x"].isNull());

    // One item in the middle of the range: inside, no advice.
    const QJsonObject inside =
        balance({"--masses", file("in.csv", QByteArray::number(target, 'g', 17).prepend("all,5,"))});
    EXPECT_TRUE(inside["cg_inside"].toBool());
    EXPECT_TRUE(inside.contains("advice"));
    EXPECT_TRUE(inside["advice"].isNull());
}

TEST_F(MassOptions, WithoutMassesNothingChangesAndTheReportTellsTheWeighingInBothLanguages)
{
    const CliOutcome plain = RunCli({"--json"});
    const QJsonObject without = QJsonDocument::fromJson(plain.out.toUtf8()).object();
    for (const char* key : {"cg_x", "cg_static_margin", "total_mass", "advice"})
        EXPECT_FALSE(without["balance"].toObject().contains(key)) << key;
    EXPECT_FALSE(without["report"].toString().contains("Weight and balance"));

    const QString list = file("m.csv", kNoseHeavy);
    const CliOutcome english = RunCli({"--masses", list, "--move-item", "motor"});
    ASSERT_EQ(english.exitCode, 0) << english.err.toStdString();
    EXPECT_TRUE(english.out.contains("Weight and balance: total mass 1000.00\r\n"
                                     "C.G. from the masses x = 112.00\r\n")) << english.out.toStdString();
    EXPECT_TRUE(english.out.contains("  outside: too far forward (nose-heavy)\r\nFix: move \"motor\" by "));
    const CliOutcome german = RunCli({"--language", "de", "--masses", list}, "de_DE.UTF-8");
    ASSERT_EQ(german.exitCode, 0) << german.err.toStdString();
    EXPECT_TRUE(german.out.contains("Gewicht und Schwerpunkt: Gesamtmasse 1000,00\r\n")) << german.out.toStdString();
    EXPECT_TRUE(german.out.contains("Abhilfe: Ballast "));
}

TEST_F(MassOptions, BrokenListsAndOptionsAreRefusedInOneLineAndNothingIsWritten)
{
    const QString good = file("good.csv", kNoseHeavy);
    const QString annotated = dir.filePath("a.png");
    const std::pair<QStringList, QString> cases[] = {
        {{"--masses", file("b1.csv", "name,mass,x\nmotor,300,20\n\nservo,12\n")},
         "b1.csv: line 4: expected NAME,MASS,X, found 2 fields"},
        {{"--masses", file("b2.csv", "a,-3,20\n")}, "b2.csv: line 1: mass of \"a\": \"-3\" is negative"},
        {{"--masses", file("b3.csv", "a,x,20\n")}, "line 1: mass of \"a\": \"x\" is not a number"},
        {{"--masses", file("b4.csv", "a,1e400,20\n")}, "\"1e400\" is not a finite number"},
        {{"--masses", dir.filePath("missing.csv")}, "missing.csv: cannot read the mass list"},
        {{"--masses", file("big.csv", QByteArray(kMaxMassListBytes + 1, '\n'))}, "larger than 1 MiB"},
        {{"--move-item", "motor"}, "--move-item needs --masses."},
        {{"--ballast-at", "3"}, "--ballast-at needs --masses."},
        {{"--masses", good, "--move-item", "rudder"}, "--move-item: no item \"rudder\" in the mass list."},
        {{"--masses", good, "--ballast-at", "nose"}, "--ballast-at needs a finite number"},
        {{"--masses", good, "--ballast-at", "1", "--move-item", "motor"}, "exclude each other"},
        {{"--masses", file("twice.csv", "a,1,2\na,3,4\n"), "--move-item", "a"}, "\"a\" names 2 items"},
        {{"--language", "de", "--masses", file("b5.csv", "a,1\n")}, "Zeile 1: NAME,MASSE,X erwartet"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliOutcome o = RunCli(QStringList{"--json", "--annotated", annotated} + args);
        EXPECT_EQ(o.exitCode, 2);
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_EQ(o.err.trimmed().count('\n'), 0) << o.err.toStdString();
        EXPECT_TRUE(o.err.contains(message)) << o.err.toStdString();
        EXPECT_FALSE(QFile::exists(annotated));
    }
}

TEST_F(MassOptions, WorkersWeighEveryPictureAsOneRunDoes)
{
    // The example as a file, twice, through the pool.
    const QString picture = dir.filePath("example.png");
    ASSERT_EQ(RunCli({"--save-picture", picture}).exitCode, 0);
    const QString list = file("m.csv", kNoseHeavy);
    const QString table = dir.filePath("t.csv");
    const CliOutcome many = RunCli({"--csv", table, "--masses", list, "--move-item", "battery, 3S", "--jobs", "2",
                                    picture, picture});
    ASSERT_EQ(many.exitCode, 0) << many.err.toStdString();
    const QJsonObject one = balance({"--masses", list, "--move-item", "battery, 3S", picture});
    QFile file(table);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::optional<std::vector<QStringList>> rows = test::ReadCsv(QString::fromUtf8(file.readAll()));
    ASSERT_TRUE(rows);
    const QStringList& header = rows->front();
    int totals = 0;
    for (std::size_t r = 1; r < rows->size(); ++r) {
        const QStringList& row = (*rows)[r];
        if (row.size() < 2 || test::CsvCell(header, row, "colour") != "total")
            continue;
        ++totals;
        EXPECT_EQ(test::CsvCell(header, row, "balance_cg_x"), "112");
        EXPECT_EQ(test::CsvCell(header, row, "balance_cg_static_margin").toDouble(),
                  one["cg_static_margin"].toDouble());
    }
    EXPECT_EQ(totals, 2);

    // The options a worker gets read back as given.
    BatchOptions options;
    ASSERT_FALSE(ParseBatchOptions({"centrafix-cli", "--masses", list, "--move-item", "battery, 3S"}, options));
    BatchOptions worker;
    ASSERT_FALSE(ParseBatchOptions(QStringList{"centrafix-cli"} + MassArguments(options), worker));
    EXPECT_EQ(worker.masses, options.masses);
    EXPECT_EQ(worker.advice, options.advice);
    BatchOptions ballast;
    ASSERT_FALSE(ParseBatchOptions({"centrafix-cli", "--masses", list, "--ballast-at", "-0.1"}, ballast));
    BatchOptions ballastWorker;
    ASSERT_FALSE(ParseBatchOptions(QStringList{"centrafix-cli"} + MassArguments(ballast), ballastWorker));
    EXPECT_EQ(ballastWorker.advice.ballastX, -0.1);
    EXPECT_EQ(ballastWorker.advice.moveItem, -1);
}

} // namespace
