#include "cli_runner.h"
#include "metafile_builder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <utility>

namespace centrafix {
namespace {

using test::RunCli;
using Outcome = test::CliOutcome;

QJsonObject RunJson(const QStringList& arguments)
{
    const Outcome o = RunCli(QStringList{"--json"} + arguments);
    EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
    return QJsonDocument::fromJson(o.out.toUtf8()).object();
}

QStringList GridLines(const QString& out)
{
    return out.split("\r\n\r\n")[0].split("\r\n");
}

// The grid's first column, one name per line: "Object,black,...,total".
QString FirstColumn(const QStringList& lines)
{
    QStringList names;
    for (const QString& line : lines)
        names << line.section('\t', 0, 0);
    return names.join(',');
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A 200 x 100 placeable metafile: a red rectangle from (10, 20) to (90, 80), no outline.
QByteArray RedRectangleMetafile()
{
    test::Metafile metafile;
    metafile.placeable(0, 0, 200, 100, 96).brush(0xFF0000).select(0).pen(5, 0).select(1);
    return metafile.rectangle(10, 20, 90, 80).bytes();
}

// The centre-of-gravity symbol around pixel (x, y), by its quarters: they show
// on any background, the black fuselage included.
bool HasMarkerAt(const QImage& image, int x, int y)
{
    const auto rgb = [&](int dx, int dy) { return image.pixel(x + dx, y + dy) & 0xFFFFFFu; };
    return rgb(3, -3) == 0 && rgb(-3, 3) == 0 && rgb(-3, -3) == 0xFFFFFF && rgb(3, 3) == 0xFFFFFF &&
           rgb(-7, -1) == 0xFFFFFF;
}

} // namespace

TEST(BatchCommand, PrintsTheGridOfTheBuiltInExampleThenTheReport)
{
    const Outcome o = RunCli({"--scale", "0.01"});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_TRUE(o.err.isEmpty());
    const QStringList lines = GridLines(o.out);
    EXPECT_EQ(lines[0], "Object\tX  C.G.\tY  C.G.\tX  A.C.\tArea\t% Area\tOutline\tAero L ref.\tEfficiency");
    EXPECT_EQ(FirstColumn(lines), "Object,black,red,green,blue,total");
    for (const QString& line : lines)
        EXPECT_EQ(line.count('\t'), 8) << line.toStdString();
    EXPECT_TRUE(lines.last().endsWith("\t100.0\t\t\t"));
    const QString report = o.out.section("\r\n\r\n", 1);
    EXPECT_TRUE(report.startsWith("Pixels: 330 x 314 -> scaled: 3.300 x 3.140\r\n")) << o.out.toStdString();
    EXPECT_TRUE(report.contains("CD_lam = 0.0"));
}

TEST(BatchCommand, JsonHoldsTheEightObjectsAndTheAnnotatedPictureTheirMarkers)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain.png"), withCG = dir.filePath("with-cg.png");
    const QStringList run = {"--scale", "1/100", "--origin", "100,157"};
    const QJsonObject root = RunJson(run + QStringList{"--annotated", plain});
    const QJsonArray objects = root["objects"].toArray();
    ASSERT_EQ(objects.size(), 8);
    double sum = 0;
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(objects[i]["index"].toInt(), i);
        EXPECT_EQ(objects[i]["found"].toBool(), i < 5) << i;
        sum += i > 0 ? objects[i]["area"].toDouble() : 0;
    }
    EXPECT_EQ(objects[0]["name"].toString(), "total");
    EXPECT_DOUBLE_EQ(objects[0]["area"].toDouble(), sum);
    EXPECT_DOUBLE_EQ(objects[1]["area"].toDouble(), 13777 * 0.01 * 0.01);
    EXPECT_NEAR(objects[1]["cg_y"].toDouble(), 0.0, 0.02) << "fuselage centroid on the origin row";
    EXPECT_EQ(root["grid"].toString(), GridLines(RunCli(run).out).join("\r\n"));
    EXPECT_TRUE(root["cd_lam"].isDouble());

