#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome RunCli(const QStringList& arguments, const QString& locale = "C")
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", locale);
    env.insert("LANG", locale);
    process.setProcessEnvironment(env);
    process.start(CENTRAFIX_CLI, arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

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

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Little-endian 16-bit words, the unit metafiles are written in.
QByteArray LeWords(std::initializer_list<int> words)
{
    QByteArray bytes;
    for (const int w : words)
        bytes.append(char(w & 0xFF)).append(char((w >> 8) & 0xFF));
    return bytes;
}

// A 200 x 100 placeable metafile: a red rectangle from (10, 20) to (90, 80), no outline.
QByteArray RedRectangleMetafile()
{
    return LeWords({0xCDD7, 0x9AC6, 0, 0, 0, 200, 100, 96, 0, 0, 0}) + LeWords({1, 9, 0x0300, 0, 0, 2, 0, 0, 0}) +
           LeWords({7, 0, 0x02FC, 0, 0x00FF, 0, 0}) + LeWords({4, 0, 0x012D, 0}) +
           LeWords({8, 0, 0x02FA, 5, 0, 0, 0, 0}) + LeWords({4, 0, 0x012D, 1}) +
           LeWords({7, 0, 0x041B, 80, 90, 20, 10}) + LeWords({3, 0, 0});
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
    const QStringList parts = o.out.split("\r\n\r\n");
    ASSERT_EQ(parts.size(), 2) << o.out.toStdString();
    const QStringList lines = parts[0].split("\r\n");
    ASSERT_EQ(lines.size(), 6) << "header, black, red, green, blue, total";
    EXPECT_EQ(lines[0], "Object\tX  C.G.\tY  C.G.\tX  A.C.\tArea\t% Area\tOutline\tAero L ref.\tEfficiency");
    const char* names[] = {"black", "red", "green", "blue", "total"};
    for (int i = 1; i < 6; ++i) {
        EXPECT_TRUE(lines[i].startsWith(QString(names[i - 1]) + "\t")) << lines[i].toStdString();
        EXPECT_EQ(lines[i].count('\t'), 8) << lines[i].toStdString();
    }
    EXPECT_TRUE(lines[5].endsWith("\t100.0\t\t\t"));
    EXPECT_TRUE(parts[1].startsWith("Pixels: 330 x 314 -> scaled: 3.30 x 3.14\r\n")) << parts[1].toStdString();
    EXPECT_TRUE(parts[1].contains("CD_lam = 0.0"));
}

TEST(BatchCommand, JsonHoldsTheEightObjectsAndTheAnnotatedPictureTheirMarkers)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain.png"), withCG = dir.filePath("with-cg.png");
    const QStringList run = {"--scale", "1/100", "--origin", "100,157"};
    const QJsonObject root = RunJson(run + QStringList{"--annotated", plain});
    EXPECT_DOUBLE_EQ(root["origin"].toObject()["x"].toDouble(), 1.0);
    EXPECT_DOUBLE_EQ(root["origin"].toObject()["y"].toDouble(), 1.57);
    const QJsonArray objects = root["objects"].toArray();
    ASSERT_EQ(objects.size(), 8);
    double sum = 0;
    for (int i = 0; i < 8; ++i) {
        const QJsonObject o = objects[i].toObject();
        EXPECT_EQ(o["index"].toInt(), i);
        EXPECT_EQ(o["found"].toBool(), i < 5) << i;
        sum += i > 0 ? o["area"].toDouble() : 0;
    }
    EXPECT_EQ(objects[0].toObject()["name"].toString(), "total");
    EXPECT_DOUBLE_EQ(objects[0].toObject()["area"].toDouble(), sum);
    EXPECT_DOUBLE_EQ(objects[1].toObject()["area"].toDouble(), 13777 * 0.01 * 0.01);
    EXPECT_NEAR(objects[1].toObject()["cg_y"].toDouble(), 0.0, 0.02) << "fuselage centroid on the origin row";
    EXPECT_EQ(root["grid"].toString(), GridLines(RunCli(run).out).join("\r\n"));
    EXPECT_TRUE(root["cd_lam"].isDouble());

    // The total's A.C., and the blue tailplane's C.G., which no other marker covers.
    const auto pixel = [&](int entry, const char* field, const char* originField) {
        const double sum = objects[entry].toObject()[field].toDouble() + root["origin"][originField].toDouble();
        return static_cast<int>(std::floor(sum / 0.01));
    };
    const int acX = pixel(0, "ac_x", "x"), acY = pixel(0, "cg_y", "y");
    const int blueX = pixel(4, "cg_x", "x"), blueY = pixel(4, "cg_y", "y");
    QImageReader reader(plain);
    EXPECT_EQ(reader.format(), "png");
    const QImage image = reader.read();
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
    const Outcome o = RunCli({"--language", "de", "--colors", "rot,1", "--weights", "1,2.5,1,1,1,1,1"},
                             "de_DE.UTF-8");
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    const QStringList lines = GridLines(o.out);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith("Objekt\t"));
    EXPECT_TRUE(lines[1].startsWith("schwarz\t"));
    EXPECT_TRUE(lines[2].startsWith("rot\t"));
    EXPECT_TRUE(lines[2].endsWith("\t2,50")) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith("Gesamt\t"));
    EXPECT_TRUE(o.out.contains("Pixel: 330 x 314 -> skaliert: 330,00 x 314,00"));
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
    const struct {
        QStringList args;
        QString message;
    } cases[] = {
        {{dir.filePath("missing.png")}, dir.filePath("missing.png") + ": no such file"},
        {{garbage}, garbage + ": damaged or unreadable BMP"},
        {{cut}, cut + ": damaged Windows metafile: "},
        {{"--no-such-option"}, "no-such-option"},
        {{"--colors", "red,purple"}, "\"purple\""},
        {{"--colors", "8"}, "\"8\""},
        {{"--weights", "1,2,3"}, "seven numbers"},
        {{"--weights", "1,2,x,4,5,6,7"}, "\"x\""},
        {{"--scale", "1+"}, "Scale Factor \"1+\""},
        {{"--tolerance", "1/0"}, "Tolerance \"1/0\""},
        {{"--origin", "12"}, "\"12\""},
        {{"--language", "fr"}, "\"fr\""},
        {{"a.png", "b.png"}, "Only one picture"},
        {{"--loading-table", noDir + "table.txt"}, noDir + "table.txt"},
        {{"--annotated", noDir + "a.png"}, noDir + "a.png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Outcome o = RunCli(c.args);
        EXPECT_EQ(o.exitCode, 2);
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_EQ(o.err.trimmed().count('\n'), 0) << o.err.toStdString();
        EXPECT_TRUE(o.err.contains(c.message)) << o.err.toStdString();
    }
}

TEST(BatchCommand, MeasuresWindowsMetafiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("drawing.wmf");
    WriteFile(path, RedRectangleMetafile());
    const QJsonObject root = RunJson({path});
    EXPECT_EQ(root["picture"].toObject()["width"].toInt(), 200);
    EXPECT_EQ(root["picture"].toObject()["height"].toInt(), 100);
    const QJsonArray objects = root["objects"].toArray();
    ASSERT_EQ(objects.size(), 8);
    EXPECT_DOUBLE_EQ(objects[2].toObject()["area"].toDouble(), 80 * 60) << "red, every pixel exact";
    EXPECT_FALSE(objects[1].toObject()["found"].toBool()) << "black: no outline, no shades";
}
