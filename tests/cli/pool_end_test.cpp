// How a run ends when it cannot go on as asked: its reader has gone, the
// disk behind standard output is full, a worker dies and no other can be
// started, more workers are asked for than the machine holds. Always a
// clean end (no crash, no picture blamed for what it did not do) and a
// status that says what happened.

#include "cli_runner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using centrafix::test::CliLimits;
using centrafix::test::CliOutcome;
using centrafix::test::CliStdout;
using centrafix::test::RunCli;

namespace {

class PoolEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Slow and quick pictures in turn, so that workers are busy whenever
        // output stops.
        for (int i = 0; i < 8; ++i) {
            const int side = i % 3 == 0 ? 900 : 40;
            QImage image(side, side, QImage::Format_RGB32);
            image.fill(i % 2 == 0 ? Qt::red : Qt::blue);
            const QString path = dir.filePath(QStringLiteral("p%1.png").arg(i));
            ASSERT_TRUE(image.save(path));
            pictures << path;
        }
        pictures += pictures;
    }

    QTemporaryDir dir;
    QStringList pictures;
};

// `arguments` with standard output into `head -c 200`, which reads a little
// and then goes: the exit status is the batch command's, not head's.
CliOutcome RunIntoHead(const QStringList& arguments)
{
    QProcess shell;
    shell.start("bash", QStringList{"-c", R"("$0" "$@" | head -c 200 >/dev/null; exit "${PIPESTATUS[0]}")", CENTRAFIX_CLI} +
                            arguments);
    shell.waitForFinished(120000);
    return {shell.exitStatus() == QProcess::NormalExit ? shell.exitCode() : -1, {},
            QString::fromUtf8(shell.readAllStandardError())};
}

TEST_F(PoolEnd, AReaderThatGoesEndsTheRunQuietlyWithoutACrash)
{
    const CliLimits readerGone{.standardOutput = CliStdout::ReaderGone};
    for (const QStringList& format : {QStringList{}, QStringList{"--json"}, QStringList{"--csv", "-"}}) {
        SCOPED_TRACE(format.join(' ').toStdString());
        for (int round = 0; round < 3; ++round) {
            const CliOutcome gone = RunCli(format + QStringList{"-j", "2"} + pictures, "C", readerGone);
            EXPECT_EQ(gone.exitCode, 0) << gone.err.toStdString();
            EXPECT_EQ(gone.err, "") << "nothing blamed on a picture, no remark";
            const CliOutcome head = RunIntoHead(format + QStringList{"-j", "2"} + pictures);
            EXPECT_EQ(head.exitCode, 0) << head.err.toStdString();
            EXPECT_EQ(head.err, "");
        }
    }
    // One picture, the loading table on standard output included: no SIGPIPE.
    for (const QStringList& single : {QStringList{pictures[1]}, QStringList{"--json", pictures[1]},
                                      QStringList{"--loading-table", "-", pictures[0]}}) {
        SCOPED_TRACE(single.join(' ').toStdString());
        const CliOutcome gone = RunCli(single, "C", readerGone);
        EXPECT_EQ(gone.exitCode, 0);
        EXPECT_EQ(gone.err, "");
        EXPECT_EQ(RunIntoHead(single).exitCode, 0);
    }
    // A picture refused before the reader went still counts.
    const QString empty = dir.filePath("empty.png");
    QFile(empty).open(QIODevice::WriteOnly);
    const CliOutcome refused = RunCli({"-j", "1", empty, pictures[1], pictures[1]}, "C", readerGone);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err, "centrafix-cli: " + empty + ": the file is empty\n");
}

TEST_F(PoolEnd, AFullDiskIsOneLineInTheUsersLanguageAndStatusOne)
{
    const CliLimits full{.standardOutput = CliStdout::FullDisk};
    for (int round = 0; round < 3; ++round) {
        for (const QStringList& format : {QStringList{}, QStringList{"--json"}, QStringList{"--csv", "-"}}) {
            const CliOutcome o = RunCli(format + QStringList{"-j", "2"} + pictures, "C", full);
            EXPECT_EQ(o.exitCode, 1) << o.err.toStdString();
            EXPECT_EQ(o.err, "centrafix-cli: cannot write standard output (no space left on the disk)\n");
        }
    }
    const CliOutcome german = RunCli({"--language", "de", pictures[1]}, "C", full);
    EXPECT_EQ(german.exitCode, 1);
    EXPECT_EQ(german.err, "centrafix-cli: die Standardausgabe kann nicht geschrieben werden "
                          "(kein Platz mehr auf dem Datenträger)\n");
}

