#pragma once

#include <QString>
#include <QStringList>

namespace centrafix::test {

// One run of the batch command as a user starts it.
struct CliOutcome {
    int exitCode = -1; // -1 when it crashed or did not finish
    QString out;
    QString err;
};

// Limits the run is made under, as a full disk or a small machine sets them.
struct CliLimits {
    long long fileSizeBytes = -1; // RLIMIT_FSIZE, with SIGXFSZ ignored so writes fail instead
    long long addressSpaceBytes = -1; // RLIMIT_AS
};

// Runs centrafix-cli with `arguments` under the locale `locale` (LC_ALL).
CliOutcome RunCli(const QStringList& arguments, const QString& locale = QStringLiteral("C"),
                  CliLimits limits = {});

} // namespace centrafix::test
