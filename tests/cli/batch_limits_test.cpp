// Input without end and files cut short end in one line and a status,
// never in an abort or a signal: a list of pictures has a stated size, a
// chart module cut short is refused before it is loaded, a file-size limit
// is told as such.

#include "cli_runner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using centrafix::test::CliLimits;
using centrafix::test::CliOutcome;
using centrafix::test::RunCli;
using centrafix::test::WriteBytes;

namespace {

// Writes `line` into the FIFO at `path` over and over until its reader goes,
// as `yes LINE >path` does.
std::thread EndlessWriter(const QString& path, QByteArray line)
{
    return std::thread([path, line] {
        const int fd = ::open(path.toLocal8Bit().constData(), O_WRONLY);
        const QByteArray block = line.repeated(std::max<qsizetype>(1, 65536 / line.size()));
        while (fd >= 0 && ::write(fd, block.constData(), static_cast<size_t>(block.size())) > 0) {
        }
        if (fd >= 0)
            ::close(fd);
    });
}

TEST(BatchLimits, AListWithoutEndStopsAtItsStatedSize)
{
    std::signal(SIGPIPE, SIG_IGN);
    const CliOutcome zeros = RunCli({"--files-from", "/dev/zero"});
    EXPECT_EQ(zeros.exitCode, 2);
    EXPECT_EQ(zeros.err, "centrafix-cli: /dev/zero: line 1 of the list of pictures is longer than 4096 bytes\n");

    QTemporaryDir dir;
    const QString fifo = dir.filePath("list.fifo");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    for (const auto& [line, says] :
         {std::pair{QByteArray("a.png\n"), QString("centrafix-cli: more than 1000000 pictures in one run\n")},
          std::pair{QByteArray(4000, 'x') + "\n",
                    "centrafix-cli: " + fifo + ": the list of pictures is larger than 64 MiB\n"}}) {
        std::thread writer = EndlessWriter(fifo, line);
        const CliOutcome endless = RunCli({"--files-from", fifo});
        writer.join();
        EXPECT_EQ(endless.exitCode, 2);
        EXPECT_EQ(endless.err, says);
        EXPECT_EQ(endless.out, "");
    }
    // Up to the limit a line is a name, with or without CR LF after it.
    const QString list = dir.filePath("list.txt");
    const QByteArray longest = "/" + QByteArray(4095, 'y');
    for (const QByteArray& ending : {QByteArray("\r\n"), QByteArray("\n"), QByteArray()}) {
        ASSERT_TRUE(WriteBytes(list, longest + ending));
        const CliOutcome o = RunCli({"--files-from", list});
        EXPECT_EQ(o.exitCode, 2);
        EXPECT_TRUE(o.err.startsWith("centrafix-cli: /yyy")) << o.err.toStdString();
        EXPECT_FALSE(o.err.contains("list")) << o.err.toStdString();
    }
    ASSERT_TRUE(WriteBytes(list, "a.png\n" + longest + "z\n"));
    EXPECT_EQ(RunCli({"--language", "de", "--files-from", list}).err,
              "centrafix-cli: " + list + ": Zeile 2 der Liste der Bilder ist länger als 4096 Bytes\n");
}

// An interrupted install leaves the chart module cut short; the system would
// map it and the program die of SIGBUS on its first call.
TEST(BatchLimits, AChartModuleCutShortIsRefusedBeforeItIsLoaded)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("bin") && QDir(dir.path()).mkpath("lib/centrafix/modules"));
    const QString program = dir.filePath("bin/centrafix-cli");
    const QString module = dir.filePath("lib/centrafix/modules/centrafix-chart-writer.so");
    ASSERT_TRUE(QFile::copy(CENTRAFIX_CLI, program));
    QFile whole(CENTRAFIX_BUILD_DIR "/lib/centrafix/modules/centrafix-chart-writer.so");
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    const QString chart = dir.filePath("chart.png");
    // Cut in its headers, in its code and further on, all before its last
    // loaded byte (beyond 70 kB in every build); a file that is no library.
    for (const QByteArray& cut : {bytes.left(100), bytes.left(20000), bytes.left(60000), QByteArray("#!/bin/sh\n")}) {
        SCOPED_TRACE(cut.size());
        ASSERT_TRUE(WriteBytes(module, cut));
        QProcess run;
        run.start(program, {"--chart", chart});
        ASSERT_TRUE(run.waitForFinished(60000));
        EXPECT_EQ(run.exitStatus(), QProcess::NormalExit) << "no signal";
        EXPECT_EQ(run.exitCode(), 2);
        const QString err = QString::fromUtf8(run.readAllStandardError());
        EXPECT_TRUE(err.startsWith("centrafix-cli: " + module + ": the module that writes charts cannot be loaded ("))
            << err.toStdString();
        EXPECT_EQ(err.count('\n'), 1);
        EXPECT_FALSE(QFile::exists(chart));
    }
    // Whole again, it draws.
    ASSERT_TRUE(WriteBytes(module, bytes));
    QProcess run;
    run.start(program, {"--chart", chart});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    EXPECT_TRUE(QImage(chart).width() > 0);
}

TEST(BatchLimits, AFileSizeLimitIsToldAsSuchInTheUsersLanguage)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath("p.png"), table = dir.filePath("t.csv"), loading = dir.filePath("l.txt");
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(picture));
    const CliLimits limit{.fileSizeBytes = 600};
    const CliOutcome csv = RunCli({"--csv", table, picture, picture, picture}, "C", limit);
    EXPECT_EQ(csv.exitCode, 2);
    EXPECT_EQ(csv.err, "centrafix-cli: " + table + ": cannot write the CSV table (file too large)\n");
    const CliOutcome german = RunCli({"--language", "de", "--loading-table", loading, picture}, "C", limit);
    EXPECT_EQ(german.exitCode, 2);
    EXPECT_EQ(german.err, "centrafix-cli: " + loading +
                              ": die Tabelle der Auftriebsverteilung kann nicht geschrieben werden (Datei zu groß)\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"p.png"}) << "nothing half written";
}

} // namespace
