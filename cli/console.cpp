#include "console.h"

#include "picture/files/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <string>

namespace centrafix {

namespace {

constexpr Message kCannotWriteOutput{"die Standardausgabe kann nicht geschrieben werden (%1)",
                                     "cannot write standard output (%1)"};

} // namespace

std::optional<Error> WriteStdout(std::string_view bytes)
{
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    const bool flushed = std::fflush(stdout) == 0;
    if (written && flushed && !std::ferror(stdout))
        return std::nullopt;
    // Taken at once: later calls of the C library may change errno.
    const int cause = errno != 0 ? errno : EIO;
    Error error = Described({}, kCannotWriteOutput, {SystemReason(cause)});
    if (cause == EPIPE)
        error.kind = ErrorKind::OutputClosed;
    return error;
}

int EndAfterStdoutFailure(const Error& failure, int languageIndex, int status)
{
    if (failure.kind == ErrorKind::OutputClosed)
        return status;
    return ReportError(failure, languageIndex, kCouldNotFinish);
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
