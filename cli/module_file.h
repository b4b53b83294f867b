#pragma once

#include "engine/error.h"

#include <QString>

#include <optional>

namespace centrafix {

// What keeps the shared object at `path` from being loaded safely: the
// system maps the parts its program headers name, and a part that lies
// beyond the end of a file cut short (an interrupted copy or install) kills
// the process with SIGBUS on first use instead of failing to load. Read from
// the file before it is mapped; nullopt when every part is there.
std::optional<ErrorArg> ModuleFileProblem(const QString& path);

} // namespace centrafix
