// The batch command with a project: the project analysed as saved gives the
// JSON the window saved of the same run; options given stand in for the
// project's values; --save-project writes what the run had; bad projects
// and projects among several pictures are refused.

#include "document/project_file.h"

#include "engine/analysis_run.h"
#include "picture/formats/working_copy.h"
#include "picture/files/result_facts.h"
#include "picture/files/results_writer.h"

#include "cli_runner.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace centrafix {
namespace {

using test::CliOutcome;
using test::RunCli;

// A red wing and a blue tail on white; no other colour is there.
QImage Plane()
{
    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 5; y < 15; ++y)
        for (int x = 10; x < 50; ++x)
            picture.setPixel(x, y, qRgb(255, 0, 0));
    for (int y = 28; y < 34; ++y)
        for (int x = 22; x < 38; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 255));
    return picture;
}

Document PlaneDocument(const std::string& separator = ".")
{
    Document document(kEnglish);
    document.setSeparators(".", separator);
    document.setPicture(Plane(), QStringLiteral("plane.png"), QStringLiteral("/gone/plane.png"), false);
    document.setScaleText(separator == "," ? "0,5" : "0.5");
    document.setToleranceText("12");
    document.setUnit("mm");
    document.setMachText(separator == "," ? "0,1" : "0.1");
    document.setWeight(2, 1.5);
    EXPECT_FALSE(document.typeOrigin("3", separator == "," ? "2,5" : "2.5"));
    return document;
}

// The run the window makes of the document, and what its "Save results..."
// writes as JSON; the document afterwards has the run's not-found marks.
QJsonObject WindowJson(Document& document)
{
    const Result<PreparedRun> prepared = document.prepareRun(SmallScale::BecomesOne);
    EXPECT_TRUE(prepared);
    PreparedRun run = *prepared;
    document.beginRun();
    AnalysisObserver quiet;
    AnalysisResult result = RunAnalysis(RasterViewOf(document.picture()), run.objects, run.setup, run.inputs, quiet);
    document.finishRun(LastRun{run.inputs, run.originColumn, run.setup, run.objects, result});
    const LastRun& last = *document.lastRun();
    const ResultFacts facts{last.inputs, last.originColumn, last.inputs.OriginRow, last.setup, last.objects,
                            last.result};
    QByteArray json;
    QBuffer buffer(&json);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_FALSE(WriteResultsJson(buffer, facts, document.pictureName()));
    return QJsonDocument::fromJson(json).object();
}

QJsonObject JsonOf(const CliOutcome& outcome)
{
    return QJsonDocument::fromJson(outcome.out.toUtf8()).object();
}

class ProjectCli : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    QString saved(const Document& document, const QString& name = QStringLiteral("plane.cfx"))
    {
        const std::optional<Error> failure = SaveProjectFile(document, path(name));
        EXPECT_FALSE(failure) << (failure ? ErrorText(*failure, kEnglish) : "");
        return path(name);
    }

    QTemporaryDir dir;
};

TEST_F(ProjectCli, AProjectGivesTheJsonTheWindowSavedOfTheSameRun)
{
    Document document = PlaneDocument();
    const QJsonObject window = WindowJson(document);
    ASSERT_TRUE(document.colorChoices()[1].notFound); // black was looked for and not found
    const QString project = saved(document);
    const CliOutcome cli = RunCli({project, "--json"});
    ASSERT_EQ(cli.exitCode, 0) << cli.err.toStdString();
    // The same object, "file" (the picture's name) included.
    EXPECT_EQ(JsonOf(cli), window);
    EXPECT_EQ(JsonOf(cli)["file"].toString(), "plane.png");
    // The picture's file is gone: said, and the project's copy measured.
    EXPECT_EQ(cli.err.trimmed(), "centrafix-cli: " + project + ": the picture file /gone/plane.png no longer exists; the picture "
                                           "saved in the project is used.");
}

