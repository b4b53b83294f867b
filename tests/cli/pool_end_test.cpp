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
    shell.start("bash",
                QStringList{"-c", R"("$0" "$@" | head -c 200 >/dev/null; exit "${PIPESTATUS[0]}")", CENTRAFIX_CLI} +
                    arguments);
    shell.waitForFinished(120000);
    return {shell.exitStatus() == QProcess::NormalExit ? shell.exitCode() : -1,
            {},
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
    EXPECT_EQ(german.err,
              "centrafix-cli: die Standardausgabe kann nicht geschrieben werden "
              "(kein Platz mehr auf dem Datenträger)\n");
}

// The children of process `pid`, from every one of its threads.
QList<pid_t> ChildrenOf(qint64 pid)
{
    QList<pid_t> children;
    for (const QString& task :
         QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile list(QStringLiteral("/proc/%1/task/%2/children").arg(pid).arg(task));
        if (list.open(QIODevice::ReadOnly))
            for (const QByteArray& child : list.readAll().split(' '))
                if (child.trimmed().toInt() > 0)
                    children << child.trimmed().toInt();
    }
    return children;
}

// A run of many pictures whose workers are killed half way, after the
// program file was removed (an upgrade during a long run) or with it still
// there. `told` holds the pictures printed, then those named on stderr,
// each in the order given.
struct KilledWorker {
    bool ended = false;
    int exitCode = -1;
    QStringList told;
    QStringList stderrLines;
};

KilledWorker KillTheWorkers(const QTemporaryDir& dir, const QStringList& many, int jobs, bool removeProgram)
{
    std::signal(SIGPIPE, SIG_IGN);
    KilledWorker result;
    const QString program = dir.filePath("centrafix-cli"), fifo = dir.filePath("out.fifo");
    const QString errors = dir.filePath("err.txt");
    QFile::remove(fifo);
    if (!QFile::exists(program) && !QFile::copy(CENTRAFIX_CLI, program))
        return result;
    // The test reads standard output only once the worker is dead; the
    // run's output fills the pipe long before the last picture.
    if (::mkfifo(fifo.toLocal8Bit().constData(), 0600) != 0)
        return result;
    const int reader = ::open(fifo.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
    ::fcntl(reader, F_SETFL, 0); // reads wait from here on
    QProcess run;
    run.setStandardOutputFile(fifo);
    run.setStandardErrorFile(errors);
    run.start(program, QStringList{"-j", QString::number(jobs)} + many);
    char first = 0;
    if (!run.waitForStarted() || ::read(reader, &first, 1) != 1) // a picture is done: its worker runs
        return result;
    if (removeProgram)
        QFile::remove(program);
    const QList<pid_t> workers = ChildrenOf(run.processId());
    EXPECT_GE(workers.size(), 1);
    for (const pid_t worker : workers)
        ::kill(worker, SIGKILL);
    QByteArray out(1, first);
    std::thread drain([&] {
        char buffer[65536];
        for (ssize_t got; (got = ::read(reader, buffer, sizeof buffer)) > 0;)
            out.append(buffer, got);
    });
    result.ended = run.waitForFinished(60000);
    if (!result.ended) {
        run.kill();
        run.waitForFinished();
    }
    drain.join();
    ::close(reader);
    result.exitCode = run.exitCode();
    for (const QString& line : QString::fromUtf8(out).split("\r\n"))
        if (line.endsWith(".png"))
            result.told << line;
    QFile said(errors);
    if (said.open(QIODevice::ReadOnly))
        result.stderrLines = QString::fromUtf8(said.readAll()).split('\n', Qt::SkipEmptyParts);
    // A machine of one core takes one worker, and says so.
    result.stderrLines.removeIf([](const QString& line) { return line.startsWith("centrafix-cli: --jobs "); });
    for (const QString& line : std::as_const(result.stderrLines)) {
        const QRegularExpressionMatch m =
            QRegularExpression("^centrafix-cli: (?:the analysis of )?(\\S+\\.png)(:| stopped unexpectedly$)")
                .match(line);
        EXPECT_TRUE(m.hasMatch()) << line.toStdString();
        result.told << m.captured(1);
    }
    return result;
}

// Every picture either printed or named, once.
void ExpectEachTold(QStringList told, const QStringList& given)
{
    told.sort();
    EXPECT_EQ(told.join('\n').toStdString(), given.join('\n').toStdString());
}

TEST_F(PoolEnd, AWorkerThatDiesIsReplacedAndOneThatCannotBeEndsTheRunNamingWhatIsLeft)
{
    // Many more pictures than standard output holds unread.
    QStringList many;
    for (int i = 0; i < 400; ++i) {
        many << dir.filePath(QStringLiteral("n%1.png").arg(i, 3, 10, QLatin1Char('0')));
        ASSERT_TRUE(QFile::link(pictures[1], many.last()));
    }
    const KilledWorker replaced = KillTheWorkers(dir, many, 1, false);
    ASSERT_TRUE(replaced.ended);
    EXPECT_EQ(replaced.exitCode, 1);
    ExpectEachTold(replaced.told, many);
    ASSERT_EQ(replaced.stderrLines.size(), 1) << "only the killed worker's picture";
    EXPECT_TRUE(replaced.stderrLines.front().endsWith(" stopped unexpectedly"));

    const KilledWorker upgraded = KillTheWorkers(dir, many, 2, true);
    ASSERT_TRUE(upgraded.ended) << "the run ends instead of waiting for ever";
    EXPECT_EQ(upgraded.exitCode, 1);
    ExpectEachTold(upgraded.told, many);
    EXPECT_LT(upgraded.told.size() - upgraded.stderrLines.size(), many.size()) << "some printed";
    EXPECT_GE(upgraded.stderrLines.filter(": not analyzed: no worker process could be started any more (").size(), 1);
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
