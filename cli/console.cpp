#include "console.h"

#include "picture/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <string>

namespace centrafix {

namespace {

constexpr Message kCannotWriteOutput{"die Standardausgabe kann nicht geschrieben werden (%1)",
                                     "cannot write standard output (%1)"};

// The error of the last failed write to standard output; later calls of
// the C library may change errno before it is told.
int g_stdoutError = 0;

} // namespace

bool WriteStdout(std::string_view bytes)
{
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    const bool flushed = std::fflush(stdout) == 0;
    if (written && flushed && !std::ferror(stdout))
        return true;
    g_stdoutError = errno != 0 ? errno : EIO;
    return false;
}

bool StdoutReaderGone()
{
    return g_stdoutError == EPIPE;
}

Error StandardOutputError()
{
    return Described({}, kCannotWriteOutput, {SystemReason(g_stdoutError != 0 ? g_stdoutError : EIO)});
}

int EndAfterStdoutFailure(int languageIndex, int status)
{
    if (StdoutReaderGone())
        return status;
    return ReportError(StandardOutputError(), languageIndex, kCouldNotFinish);
}

void WriteErrorLine(std::string_view line)
{
    const std::string text = "centrafix-cli: " + std::string(line) + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

int ReportError(const Error& error, int languageIndex, int exitCode)
{
    WriteErrorLine(ErrorText(error, languageIndex));
    return exitCode;
}

} // namespace centrafix
