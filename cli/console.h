#pragma once

#include "engine/error.h"

#include <QByteArray>

#include <string_view>

namespace centrafix {

// Exit statuses besides 0: scripts tell a bad request from a run this
// machine could not finish (memory, a full disk behind standard output, a
// worker that died).
inline constexpr int kBadInput = 2;
inline constexpr int kOutOfMemory = 1;
inline constexpr int kCouldNotFinish = kOutOfMemory;

// Writes bytes to standard output as they are, with no newline conversion.
// False when not every byte got there: a full disk behind a redirection, or
// a reader that has stopped reading.
bool WriteStdout(std::string_view bytes);

// After WriteStdout failed: whether it was because the reader went away
// (`| head`), which ends a run quietly, as every other tool of a pipe does.
bool StdoutReaderGone();

// Why standard output could not be written, from the failed write's error.
Error StandardOutputError();

// How a run ends when standard output failed: quietly with `status` when
// the reader went away, else with the one line saying why and status 1.
int EndAfterStdoutFailure(int languageIndex, int status);

// One line on standard error, after the command's name: the only shape in
// which anything reaches stderr.
void WriteErrorLine(std::string_view line);

// Shows the error in the user's language and gives `exitCode` back, so a
// failing step can end with `return ReportError(...)`.
int ReportError(const Error& error, int languageIndex, int exitCode = kBadInput);

} // namespace centrafix
