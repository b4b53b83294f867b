// The batch command's measuring options: a scale from a known length, and a
// scan or JPEG cleaned up before it is measured, alone and in the worker pool.

#include "cli_runner.h"

#include "picture/picture_source.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using centrafix::ExamplePicture;
using centrafix::test::CliOutcome;
using centrafix::test::RunCli;

namespace {

QJsonObject Json(const QStringList& arguments, const QString& locale = QStringLiteral("C"))
{
    const CliOutcome o = RunCli(QStringList{"--json"} + arguments, locale);
    EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
    return QJsonDocument::fromJson(o.out.toUtf8()).object();
}

// Every found colour's outline over the clean drawing's, as the worst ratio
// away from 1; the areas likewise.
struct Stray {
    double area = 0;
    double outline = 0;
};

Stray StrayFrom(const QJsonObject& got, const QJsonObject& clean)
{
    Stray worst;
    const QJsonArray a = got["objects"].toArray(), b = clean["objects"].toArray();
    for (int i = 1; i < b.size(); ++i) {
        if (!b[i]["found"].toBool())
            continue;
        worst.area = std::max(worst.area, std::abs(a[i]["area"].toDouble() / b[i]["area"].toDouble() - 1));
        worst.outline = std::max(worst.outline, std::abs(a[i]["outline"].toDouble() / b[i]["outline"].toDouble() - 1));
    }
    return worst;
}

} // namespace

TEST(MeasuringOptions, ScaleFromALineIsTheLengthOverTheDistanceOfThePixelCentres)
{
    // 3-4-5: the line from (10, 20) to (40, 60) is 50 pixels long.
    EXPECT_EQ(Json({"--scale-from", "10,20,40,60=125"})["scale_factor"].toDouble(), 2.5);
    EXPECT_EQ(RunCli({"--scale-from", "10,20,40,60=2*62.5"}).out, RunCli({"--scale", "2.5"}).out);
    // A German user writes the length with a comma.
    EXPECT_EQ(Json({"--scale-from", "0,0,3,4=12,5"}, "de_DE.UTF-8")["scale_factor"].toDouble(), 2.5);
    const double diagonal = Json({"--scale-from", "0,0,1,1=1"})["scale_factor"].toDouble();
    EXPECT_NEAR(diagonal, 1 / std::sqrt(2.0), 1e-15);
}

TEST(MeasuringOptions, BadMeasuringOptionsAreRefusedInOneLineInTheUsersLanguage)
{
    const std::pair<QStringList, QString> cases[] = {
        {{"--scale-from", "0,0,3,4=5", "--scale", "2"}, "--scale-from and --scale exclude each other"},
        {{"--scale-from", "5,5,5,5=10"}, "the two points coincide"},
        {{"--scale-from", "1,2,3=4"}, "--scale-from must be X1,Y1,X2,Y2=LENGTH, not \"1,2,3=4\""},
        {{"--scale-from", "a,2,3,4=4"}, "\"a,2,3,4=4\""},
        {{"--scale-from", "1,2,3,4"}, "\"1,2,3,4\""},
        {{"--scale-from", "0,0,3,4=abc"}, "Length \"abc\""},
        {{"--scale-from", "0,0,3,4=-1"}, "Length \"-1\" is not above 0"},
        {{"--clean-up-threshold", "abc"}, "Clean-up threshold \"abc\""},
        {{"--clean-up", "--clean-up-threshold", "0"}, "Clean-up threshold \"0\" is not above 0"},
        {{"--clean-up-threshold", "-5"}, "\"-5\" is not above 0"},
        {{"--language", "de", "--scale-from", "5,5,5,5=10"}, "die beiden Punkte fallen zusammen"},
        {{"--language", "de", "--clean-up-threshold", "x"}, "Bereinigungsschwelle \"x\""},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliOutcome o = RunCli(args);
        EXPECT_EQ(o.exitCode, 2);
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_EQ(o.err.trimmed().count('\n'), 0) << o.err.toStdString();
        EXPECT_TRUE(o.err.contains(message)) << o.err.toStdString();
    }
}

TEST(MeasuringOptions, CleanUpBringsAJpegBackToTheCleanDrawingAloneAndInThePool)
{
    QTemporaryDir dir;
    const QImage example = ExamplePicture();
    const QImage big = example.scaled(example.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QString clean = dir.filePath("clean.png"), jpeg = dir.filePath("scan.jpg");
    ASSERT_TRUE(big.save(clean));
    ASSERT_TRUE(big.save(jpeg, "JPEG", 75));
    const QJsonObject reference = Json({clean});

    const Stray raw = StrayFrom(Json({jpeg}), reference);
    EXPECT_GT(raw.outline, 0.5) << "a JPEG's fringes count as outline";
    const QJsonObject cleaned = Json({"--clean-up", jpeg});
    const Stray snapped = StrayFrom(cleaned, reference);
    EXPECT_LT(snapped.area, 0.01);
    EXPECT_LT(snapped.outline, 0.03);
    // A threshold of 1 snaps nothing that is not already a colour.
    EXPECT_EQ(Json({"--clean-up-threshold", "1", jpeg})["objects"], Json({jpeg})["objects"]);

    // The workers measure as the single run does.
    const CliOutcome pool = RunCli({"--json", "--clean-up-threshold", "200", "--jobs", "2", jpeg, clean});
    ASSERT_EQ(pool.exitCode, 0) << pool.err.toStdString();
    const QList<QByteArray> lines = pool.out.toUtf8().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(QJsonDocument::fromJson(lines[0])["objects"], cleaned["objects"]);
    EXPECT_EQ(QJsonDocument::fromJson(lines[1])["objects"], reference["objects"]);
}