    // The total's A.C., and the blue tailplane's C.G., which no other marker covers.
    const auto pixel = [&](int entry, const char* field, const char* originField) {
        const double sum = objects[entry][field].toDouble() + root["origin"][originField].toDouble();
        return static_cast<int>(std::floor(sum / 0.01));
    };
    const int acX = pixel(0, "ac_x", "x"), acY = pixel(0, "cg_y", "y");
    const int blueX = pixel(4, "cg_x", "x"), blueY = pixel(4, "cg_y", "y");
    const QImage image(plain);
    ASSERT_EQ(image.size(), QSize(330, 314));
    EXPECT_TRUE(HasMarkerAt(image, acX, acY)) << acX << "," << acY;
    EXPECT_FALSE(HasMarkerAt(image, blueX, blueY)) << "no C.G. marker unless asked";
    EXPECT_EQ(image.pixel(100, 157) & 0xFFFFFFu, 0u) << "origin mark";
    EXPECT_EQ(image.pixel(96, 157) & 0xFFFFFFu, 0xFFFF00u) << "its yellow rim";
    ASSERT_EQ(RunCli(run + QStringList{"--annotated", withCG, "--show-cg"}).exitCode, 0);
    EXPECT_TRUE(HasMarkerAt(QImage(withCG), blueX, blueY)) << blueX << "," << blueY;
}

TEST(BatchCommand, LanguageColoursWeightsAndLocaleShapeTheOutput)
{
    const Outcome o = RunCli({"--language", "de", "--colors", "rot,1", "--weights", "1,2.5,1,1,1,1,1"}, "de_DE.UTF-8");
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    const QStringList lines = GridLines(o.out);
    EXPECT_EQ(FirstColumn(lines), "Objekt,schwarz,rot,Gesamt");
    EXPECT_TRUE(lines.value(2).endsWith("\t2,50")) << o.out.toStdString();
    EXPECT_TRUE(o.out.contains("Pixel: 330 x 314 -> skaliert: 330,00 x 314,00\r\n"));
    const Outcome unit = RunCli({"--language", "de", "--unit", "mm", "--scale", "0,5"}, "de_DE.UTF-8");
    EXPECT_TRUE(unit.out.contains("Pixel: 330 x 314 -> skaliert: 165,00 x 157,00 mm\r\n")) << unit.out.toStdString();
    // The defaults are written with a point, and the German locale reads
    // them as it reads a comma.
    EXPECT_TRUE(o.out.contains("\r\nCD_lam = 0,0") && o.out.contains("\r\nCD_turb = 0,0")) << o.out.toStdString();
    const Outcome comma = RunCli({"--mach", "0,85", "--scale", "0,5", "--json"}, "de_DE.UTF-8");
    ASSERT_EQ(comma.exitCode, 0) << comma.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(comma.out.toUtf8())["scale_factor"].toDouble(), 0.5);
}

TEST(BatchCommand, LoadingTableGoesToAFileOrStandardOutput)
{
    const Outcome o = RunCli({"--loading-table", "-"});
    ASSERT_EQ(o.exitCode, 0);
    EXPECT_TRUE(o.out.startsWith("Eta\tG(sin)\tCl(sin)\tG(sin^2)"));
    EXPECT_EQ(o.out.count("\r\n"), 315);

    QTemporaryDir dir;
    const QString path = dir.filePath("table.txt");
    ASSERT_EQ(RunCli({"--loading-table", path}).exitCode, 0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), o.out);
}

