// What the batch command writes besides standard output: whole or not at all,
// and never in place of a special file.

#include "cli_runner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <future>
#include <sys/stat.h>
#include <tuple>

using centrafix::test::CliLimits;
using centrafix::test::ReadBytes;
using centrafix::test::RunCli;
using centrafix::test::SmallestAddressSpace;
using centrafix::test::WriteBytes;

namespace {

bool IsFifo(const QString& path)
{
    struct stat info {};
    return ::stat(path.toLocal8Bit().constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

TEST(BatchOutputFiles, AFullDiskLeavesTheOldFileAndSaysSo)
{
    QTemporaryDir dir;
    const QString table = dir.filePath("old.txt"), picture = dir.filePath("old.png"), chart = dir.filePath("old.svg");
    const QByteArray oldTable(1000, 't'), oldPicture(1000, 'p'), oldChart(1000, 'c');
    ASSERT_TRUE(WriteBytes(table, oldTable));
    ASSERT_TRUE(WriteBytes(picture, oldPicture));
    ASSERT_TRUE(WriteBytes(chart, oldChart));
    // 2 kB fit the old files, not the 60 kB table, the 4 kB annotated picture
    // or the chart's 100 kB and more.
    const CliLimits fullDisk{2000, -1};
    for (const auto& [option, path, old] :
         {std::tuple{"--loading-table", table, oldTable}, std::tuple{"--annotated", picture, oldPicture},
          std::tuple{"--chart", chart, oldChart}}) {
        SCOPED_TRACE(option);
        const auto o = RunCli({option, path}, "C", fullDisk);
        EXPECT_NE(o.exitCode, 0);
        EXPECT_TRUE(o.err.startsWith("centrafix-cli: " + path + ": cannot write")) << o.err.toStdString();
        EXPECT_EQ(o.err.trimmed().count('\n'), 0);
        EXPECT_EQ(ReadBytes(path), old) << "the old file byte for byte";
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3) << "no temporary file left behind";
    }
}

TEST(BatchOutputFiles, SpecialFilesAreWrittenIntoNeverReplaced)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("table.fifo");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    auto reader = std::async(std::launch::async, [&] { return ReadBytes(fifo); });
    const auto o = RunCli({"--loading-table", fifo});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_TRUE(reader.get().startsWith("Eta\tG(sin)"));
    EXPECT_TRUE(IsFifo(fifo)) << "still a FIFO";

    ASSERT_EQ(RunCli({"--loading-table", "/dev/null", "--annotated", "/dev/null"}).exitCode, 0);
    EXPECT_FALSE(QFileInfo("/dev/null").isFile()) << "still the system's device";
}

} // namespace

TEST(BatchOutputFiles, RunningOutOfMemoryIsOneLineNeverACrash)
{
    if (!centrafix::test::kAddressLimitsWork)
        GTEST_SKIP() << "the address sanitizer cannot run under an address-space limit";
    QTemporaryDir dir;
    const QString picture = dir.filePath("big.png"), annotated = dir.filePath("annotated.png");
    QImage big(2000, 2000, QImage::Format_RGB32); // 16 MB once decoded, 16 MB more to annotate
    big.fill(QColor(255, 0, 0));
    ASSERT_TRUE(big.save(picture));
    const QStringList run = {picture, "--annotated", annotated};
    const long long enough = SmallestAddressSpace(run);
    bool outOfMemorySaid = false;
    for (long long limit = enough - (48ll << 20); limit < enough; limit += 4ll << 20) {
        SCOPED_TRACE(limit >> 20);
        const auto o = RunCli(run, "C", CliLimits{-1, limit});
        ASSERT_GE(o.exitCode, 0) << "crashed: " << o.err.toStdString();
        constexpr int kNotStarted = 127; // the system could not even load the program
        if (o.exitCode == 0 || o.exitCode == kNotStarted)
            continue;
        EXPECT_EQ(o.err.trimmed().count('\n'), 0) << o.err.toStdString();
        EXPECT_TRUE(o.err.startsWith("centrafix-cli: ")) << o.exitCode << ": " << o.err.toStdString();
        outOfMemorySaid = outOfMemorySaid || (o.exitCode == 1 && o.err.contains("not enough memory"));
    }
    EXPECT_TRUE(outOfMemorySaid);
}
