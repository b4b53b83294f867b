#pragma once

#include "engine/error.h"

#include <QByteArray>

#include <string_view>

namespace centrafix {

// Exit statuses besides 0: scripts tell a bad request from a picture too big
// for this machine.
inline constexpr int kBadInput = 2;
inline constexpr int kOutOfMemory = 1;

// Writes bytes to standard output as they are, with no newline conversion.
// Writes to standard output; false when not every byte got there (a full
// disk behind a redirection).
bool WriteStdout(std::string_view bytes);

// Why standard output could not be written, from the system's last error.
Error StandardOutputError();

// One line on standard error, after the command's name: the only shape in
// which anything reaches stderr.
void WriteErrorLine(std::string_view line);

// Shows the error in the user's language and gives `exitCode` back, so a
// failing step can end with `return ReportError(...)`.
int ReportError(const Error& error, int languageIndex, int exitCode = kBadInput);

} // namespace centrafix
