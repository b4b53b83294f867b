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
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(o.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << o.out.toStdString();
    return doc.object();
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
    EXPECT_TRUE(parts[1].endsWith("\r\n"));
}

TEST(BatchCommand, JsonHoldsTheEightObjectsUnroundedAndTheSameGrid)
{
    const QJsonObject root = RunJson({"--scale", "1/100", "--origin", "100,157"});
    EXPECT_EQ(root["picture"].toObject()["width"].toInt(), 330);
    EXPECT_EQ(root["picture"].toObject()["height"].toInt(), 314);
    EXPECT_DOUBLE_EQ(root["scale_factor"].toDouble(), 0.01);
    EXPECT_DOUBLE_EQ(root["tolerance"].toDouble(), 10);
    EXPECT_DOUBLE_EQ(root["origin"].toObject()["x"].toDouble(), 1.0);
    EXPECT_DOUBLE_EQ(root["origin"].toObject()["y"].toDouble(), 1.57);
    const QJsonArray objects = root["objects"].toArray();
    ASSERT_EQ(objects.size(), 8);
    const bool found[] = {true, true, true, true, true, false, false, false};
    double sum = 0;
    for (int i = 0; i < 8; ++i) {
        const QJsonObject o = objects[i].toObject();
        EXPECT_EQ(o["index"].toInt(), i);
        EXPECT_EQ(o["found"].toBool(), found[i]) << i;
        if (i > 0)
            sum += o["area"].toDouble();
    }
    EXPECT_EQ(objects[0].toObject()["name"].toString(), "total");
    EXPECT_DOUBLE_EQ(objects[0].toObject()["area"].toDouble(), sum);
    EXPECT_DOUBLE_EQ(objects[1].toObject()["area"].toDouble(), 13777 * 0.01 * 0.01);
    // The fuselage's centroid lies just below the origin row's centre line.
    EXPECT_NEAR(objects[1].toObject()["cg_y"].toDouble(), 0.0, 0.02);

    const Outcome text = RunCli({"--scale", "1/100", "--origin", "100,157"});
    EXPECT_EQ(root["grid"].toString(), text.out.split("\r\n\r\n")[0]);
    EXPECT_TRUE(root["cd_lam"].isDouble());
    EXPECT_TRUE(root["cd_turb"].isDouble());
}

TEST(BatchCommand, LanguageColoursWeightsAndLocaleShapeTheOutput)
{
    const Outcome o = RunCli({"--language", "de", "--colors", "rot,1", "--weights", "1,2.5,1,1,1,1,1"},
                             "de_DE.UTF-8");
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    const QStringList lines = o.out.split("\r\n\r\n")[0].split("\r\n");
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
    const QString garbage = dir.filePath("garbage.bmp");
    {
        QFile f(garbage);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("BM this is not a bitmap at all");
    }
    const QStringList cases[] = {
        {dir.filePath("missing.png")},
        {garbage},
        {"--no-such-option"},
        {"--colors", "red,purple"},
        {"--colors", "8"},
        {"--weights", "1,2,3"},
        {"--weights", "1,2,x,4,5,6,7"},
        {"--scale", "1+"},
        {"--tolerance", "1/0"},
        {"--origin", "12"},
        {"--language", "fr"},
        {"a.png", "b.png"},
        {"--loading-table", dir.filePath("no/such/dir/table.txt")},
    };
    for (const QStringList& args : cases) {
        const Outcome o = RunCli(args);
        EXPECT_EQ(o.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(o.out.isEmpty()) << args.join(' ').toStdString();
        EXPECT_EQ(o.err.trimmed().count('\n'), 0) << o.err.toStdString();
        EXPECT_FALSE(o.err.trimmed().isEmpty()) << args.join(' ').toStdString();
    }
    const Outcome scale = RunCli({"--scale", "1+"});
    EXPECT_TRUE(scale.err.contains("Scale Factor \"1+\"")) << scale.err.toStdString();
    const Outcome colour = RunCli({"--colors", "purple"});
    EXPECT_TRUE(colour.err.contains("purple"));
}

namespace {

// The centre-of-gravity symbol around pixel (x, y), by its quarters: they show
// on any background, the black fuselage included.
bool HasMarkerAt(const QImage& image, int x, int y)
{
    const auto rgb = [&](int dx, int dy) { return image.pixel(x + dx, y + dy) & 0xFFFFFFu; };
    return rgb(3, -3) == 0 && rgb(-3, 3) == 0 && rgb(-3, -3) == 0xFFFFFF && rgb(3, 3) == 0xFFFFFF &&
           rgb(-7, -1) == 0xFFFFFF;
}

} // namespace

TEST(BatchCommand, AnnotatedPictureShowsTheMarkersTheCheckBoxesAsk)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain.png");
    const QString withCG = dir.filePath("with-cg.png");
    const QStringList run = {"--scale", "0.01", "--origin", "100,157"};
    const QJsonObject root = RunJson(run + QStringList{"--annotated", plain});
    ASSERT_EQ(RunCli(run + QStringList{"--annotated", withCG, "--show-cg"}).exitCode, 0);

    const double scale = root["scale_factor"].toDouble();
    const QJsonObject origin = root["origin"].toObject();
    const auto pixel = [&](int entry, const char* field, const char* originField) {
        const QJsonObject o = root["objects"].toArray()[entry].toObject();
        return static_cast<int>(std::floor((o[field].toDouble() + origin[originField].toDouble()) / scale));
    };
    // The total's A.C., and the blue tailplane's C.G., which no other marker covers.
    const int acX = pixel(0, "ac_x", "x");
    const int acY = pixel(0, "cg_y", "y");
    const int blueX = pixel(4, "cg_x", "x");
    const int blueY = pixel(4, "cg_y", "y");

    QImageReader reader(plain);
    EXPECT_EQ(reader.format(), "png");
    const QImage image = reader.read();
    ASSERT_EQ(image.size(), QSize(330, 314));
    EXPECT_TRUE(HasMarkerAt(image, acX, acY)) << acX << "," << acY;
    EXPECT_FALSE(HasMarkerAt(image, blueX, blueY)) << "no C.G. marker unless asked";
    EXPECT_EQ(image.pixel(100, 157) & 0xFFFFFFu, 0u) << "origin mark";
    EXPECT_EQ(image.pixel(96, 157) & 0xFFFFFFu, 0xFFFF00u) << "its yellow rim";

    const QImage cgImage(withCG);
    EXPECT_TRUE(HasMarkerAt(cgImage, blueX, blueY)) << blueX << "," << blueY;

    // A file that cannot be written is an error like any other.
    const Outcome bad = RunCli({"--annotated", dir.filePath("no/such/dir/a.png")});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_EQ(bad.err.trimmed().count('\n'), 0) << bad.err.toStdString();
    EXPECT_TRUE(bad.err.contains("a.png")) << bad.err.toStdString();
}