TEST(BatchCommand, BadInputIsOneLineOnStderrAndExitStatusTwo)
{
    QTemporaryDir dir;
    const QString garbage = dir.filePath("garbage.bmp"), cut = dir.filePath("cut.wmf");
    WriteFile(garbage, "BM this is not a bitmap at all");
    const QByteArray metafile = RedRectangleMetafile();
    WriteFile(cut, metafile.left(metafile.size() - 6));
    const QString noDir = dir.filePath("no/such/dir/");
    const std::pair<QStringList, QString> cases[] = {
        {{dir.filePath("missing.png")}, dir.filePath("missing.png") + ": no such file"},
        {{""}, "the picture's file name is empty"},
        {{garbage}, garbage + ": damaged or unreadable BMP"},
        {{cut}, cut + ": damaged Windows metafile: "},
        {{"--no-such-option"}, "no-such-option"},
        {{"--colors", "red,purple"}, "\"purple\""},
        {{"--colors", "8"}, "\"8\""},
        {{"--weights", "1,2,3"}, "seven numbers"},
        {{"--weights", "1,2,x,4,5,6,7"}, "\"x\""},
        {{"--scale", "1+"}, "Scale Factor \"1+\""},
        {{"--tolerance", "1/0"}, "Tolerance \"1/0\""},
        {{"--mach", "abc"}, "Mach number [-] \"abc\" is not a number"},
        {{"--scale", "1e308"}, "Scale Factor \"1e308\" gives results beyond the range of numbers"},
        // Each length and the area are finite here; their product, a first moment, is not.
        {{"--scale", "2e100"}, "Scale Factor \"2e100\" gives results beyond the range of numbers"},
        {{"--weights", "-1e308,1e308,1,1,1,1,1"}, "Efficiency \"-1E+308\" gives results beyond"},
        {{"--altitude", "10000,5"}, "Altitude [m] \"10000,5\" is not a number"},
        // What the window refuses, refused in its words rather than run with
        // something else; the smallest scale taken as it is is 1e-16.
        {{"--scale", "0"}, "Scale Factor \"0\" is not above 0"},
        {{"--scale", "-1"}, "Scale Factor \"-1\" is not above 0"},
        {{"--scale", "1e-17"}, "Scale Factor \"1e-17\" is below 1E-16, the smallest value allowed"},
        {{"--scale-from", "0,0,3,4=1e-20"}, "Scale Factor \"2E-21\" is below 1E-16"},
        {{"-t", "0"}, "Tolerance \"0\" is not above 0"},
        {{"--tolerance", "-5", "--language", "de"}, "Toleranz \"-5\" ist nicht größer als 0"},
        {{"-t", "0", "a.png", "b.png"}, "Tolerance \"0\" is not above 0"},
        {{"--language", "de", "--mach", "abc"}, "Machzahl [-] \"abc\" ist keine Zahl"},
        {{"--language", "de", "--altitude", "hoch"}, "Flughöhe [m] \"hoch\" ist keine Zahl"},
        {{"--origin", "12"}, "\"12\""},
        {{"--language", "fr"}, "\"fr\""},
        {{"--language", "de", "--weights", "1,2,3"}, "--weights braucht sieben Zahlen, \"1,2,3\" enthält 3."},
        {{"--no-such-option", "--language", "de"}, "Unbekannte Option 'no-such-option'."},
        {{"a.png", "b.png", "--annotated", "c.png"}, "for one picture, not several"},
        {{"--loading-table", noDir + "table.txt"}, noDir + "table.txt"},
        {{"--annotated", noDir + "a.png"}, noDir + "a.png"},
        {{"--chart", dir.filePath("chart.jpg")}, "--chart writes PNG or SVG; \"" + dir.filePath("chart.jpg")},
        {{"--chart", ""}, "--chart needs a file name ending in .png or .svg."},
        {{"--language", "de", "--chart", "chart"}, "--chart schreibt PNG oder SVG; \"chart\" endet weder"},
        {{"a.png", "b.png", "--chart", "c.png"}, "--chart is for one picture, not several."},
        {{"--chart", noDir + "c.svg"}, noDir + "c.svg: cannot write the chart"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Outcome o = RunCli(args);
        EXPECT_EQ(o.exitCode, 2);
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_EQ(o.err.trimmed().count('\n'), 0) << o.err.toStdString();
        EXPECT_TRUE(o.err.contains(message)) << o.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("chart.jpg")));
}