// The children of process `pid`, from every one of its threads.
QList<pid_t> ChildrenOf(qint64 pid)
{
    QList<pid_t> children;
    for (const QString& task : QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile list(QStringLiteral("/proc/%1/task/%2/children").arg(pid).arg(task));
        if (list.open(QIODevice::ReadOnly))
            for (const QByteArray& child : list.readAll().split(' '))
                if (child.trimmed().toInt() > 0)
                    children << child.trimmed().toInt();
    }
    return children;
}

// An upgrade during a long run: the program file is removed, then its
// worker dies. No other can be started, and the run ends naming every
// picture it did not do, instead of waiting for ever.
TEST_F(PoolEnd, AWorkerThatCannotBeStartedAgainEndsTheRunNamingWhatIsLeft)
{
    std::signal(SIGPIPE, SIG_IGN);
    const QString program = dir.filePath("centrafix-cli");
    ASSERT_TRUE(QFile::copy(CENTRAFIX_CLI, program));
    // Many more pictures than standard output holds unread, so the run
    // cannot end before the test lets it.
    QStringList many;
    for (int i = 0; i < 400; ++i) {
        many << dir.filePath(QStringLiteral("n%1.png").arg(i, 3, 10, QLatin1Char('0')));
        ASSERT_TRUE(QFile::link(pictures[1], many.last()));
    }
    const QString fifo = dir.filePath("out.fifo"), errors = dir.filePath("err.txt");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const int reader = ::open(fifo.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ASSERT_EQ(::fcntl(reader, F_SETFL, 0), 0); // reads wait from here on

    QProcess run;
    run.setStandardOutputFile(fifo);
    run.setStandardErrorFile(errors);
    run.start(program, QStringList{"-j", "1"} + many);
    ASSERT_TRUE(run.waitForStarted());
    char first = 0;
    ASSERT_EQ(::read(reader, &first, 1), 1) << "a picture is done, so its worker runs";
    ASSERT_TRUE(QFile::remove(program));
    const QList<pid_t> workers = ChildrenOf(run.processId());
    ASSERT_EQ(workers.size(), 1);
    ASSERT_EQ(::kill(workers.front(), SIGKILL), 0);

    QByteArray out(1, first);
    std::thread drain([&] {
        char buffer[65536];
        for (ssize_t got; (got = ::read(reader, buffer, sizeof buffer)) > 0;)
            out.append(buffer, got);
    });
    const bool ended = run.waitForFinished(60000);
    if (!ended) {
        run.kill();
        run.waitForFinished();
    }
    drain.join();
    ::close(reader);
    ASSERT_TRUE(ended) << "the run ends";
    EXPECT_EQ(run.exitCode(), 1);

    QFile errorFile(errors);
    ASSERT_TRUE(errorFile.open(QIODevice::ReadOnly));
    const QStringList said = QString::fromUtf8(errorFile.readAll()).split('\n', Qt::SkipEmptyParts);
    // Every picture is either printed or named on stderr, once and in order.
    QStringList told;
    for (const QString& line : QString::fromUtf8(out).split("\r\n"))
        if (line.endsWith(".png"))
            told << line;
    const qsizetype done = told.size();
    EXPECT_GE(done, 1);
    ASSERT_LT(done, many.size());
    int notAnalysed = 0;
    for (const QString& line : said) {
        const QRegularExpressionMatch m =
            QRegularExpression("^centrafix-cli: (?:the analysis of )?(\\S+\\.png)(:| stopped unexpectedly$)").match(line);
        ASSERT_TRUE(m.hasMatch()) << line.toStdString();
        told << m.captured(1);
        notAnalysed += line.contains(": not analysed: no worker process could be started any more (") ? 1 : 0;
    }
    EXPECT_EQ(told, many);
    EXPECT_GE(notAnalysed, 1);
}

TEST_F(PoolEnd, MoreJobsThanCoresAreLoweredWithANoteAndTheRunGoesOn)
{
    const QStringList three = pictures.mid(0, 3);
    const CliOutcome o = RunCli(QStringList{"--json", "-j", "1024"} + three, "C", CliLimits{.cpus = 1});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_TRUE(o.err.startsWith("centrafix-cli: --jobs 1024 lowered to 1 (cores: 1, memory available: "))
        << o.err.toStdString();
    EXPECT_EQ(o.err.count('\n'), 1);
    EXPECT_EQ(o.out.count('\n'), 3) << "every picture analysed";
    // What the machine holds gets no note.
    EXPECT_EQ(RunCli(QStringList{"-j", "1"} + three, "C", CliLimits{.cpus = 1}).err, "");
}

} // namespace
