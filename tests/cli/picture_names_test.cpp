// Picture names as users have them: in an old encoding rather than UTF-8,
// or beginning with what a spreadsheet takes for a formula.

#include "cli_runner.h"
#include "csv_reader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using centrafix::test::CliOutcome;
using centrafix::test::CsvCell;
using centrafix::test::ReadCsv;
using centrafix::test::RunCli;

namespace {

QImage RedSquare()
{
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 5; y < 15; ++y)
        for (int x = 5; x < 25; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    return image;
}

TEST(PictureNames, ANameThatASpreadsheetWouldComputeIsWrittenAsText)
{
    QTemporaryDir dir;
    const QStringList names{"=HYPERLINK(1).png", "+1.png", "-2.png", "@SUM(A1).png", "\tx.png", "\ry.png", "plain.png"};
    QStringList pictures;
    for (const QString& name : names) {
        // Relative names, as a shell glob gives them, so the name starts the field.
        pictures << name;
        ASSERT_TRUE(RedSquare().save(dir.filePath(name), "PNG"));
    }
    QProcess run;
    run.setWorkingDirectory(dir.path());
    run.start(CENTRAFIX_CLI, QStringList{"--csv", "-", "--unit", "=1+1", "--origin", "-3,-4", "--"} + pictures);
    ASSERT_TRUE(run.waitForFinished(120000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("-"))) << "\"-\" is standard output, no file";
    const std::optional<std::vector<QStringList>> records = ReadCsv(QString::fromUtf8(run.readAllStandardOutput()));
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 1 + 2 * names.size());
    const QStringList& header = records->front();
    for (qsizetype k = 0; k < names.size(); ++k) {
        const QStringList& red = (*records)[static_cast<std::size_t>(1 + 2 * k)];
        const QString expected = names[k] == "plain.png" ? names[k] : "'" + names[k];
        EXPECT_EQ(CsvCell(header, red, "file"), expected);
        EXPECT_EQ(CsvCell(header, red, "unit"), "'=1+1");
        EXPECT_EQ(CsvCell(header, red, "origin_column"), "-3") << "numbers keep their sign";
        EXPECT_EQ(CsvCell(header, red, "area").toDouble(), 200.0);
    }
}

// The names in a folder as the system has them, bytes that are no UTF-8
// included (Qt's listing leaves such names out).
QList<QByteArray> EntriesOf(const QByteArray& folder)
{
    QList<QByteArray> names;
    if (DIR* d = ::opendir(folder.constData())) {
        while (const dirent* entry = ::readdir(d))
            if (QByteArray(entry->d_name) != "." && QByteArray(entry->d_name) != "..")
                names << QByteArray(entry->d_name);
        ::closedir(d);
    }
    return names;
}

// A file name in Latin-1, as an old archive or a Windows share has it: the
// bytes are no UTF-8, and the file is found all the same, named on the
// command line or in a list.
TEST(PictureNames, ANameInAnotherEncodingThanUtf8IsOpened)
{
    QTemporaryDir dir;
    // Qt cannot remove what it cannot name.
    const struct Emptied {
        QByteArray folder;
        ~Emptied()
        {
            for (const QByteArray& entry : EntriesOf(folder))
                ::unlink((folder + "/" + entry).constData());
        }
    } emptied{QFile::encodeName(dir.path())};
    const QByteArray name = QFile::encodeName(dir.path()) + "/Fl\xFCgel \xE9t\xE9.png";
    QFile file;
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
    ASSERT_TRUE(RedSquare().save(&file, "PNG"));
    file.close();
    const QString list = dir.filePath("list.txt");
    QFile listFile(list);
    ASSERT_TRUE(listFile.open(QIODevice::WriteOnly));
    listFile.write(name + "\n" + name + "\n");
    listFile.close();

    // The shell hands the bytes over as they are; Qt would turn them into U+FFFD.
    QProcess shell;
    shell.setProcessChannelMode(QProcess::SeparateChannels);
    shell.start("sh", {"-c", R"sh("$0" --json "$(head -n 1 "$1")")sh", CENTRAFIX_CLI, list});
    ASSERT_TRUE(shell.waitForFinished(120000));
    ASSERT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    const QJsonObject single = QJsonDocument::fromJson(shell.readAllStandardOutput()).object();
    EXPECT_EQ(single["objects"][2]["area"].toDouble(), 200.0);

    const CliOutcome listed = RunCli({"--files-from", list, "-j", "2"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    EXPECT_EQ(listed.out.count("\r\nObject\t"), 2);
    // The text names each picture by its very bytes.
    QProcess raw;
    raw.start(CENTRAFIX_CLI, {"--files-from", list});
    ASSERT_TRUE(raw.waitForFinished(120000));
    EXPECT_TRUE(raw.readAllStandardOutput().startsWith(name + "\r\nObject\t"));

    // Files written get such names too, new or in place of an old one.
    const QByteArray table = name.chopped(4) + ".csv", loading = name.chopped(4) + ".txt";
    const int old = ::open(loading.constData(), O_WRONLY | O_CREAT, 0640);
    ASSERT_GE(old, 0);
    ::close(old);
    QFile names(list);
    ASSERT_TRUE(names.open(QIODevice::WriteOnly));
    names.write(name + "\n" + table + "\n" + loading + "\n");
    names.close();
    QProcess writer;
    writer.start("sh", {"-c", R"sh(set -e; { read -r picture; read -r table; read -r loading; } <"$1"
                                   "$0" --csv "$table" "$picture" "$picture"
                                   "$0" --loading-table "$loading" "$picture")sh",
                        CENTRAFIX_CLI, list});
    ASSERT_TRUE(writer.waitForFinished(120000));
    ASSERT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    const auto contentOf = [](const QByteArray& path) {
        QFile file;
        const int fd = ::open(path.constData(), O_RDONLY);
        return fd >= 0 && file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle) ? file.readAll()
                                                                                           : QByteArray();
    };
    EXPECT_EQ(contentOf(table).count("\r\n"), 5) << "the header and two rows a picture";
    EXPECT_TRUE(contentOf(loading).startsWith("Eta\t"));
    struct stat info {};
    ASSERT_EQ(::stat(loading.constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u) << "the old file's permissions kept";
    EXPECT_EQ(EntriesOf(QFile::encodeName(dir.path())).size(), 4) << "nothing left beside them";
}

} // namespace
