#include "cli_runner.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <csignal>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

namespace centrafix::test {

CliOutcome RunCli(const QStringList& arguments, const QString& locale, CliLimits limits, const QStringList& unset)
{
    QProcess process;
    process.setChildProcessModifier([limits] {
        if (limits.fileSizeBytes >= 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit size{static_cast<rlim_t>(limits.fileSizeBytes), static_cast<rlim_t>(limits.fileSizeBytes)};
            setrlimit(RLIMIT_FSIZE, &size);
        }
        if (limits.addressSpaceBytes >= 0) {
            const rlimit space{static_cast<rlim_t>(limits.addressSpaceBytes),
                               static_cast<rlim_t>(limits.addressSpaceBytes)};
            setrlimit(RLIMIT_AS, &space);
        }
        if (limits.standardOutput == CliStdout::ReaderGone) {
            int ends[2];
            if (::pipe(ends) == 0) {
                ::close(ends[0]);
                ::dup2(ends[1], STDOUT_FILENO);
                ::close(ends[1]);
            }
        }
        if (limits.cpus > 0) {
            cpu_set_t set;
            CPU_ZERO(&set);
            for (int cpu = 0; cpu < limits.cpus; ++cpu)
                CPU_SET(cpu, &set);
            sched_setaffinity(0, sizeof set, &set);
        }
    });
    if (limits.standardOutput == CliStdout::FullDisk)
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), locale);
    for (const QString& name : unset)
        env.remove(name);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(CENTRAFIX_CLI), arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

long long SmallestAddressSpace(const QStringList& arguments)
{
    long long fails = 64ll << 20, works = 2ll << 30;
    while (works - fails > (4ll << 20)) {
        const long long middle = (fails + works) / 2;
        (RunCli(arguments, "C", CliLimits{-1, middle}).exitCode == 0 ? works : fails) = middle;
    }
    return works;
}

} // namespace centrafix::test
