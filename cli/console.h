#pragma once

#include "engine/error.h"

#include <QByteArray>

#include <optional>
#include <string_view>

namespace centrafix {

// Exit statuses besides 0: scripts tell a bad request from a run this
// machine could not finish (memory, a full disk behind standard output, a
// worker that died).
inline constexpr int kBadInput = 2;
inline constexpr int kOutOfMemory = 1;
inline constexpr int kCouldNotFinish = kOutOfMemory;

// Writes bytes to standard output as they are, with no newline conversion.
// An error when not every byte got there: a full disk behind a redirection,
// or a reader that has stopped reading (kind OutputClosed).
std::optional<Error> WriteStdout(std::string_view bytes);

// How a run ends when standard output failed with `failure`: quietly with
// `status` when the reader went away (`| head`), as every other tool of a
// pipe does, else with the one line saying why and status 1.
int EndAfterStdoutFailure(const Error& failure, int languageIndex, int status);

// One line on standard error, after the command's name: the only shape in
// which anything reaches stderr.
void WriteErrorLine(std::string_view line);

// Shows the error in the user's language and gives `exitCode` back, so a
// failing step can end with `return ReportError(...)`.
int ReportError(const Error& error, int languageIndex, int exitCode = kBadInput);

} // namespace centrafix
