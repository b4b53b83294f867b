// The options that prepare a plan before it is measured: read as given,
// refused in one line naming the option, handed to the workers, and the
// working picture kept with --save-picture.

#include "cli_runner.h"

#include "cli/batch_options.h"
#include "picture/picture_source.h"

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

BatchOptions Parsed(QStringList arguments)
{
    BatchOptions options;
    const std::optional<Error> error = ParseBatchOptions(QStringList{"centrafix-cli"} + arguments, options);
    EXPECT_FALSE(error) << (error ? ErrorText(*error, kEnglish) : "");
    return options;
}

QJsonObject Json(const QStringList& arguments)
{
    const CliOutcome o = RunCli(QStringList{"--json"} + arguments);
    EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
    return QJsonDocument::fromJson(o.out.toUtf8()).object();
}

} // namespace

TEST(PlanOptions, EveryStepIsReadAsGivenAndTheFillsAndMapsKeepTheirOrder)
{
    EXPECT_TRUE(Parsed({}).planSteps.empty());
    const BatchOptions options = Parsed({"--straighten",
                                         "10,20.5,300,22,310,200,8,190=297,210",
                                         "--level",
                                         "1,2,3,4",
                                         "--mirror-row",
                                         "55",
                                         "--crop",
                                         "5,6,70,80",
                                         "--fill",
                                         "12,34=rot",
                                         "--fill",
                                         "40,50=4",
                                         "--fill-gap",
                                         "3",
                                         "--line-threshold",
                                         "300",
                                         "--map",
                                         "7,8=white",
                                         "--map",
                                         "#FF8000=Gelb:25.5"});
    const PlanSteps& s = options.planSteps;
    ASSERT_TRUE(s.straighten);
    EXPECT_EQ(s.straighten->corners[0], QPointF(10, 20.5));
    EXPECT_EQ(s.straighten->corners[3], QPointF(8, 190));
    EXPECT_EQ(s.straighten->size, QSizeF(297, 210));
    ASSERT_TRUE(s.level);
    EXPECT_EQ(s.level->to, QPointF(3, 4));
    EXPECT_EQ(s.mirrorRow, 55);
    EXPECT_EQ(s.crop, QRect(5, 6, 70, 80));
    ASSERT_EQ(s.fills.size(), 2u);
    EXPECT_EQ(s.fills[0].seed, QPoint(12, 34));
    EXPECT_EQ(s.fills[0].colour, 2);
    EXPECT_EQ(s.fills[1].colour, 4);
    EXPECT_EQ(s.fillSettings.gap, 3);
    EXPECT_EQ(s.fillSettings.lineThreshold, 300);
    ASSERT_EQ(s.maps.size(), 2u);
    EXPECT_EQ(s.maps[0].pixel, QPoint(7, 8));
    EXPECT_EQ(s.maps[0].target, 0);
    EXPECT_EQ(s.maps[0].tolerance, 60.0);
    EXPECT_FALSE(s.maps[1].pixel);
    EXPECT_EQ(s.maps[1].colour, qRgb(255, 128, 0));
    EXPECT_EQ(s.maps[1].target, 5);
    EXPECT_EQ(s.maps[1].tolerance, 25.5);
    // The ends of the ranges are taken.
    EXPECT_EQ(Parsed({"--fill-gap", "0", "--line-threshold", "765"}).planSteps.fillSettings.gap, 0);
    EXPECT_EQ(Parsed({"--fill-gap", "50", "--line-threshold", "1"}).planSteps.fillSettings.lineThreshold, 1);
    // A worker given the arguments as handed on reads the same steps.
    const PlanSteps again = Parsed(options.planArguments).planSteps;
    EXPECT_EQ(again.fills.size(), 2u);
    EXPECT_EQ(again.fills[1].seed, QPoint(40, 50));
    EXPECT_EQ(again.maps.size(), 2u);
    EXPECT_EQ(again.maps[1].tolerance, 25.5);
    EXPECT_EQ(again.crop, s.crop);
    EXPECT_EQ(again.straighten->size, s.straighten->size);
    EXPECT_EQ(again.fillSettings.gap, 3);
}

