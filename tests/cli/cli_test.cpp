#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

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