TEST_F(ProjectCli, AProjectTypedInTheCommaLocaleReadsTheSameInEither)
{
    Document comma = PlaneDocument(",");
    const QJsonObject window = WindowJson(comma);
    const QString project = saved(comma);
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        SCOPED_TRACE(locale);
        const CliOutcome cli = RunCli({project, "--json"}, locale);
        ASSERT_EQ(cli.exitCode, 0) << cli.err.toStdString();
        EXPECT_EQ(JsonOf(cli), window);
    }
}

TEST_F(ProjectCli, OptionsGivenStandInForTheProjectsValues)
{
    Document document = PlaneDocument();
    const QString project = saved(document);
    const QJsonObject asSaved = JsonOf(RunCli({project, "--json"}));
    const CliOutcome scaled = RunCli({project, "--json", "--scale", "2", "--unit", "cm"});
    ASSERT_EQ(scaled.exitCode, 0) << scaled.err.toStdString();
    const QJsonObject json = JsonOf(scaled);
    EXPECT_EQ(json["scale_factor"].toDouble(), 2.0);
    EXPECT_EQ(json["unit"].toString(), "cm");
    // What was not given stays the project's: the tolerance, the Mach number
    // and the origin's pixel, which now lies where the new scale puts it.
    EXPECT_EQ(json["tolerance"].toDouble(), 12.0);
    EXPECT_EQ(json["mach"].toDouble(), 0.1);
    EXPECT_EQ(json["origin"]["column"], asSaved["origin"]["column"]);
    EXPECT_EQ(json["origin"]["x"].toDouble(), 2.0 * asSaved["origin"]["column"].toDouble());
    EXPECT_EQ(asSaved["origin"]["x"].toDouble(), 3.0); // typed, kept as typed
    // Colours and origin given: the project's ticks and origin give way.
    const QJsonObject given = JsonOf(RunCli({project, "--json", "--colors", "blue", "--origin", "0,0"}));
    EXPECT_EQ(given["origin"]["x"].toDouble(), 0.0);
    EXPECT_FALSE(given["objects"][2]["found"].toBool()); // red, not looked for
    EXPECT_TRUE(given["objects"][4]["found"].toBool());  // blue
}

TEST_F(ProjectCli, SaveProjectWritesTheRunsDocumentForTheWindowToOpen)
{
    QImage plane = Plane();
    ASSERT_TRUE(plane.save(path("plane.png")));
    const QStringList options{"--scale", "0.25", "--unit", "mm", "--weights", "1,2,3,4,5,6,7",
                              "--origin", "4,6",  "--tolerance", "9"};
    const CliOutcome first = RunCli(QStringList{path("plane.png"), "--json", "--save-project", path("out.cfx")} + options);
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    const Result<OpenedProject> read = ReadProjectFile(path("out.cfx"));
    ASSERT_TRUE(read) << ErrorText(read.error(), kEnglish);
    EXPECT_FALSE(read->pictureNote); // the picture file is the one measured
    const Project& project = read->project;
    EXPECT_EQ(project.picture, plane);
    EXPECT_EQ(project.picturePath, path("plane.png"));
    EXPECT_EQ(project.pictureName, "plane.png");
    EXPECT_EQ(project.scaleText, "0.25");
    EXPECT_EQ(project.unit, "mm");
    EXPECT_EQ(project.toleranceText, "9");
    EXPECT_EQ(project.weights[3], 3.0);
    EXPECT_EQ(project.origin.column, 4.0);
    EXPECT_EQ(project.origin.y, 1.5);
    // The colours the run did not find are unticked and marked, as the
    // window has them after the same run.
    EXPECT_TRUE(project.choices[1].notFound);
    EXPECT_FALSE(project.choices[1].ticked);
    EXPECT_TRUE(project.choices[2].ticked);
    EXPECT_FALSE(project.choices[2].notFound);
    // Analysed again from the project: the same numbers.
    const CliOutcome again = RunCli({path("out.cfx"), "--json"});
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    const QJsonObject before = JsonOf(first);
    const QJsonObject after = JsonOf(again);
    for (auto key = before.begin(); key != before.end(); ++key)
        EXPECT_EQ(after[key.key()], key.value()) << key.key().toStdString();
}

