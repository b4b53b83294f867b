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

// Runs centrafix-cli with `arguments` under the locale `locale` (LC_ALL).
CliOutcome RunCli(const QStringList& arguments, const QString& locale = QStringLiteral("C"));

} // namespace centrafix::test