TEST(BatchCommand, ChartGoesToPngOrSvgAndTheUsualOutputStaysAsItWas)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("chart.png"), svg = dir.filePath("chart.Svg");
    const Outcome plain = RunCli({});
    // Without a display and without being told a platform, as from a cron job.
    const Outcome withPng = RunCli({"--chart", png}, "C", {}, {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"});
    ASSERT_EQ(withPng.exitCode, 0) << withPng.err.toStdString();
    EXPECT_EQ(withPng.out, plain.out);
    EXPECT_TRUE(withPng.err.isEmpty()) << withPng.err.toStdString();
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(1200, 750));

    const Outcome withSvg = RunCli({"--json", "--language", "de", "--chart", svg});
    ASSERT_EQ(withSvg.exitCode, 0) << withSvg.err.toStdString();
    EXPECT_EQ(withSvg.out, RunCli({"--json", "--language", "de"}).out);
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_TRUE(text.contains("Spannweitige Verteilung"));
}

// The chart writer is a module of its own: a copy of the program without it
// measures as before, and only a run that asks for a chart is refused,
// saying which file is missing, in the user's language, writing nothing.
TEST(BatchCommand, WithoutItsChartModuleOnlyAChartIsRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("bin"));
    const QString copy = dir.filePath("bin/centrafix-cli");
    ASSERT_TRUE(QFile::copy(CENTRAFIX_CLI, copy));
    const auto run = [&](const QStringList& arguments) {
        QProcess process;
        process.start(copy, arguments);
        process.waitForFinished(120000);
        return Outcome{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                       QString::fromUtf8(process.readAllStandardOutput()),
                       QString::fromUtf8(process.readAllStandardError())};
    };
    EXPECT_EQ(run({"--json"}).out, RunCli({"--json"}).out);
    const QString chart = dir.filePath("chart.png");
    for (const auto& [language, says] : {std::pair{"en", "the module that writes charts is missing"},
                                         std::pair{"de", "das Modul zum Schreiben von Diagrammen fehlt"}}) {
        const Outcome refused = run({"--language", language, "--chart", chart});
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_TRUE(refused.out.isEmpty());
        EXPECT_EQ(refused.err.trimmed().count('\n'), 0) << refused.err.toStdString();
        EXPECT_TRUE(refused.err.contains(dir.filePath("lib/centrafix/modules/centrafix-chart-writer.so") + ": " + says))
            << refused.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(chart));
}

TEST(BatchCommand, MeasuresWindowsMetafiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("drawing.wmf");
    WriteFile(path, RedRectangleMetafile());
    const QJsonObject root = RunJson({path});
    EXPECT_EQ(QSize(root["picture"]["width"].toInt(), root["picture"]["height"].toInt()), QSize(200, 100));
    EXPECT_DOUBLE_EQ(root["objects"][2]["area"].toDouble(), 80 * 60) << "red, every pixel exact";
    EXPECT_FALSE(root["objects"][1]["found"].toBool()) << "black: no outline, no shades";

    // Text needs fonts, which the batch command starts for a metafile.
    test::Metafile labelled;
    labelled.placeable(0, 0, 200, 100, 96).font(-40, 700, false, {}).select(0).textColour(0x0000FF);
    WriteFile(path, labelled.record(test::kSetBkMode, {1}).text(10, 10, "Rumpf").bytes());
    const QJsonObject label = RunJson({path});
    EXPECT_TRUE(label["objects"][4]["found"].toBool()) << "blue: the label";
    EXPECT_GT(label["objects"][4]["area"].toDouble(), 200);
}

TEST(BatchCommand, EnglishTextsSpellAsTheWindowsCaptions)
{
    // The window's captions say "Colors" and "Analyze"; the help and the
    // messages say it the same way.
    const QRegularExpression british(R"(colour|analys(e|ed|es|ing)\b|centre|metre|normalis|\bgrey|cancelled)",
                                     QRegularExpression::CaseInsensitiveOption);
    const Outcome help = RunCli({"--help"});
    ASSERT_EQ(help.exitCode, 0);
    for (const QString& line : help.out.split('\n'))
        EXPECT_FALSE(line.contains(british)) << line.toStdString();
    const Outcome purple = RunCli({"--colors", "purple"});
    EXPECT_TRUE(purple.err.contains("unknown color \"purple\"")) << purple.err.toStdString();
}

} // namespace centrafix
