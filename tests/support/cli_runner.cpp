#include "cli_runner.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <csignal>
#include <sys/resource.h>

namespace centrafix::test {

CliOutcome RunCli(const QStringList& arguments, const QString& locale, CliLimits limits)
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
    });
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), locale);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(CENTRAFIX_CLI), arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace centrafix::test
