#include "console.h"

#include <cstdio>
#include <string>

namespace centrafix {

void WriteStdout(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
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