TEST_F(ProjectCli, ABadProjectIsRefusedAndNothingIsWritten)
{
    const Document document = PlaneDocument();
    const QString good = saved(document);
    QByteArray newer = test::ReadBytes(good);
    newer.replace("\"version\": 1", "\"version\": 4");
    ASSERT_TRUE(test::WriteBytes(path("newer.cfx"), newer));
    ASSERT_TRUE(test::WriteBytes(path("cut.cfx"), test::ReadBytes(good).left(300)));
    ASSERT_TRUE(test::WriteBytes(path("foreign.cfx"), R"({"name": "something else"})"));
    const struct {
        const char* file;
        const char* said;
    } cases[] = {
        {"newer.cfx", ": This project was written by format version 4; this Centrafix reads up to version 1.\n"},
        {"cut.cfx", ": is no project file: not valid JSON ("},
        {"foreign.cfx", ": is no Centrafix project (\"format\" is not \"centrafix-project\")\n"},
        {"missing.cfx", ": "},
    };
    for (const auto& [file, said] : cases) {
        SCOPED_TRACE(file);
        const CliOutcome o = RunCli({path(file), "--json", "--save-project", path("written.cfx")});
        EXPECT_EQ(o.exitCode, 2);
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_TRUE(o.err.startsWith("centrafix-cli: " + path(file) + said)) << o.err.toStdString();
        EXPECT_FALSE(QFile::exists(path("written.cfx")));
    }
    const CliOutcome german = RunCli({path("newer.cfx"), "--language", "de"});
    EXPECT_TRUE(german.err.contains("Dieses Projekt wurde mit Formatversion 4 geschrieben; dieses Centrafix liest "
                                    "bis Version 1."))
        << german.err.toStdString();
}

TEST_F(ProjectCli, SaveProjectNeverWritesOverAPictureOrAnInput)
{
    const QString project = saved(PlaneDocument());
    const QByteArray before = test::ReadBytes(project);
    ASSERT_TRUE(Plane().save(path("plane.png")));
    ASSERT_TRUE(Plane().save(path("other.png")));
    const QByteArray picture = test::ReadBytes(path("other.png"));
    const CliOutcome overPicture = RunCli({path("plane.png"), "--save-project", path("other.png")});
    EXPECT_EQ(overPicture.exitCode, 2);
    EXPECT_EQ(overPicture.err, "centrafix-cli: " + path("other.png") +
                                   ": is a picture; --save-project does not write over a picture, so nothing is "
                                   "written\n");
    EXPECT_EQ(test::ReadBytes(path("other.png")), picture);
    const CliOutcome overInput = RunCli({project, "--scale", "3", "--save-project", project});
    EXPECT_EQ(overInput.exitCode, 2);
    EXPECT_EQ(overInput.err, "centrafix-cli: " + project +
                                 ": is read in this run; --save-project would write over it, so nothing is written\n");
    EXPECT_EQ(test::ReadBytes(project), before);
}

TEST_F(ProjectCli, AProjectAmongSeveralPicturesIsRefusedClearly)
{
    const QString project = saved(PlaneDocument());
    ASSERT_TRUE(Plane().save(path("plane.png")));
    const CliOutcome among = RunCli({path("plane.png"), project, "--json"});
    EXPECT_EQ(among.exitCode, 2);
    EXPECT_EQ(among.err, "centrafix-cli: " + project + ": a project (.cfx) is analyzed on its own, not among several pictures.\n");
    ASSERT_TRUE(test::WriteBytes(path("list.txt"), (path("plane.png") + "\n" + project + "\n").toUtf8()));
    const CliOutcome listed = RunCli({"--files-from", path("list.txt"), "--json"});
    EXPECT_EQ(listed.exitCode, 2);
    EXPECT_EQ(listed.err, "centrafix-cli: " + project + ": a project (.cfx) is analyzed on its own, not among several pictures.\n");
    const CliOutcome saving = RunCli({path("plane.png"), path("plane.png"), "--save-project", path("x.cfx")});
    EXPECT_EQ(saving.exitCode, 2);
    EXPECT_EQ(saving.err, "centrafix-cli: --save-project is for one picture, not several.\n");
}

} // namespace
} // namespace centrafix