namespace {

// Little-endian 16-bit words, the unit metafiles (and bitmap headers) are written in.
QByteArray LeWords(std::initializer_list<int> words)
{
    QByteArray bytes;
    for (const int w : words)
        bytes.append(char(w & 0xFF)).append(char((w >> 8) & 0xFF));
    return bytes;
}

// A placeable metafile: a red rectangle from (10, 20) to (90, 80) in its units.
QByteArray RedRectangleMetafile(int left, int top, int right, int bottom, int unitsPerInch)
{
    return LeWords({0xCDD7, 0x9AC6, 0, left, top, right, bottom, unitsPerInch, 0, 0, 0}) +
           LeWords({1, 9, 0x0300, 0, 0, 2, 0, 0, 0}) +
           LeWords({7, 0, 0x02FC, 0, 0x00FF, 0, 0}) + // red brush
           LeWords({4, 0, 0x012D, 0}) +
           LeWords({8, 0, 0x02FA, 5, 0, 0, 0, 0}) + // no outline
           LeWords({4, 0, 0x012D, 1}) +
           LeWords({7, 0, 0x041B, 80, 90, 20, 10}) +
           LeWords({3, 0, 0});
}

} // namespace

TEST(BatchCommand, MeasuresWindowsMetafiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("drawing.wmf");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(RedRectangleMetafile(0, 0, 200, 100, 96));
    }
    const Outcome o = RunCli({"--json", path});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(o.out.toUtf8()).object();
    EXPECT_EQ(root["picture"].toObject()["width"].toInt(), 200);
    EXPECT_EQ(root["picture"].toObject()["height"].toInt(), 100);
    const QJsonArray objects = root["objects"].toArray();
    ASSERT_EQ(objects.size(), 8);
    EXPECT_TRUE(objects[2].toObject()["found"].toBool()) << "red";
    EXPECT_FALSE(objects[1].toObject()["found"].toBool()) << "black: no outline, no shades";
}

TEST(BatchCommand, OversizedAndDamagedPicturesAreOneLineAndStatusTwo)
{
    QTemporaryDir dir;
    const QByteArray metafile = RedRectangleMetafile(0, 0, 200, 100, 96);
    const QByteArray hugeBitmap =
        "BM" + LeWords({0, 0, 0, 0, 54, 0, 40, 0, 0x86A0, 1, 0x86A0, 1, 1, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const struct {
        const char* name;
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {"huge.bmp", hugeBitmap, ": 100000 x 100000 pixels is larger than the 600-megapixel limit"},
        {"huge.wmf", RedRectangleMetafile(-32768, -32768, 32767, 32767, 1),
         ": 6291360 x 6291360 pixels is larger than the 600-megapixel limit"},
        {"cut.wmf", metafile.left(metafile.size() - 6), ": damaged Windows metafile: "},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(c.name);
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.bytes);
        }
        const Outcome o = RunCli({path});
        EXPECT_EQ(o.exitCode, 2) << c.name;
        EXPECT_TRUE(o.out.isEmpty()) << c.name;
        EXPECT_EQ(o.err.trimmed().count('\n'), 0) << o.err.toStdString();
        EXPECT_TRUE(o.err.contains(path + c.message)) << o.err.toStdString();
    }
}
