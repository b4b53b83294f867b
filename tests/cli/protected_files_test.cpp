// What the batch command writes never costs the user a file it reads, or a
// picture: `--csv *.png` hands the first picture to --csv, and that must
// be refused, not turned into a table. Refused before anything is analysed,
// in one line naming the file, with nothing written.

#include "cli_runner.h"
#include "metafile_builder.h"
#include "picture_bytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <unistd.h>

using centrafix::test::CliOutcome;
using centrafix::test::ReadBytes;
using centrafix::test::RunCli;
using centrafix::test::WriteBytes;

namespace {

class ProtectedFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (int y = 10; y < 30; ++y)
            for (int x = 10; x < 50; ++x)
                image.setPixel(x, y, qRgb(255, 0, 0));
        a = dir.filePath("a.png");
        b = dir.filePath("b.png");
        ASSERT_TRUE(image.save(a));
        ASSERT_TRUE(image.mirrored().save(b));
        pictureBytes = ReadBytes(a);
    }

    // The run is refused with one line about `file`, saying `why`, writes
    // nothing and leaves `file` as it was.
    void expectRefused(const QStringList& arguments, const QString& file, const QString& why)
    {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const QByteArray before = ReadBytes(file);
        const QStringList filesBefore = QDir(dir.path()).entryList(QDir::Files);
        const CliOutcome o = RunCli(arguments);
        EXPECT_EQ(o.exitCode, 2);
        EXPECT_EQ(o.out, "") << "refused before any analysis";
        EXPECT_EQ(o.err, "centrafix-cli: " + file + ": " + why + "\n");
        EXPECT_EQ(ReadBytes(file), before);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), filesBefore) << "nothing new written";
    }

    QTemporaryDir dir;
    QString a, b;
    QByteArray pictureBytes;
};

TEST_F(ProtectedFiles, NoTableOrChartReplacesAPictureKnownByItsFirstBytes)
{
    // What the shell makes of `--csv *.png`.
    expectRefused({"--csv", a, b}, a, "is a picture; --csv does not write over a picture, so nothing is written");

    QImage small(8, 8, QImage::Format_RGB32);
    small.fill(Qt::blue);
    centrafix::test::Metafile metafile;
    metafile.placeable(0, 0, 20, 20, 96).brush(0xFF0000).select(0);
    QByteArray enhanced(44, '\0');
    enhanced[0] = 1;
    enhanced.replace(40, 4, " EMF");
    const std::pair<const char*, QByteArray> formats[] = {
        {"jpeg", centrafix::test::Encoded(small, "jpeg")},
        {"tiff", centrafix::test::Encoded(small, "tiff")},
        {"bmp", centrafix::test::BitmapHeader(8, 8) + QByteArray(8 * 24, '\0')},
        {"gif", QByteArray("GIF89a") + QByteArray(20, '\0')},
        {"wmf", metafile.rectangle(1, 1, 10, 10).bytes()},
        {"emf", enhanced},
        {"pdf", QByteArray("%PDF-1.7\n%\xE2\xE3\xCF\xD3\n")},
    };
    for (const auto& [format, bytes] : formats) {
        // Named as the output's kind, so only the content tells.
        const QString table = dir.filePath(QStringLiteral("%1.txt").arg(format));
        const QString chart = dir.filePath(QStringLiteral("%1.svg").arg(format));
        ASSERT_TRUE(WriteBytes(table, bytes));
        ASSERT_TRUE(WriteBytes(chart, bytes));
        expectRefused({"--loading-table", table}, table,
                      "is a picture; --loading-table does not write over a picture, so nothing is written");
        expectRefused({"--chart", chart}, chart,
                      "is a picture; --chart does not write over a picture, so nothing is written");
    }
    // German, and a file that only has a picture's name is no picture.
    expectRefused({"--language", "de", "--csv", a, b}, a,
                  "ist ein Bild; --csv schreibt nicht über ein Bild, darum wird nichts geschrieben");
    const QString notAPicture = dir.filePath("notes.png");
    ASSERT_TRUE(WriteBytes(notAPicture, "old notes\n"));
    EXPECT_EQ(RunCli({"--loading-table", notAPicture, a}).exitCode, 0);
    EXPECT_TRUE(ReadBytes(notAPicture).startsWith("Eta\t"));

    // A chart the batch command wrote is written again by the same command;
    // a picture with another program's text under the same key is not.
    const QString chart = dir.filePath("chart.png");
    ASSERT_EQ(RunCli({"--chart", chart, a}).exitCode, 0);
    ASSERT_EQ(RunCli({"--chart", chart, b}).exitCode, 0) << "the run made again";
    QImage other(8, 8, QImage::Format_RGB32);
    other.fill(Qt::white);
    other.setText("Software", "Another program");
    const QString drawn = dir.filePath("drawn.png");
    ASSERT_TRUE(other.save(drawn));
    expectRefused({"--chart", drawn, a}, drawn,
                  "is a picture; --chart does not write over a picture, so nothing is written");
}

TEST_F(ProtectedFiles, NoOutputIsAnInputOfTheSameRunThroughAnyLink)
{
    const QString symbolic = dir.filePath("symbolic.png"), hard = dir.filePath("hard.png");
    ASSERT_TRUE(QFile::link(a, symbolic));
    ASSERT_EQ(::link(a.toLocal8Bit().constData(), hard.toLocal8Bit().constData()), 0);
    const QString why = "is read in this run; --annotated would write over it, so nothing is written";
    expectRefused({"--annotated", a, a}, a, why);
    expectRefused({"--annotated", symbolic, a}, symbolic, why);
    expectRefused({"--annotated", hard, a}, hard, why);
    expectRefused({"--annotated", dir.path() + "/./a.png", symbolic}, dir.path() + "/./a.png", why);

    // A picture or the list itself named in a list is read too; an input
    // that is no picture by its content is kept all the same.
    const QString list = dir.filePath("list.txt"), broken = dir.filePath("broken.png");
    ASSERT_TRUE(WriteBytes(broken, "not yet drawn"));
    ASSERT_TRUE(WriteBytes(list, (a + "\n" + broken + "\n").toUtf8()));
    expectRefused({"--files-from", list, "--csv", list}, list,
                  "is read in this run; --csv would write over it, so nothing is written");
    expectRefused({"--files-from", list, "--csv", broken}, broken,
                  "is read in this run; --csv would write over it, so nothing is written");
}

TEST_F(ProtectedFiles, TwoOutputsNeverShareAFileButAnAnnotatedPictureMayReplaceOne)
{
    const QString out = dir.filePath("out.png");
    expectRefused(
        {"--loading-table", out, "--annotated", dir.path() + "/../" + QDir(dir.path()).dirName() + "/out.png", a},
        dir.path() + "/../" + QDir(dir.path()).dirName() + "/out.png",
        "--loading-table and --annotated name the same file, so nothing is written");
    ASSERT_TRUE(WriteBytes(out, "an old table\n"));
    expectRefused({"--chart", dir.filePath("chart.svg"), "--loading-table", out, "--annotated", out, a}, out,
                  "--loading-table and --annotated name the same file, so nothing is written");

    // The annotated picture replaces an old picture that is not read: it is
    // one, and a run made again writes it again.
    ASSERT_TRUE(WriteBytes(out, pictureBytes));
    const CliOutcome again = RunCli({"--annotated", out, b});
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_NE(ReadBytes(out), pictureBytes);
    EXPECT_EQ(QImage(out).size(), QSize(60, 40));
}

} // namespace
