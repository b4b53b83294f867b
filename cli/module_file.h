#pragma once

#include "engine/error.h"

#include <QString>

#include <optional>

namespace centrafix {

// Whether the shared object at `path` can be loaded safely: the system maps
// the parts its program headers name, and a part that lies beyond the end of
// a file cut short (an interrupted copy or install) kills the process with
// SIGBUS on first use instead of failing to load. Read from the file before
// it is mapped; nullopt when every part is there, else an error naming the
// file with `cannotLoad`, whose %1 says what keeps it from loading.
std::optional<Error> CheckModuleFile(const QString& path, const Message& cannotLoad);

} // namespace centrafix
