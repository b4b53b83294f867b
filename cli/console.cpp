#include "console.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace centrafix {

namespace {

constexpr Message kCannotWriteOutput{"die Standardausgabe kann nicht geschrieben werden (%1)",
                                     "cannot write standard output (%1)"};

} // namespace

bool WriteStdout(std::string_view bytes)
{
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    return std::fflush(stdout) == 0 && written && !std::ferror(stdout);
}

Error StandardOutputError()
{
    return Described({}, kCannotWriteOutput, {std::string(std::strerror(errno != 0 ? errno : EIO))});
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
