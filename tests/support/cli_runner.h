#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace centrafix::test {

// One run of the batch command as a user starts it.
struct CliOutcome {
    int exitCode = -1; // -1 when it crashed or did not finish
    QString out;
    QString err;
};

// Where standard output goes: read by the test, into a full disk, or into
// a pipe whose reader has gone before the first byte (`| head -0`).
enum class CliStdout { Read, FullDisk, ReaderGone };

// Limits the run is made under, as a full disk or a small machine sets them.
struct CliLimits {
    long long fileSizeBytes = -1;     // RLIMIT_FSIZE, with SIGXFSZ ignored so writes fail instead
    long long addressSpaceBytes = -1; // RLIMIT_AS
    CliStdout standardOutput = CliStdout::Read;
    int cpus = 0; // the processors the run may use; 0: all
};

// Whether a run can be given an address-space limit: the address sanitizer
// reserves terabytes of its own and cannot start under one.
inline constexpr bool kAddressLimitsWork =
#if defined(__SANITIZE_ADDRESS__)
    false;
#else
    true;
#endif

// Runs centrafix-cli with `arguments` under the locale `locale` (LC_ALL),
// without the environment variables named in `unset`.
CliOutcome RunCli(const QStringList& arguments, const QString& locale = QStringLiteral("C"), CliLimits limits = {},
                  const QStringList& unset = {});

// A file's bytes (empty when it cannot be read), and a file made of bytes
// (false when it cannot be written).
QByteArray ReadBytes(const QString& path);
bool WriteBytes(const QString& path, const QByteArray& bytes);

// The smallest address space in which `arguments` run to success, to the
// nearest 4 MB: what the program needs besides the picture's own memory.
long long SmallestAddressSpace(const QStringList& arguments);

} // namespace centrafix::test