TEST(PlanOptions, EachBadValueIsRefusedInOneLineAndNothingIsWritten)
{
    QTemporaryDir dir;
    const QString saved = dir.filePath("saved.png");
    const std::pair<QStringList, QString> cases[] = {
        {{"--straighten", "1,2,3,4,5,6,7=10,10"}, "--straighten must be X1,Y1,X2,Y2,X3,Y3,X4,Y4=WIDTH,HEIGHT"},
        {{"--straighten", "1,2,3,4,5,6,7,8=0,10"}, "--straighten: the width and height must be numbers above zero"},
        {{"--straighten", "1,2,3,4,5,6,7,8=10,-1"}, "\"10,-1\""},
        {{"--straighten", "1,2,3,4,5,6,7,8=10,10", "--scale", "2"}, "do not give --scale or --scale-from"},
        {{"--level", "1,2,3"}, "--level must be four numbers"},
        {{"--level", "1,2,3,nan"}, "--level must be four numbers"},
        {{"--mirror-row", "1.5"}, "--mirror-row needs a whole number"},
        {{"--crop", "0,0,0,10"}, "--crop must be four whole numbers"},
        {{"--crop", "0,0,10"}, "--crop must be four whole numbers"},
        {{"--fill", "10,10=purple"}, "--fill must be X,Y=COLOR"},
        {{"--fill", "10,10=white"}, "--fill must be X,Y=COLOR"},
        {{"--fill", "10=red"}, "--fill must be X,Y=COLOR"},
        {{"--fill-gap", "51"}, "--fill-gap needs a whole number from 0 to 50"},
        {{"--line-threshold", "0"}, "--line-threshold needs a whole number from 1 to 765"},
        {{"--map", "1,1=orange"}, "--map: unknown color \"orange\""},
        {{"--map", "#12345=red"}, "--map must be X,Y=COLOR[:TOL] or #RRGGBB=COLOR[:TOL]"},
        {{"--map", "1,1=red:0"}, "--map: the tolerance must be a number above 0"},
        {{"--map", "1,1=red:800"}, "\"800\""},
        {{"--language", "de", "--fill", "1,1=lila"}, "--fill muss X,Y=FARBE sein"},
        {{"--save-picture", ""}, "--save-picture needs a file name"},
        {{"--save-picture", saved, "a.png", "b.png"}, "--save-picture is for one picture, not several"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliOutcome o = RunCli(QStringList{"--json"} + args);
        EXPECT_EQ(o.exitCode, 2);
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_EQ(o.err.trimmed().count('\n'), 0) << o.err.toStdString();
        EXPECT_TRUE(o.err.contains(message)) << o.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(saved));
}

// The example cropped by the batch command measures as the same crop saved
// and measured; --save-picture keeps that crop, without marks, and the
// workers of a run over several pictures crop as the single run does.
TEST(PlanOptions, ACroppedRunMeasuresItsSavedPictureAndWorkersCropAlike)
{
    QTemporaryDir dir;
    const QString saved = dir.filePath("cropped.png");
    const QRect crop(20, 10, 300, 200);
    const QJsonObject cropped = Json({"--crop", "20,10,300,200", "--save-picture", saved});
    QImage picture(saved);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), ExamplePicture().copy(crop));
    EXPECT_EQ(Json({saved})["grid"], cropped["grid"]);

    const QString example = dir.filePath("example.png");
    ASSERT_TRUE(ExamplePicture().save(example));
    const CliOutcome many = RunCli({"--json", "--jobs", "2", "--crop", "20,10,300,200", example, example});
    ASSERT_EQ(many.exitCode, 0) << many.err.toStdString();
    const QStringList lines = many.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    for (const QString& line : lines)
        EXPECT_EQ(QJsonDocument::fromJson(line.toUtf8()).object()["grid"], cropped["grid"]);
}
