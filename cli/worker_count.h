#pragma once

#include <cstdint>
#include <optional>

namespace centrafix {

// What one worker process takes before its picture: the program, Qt and the
// decoders (25 MB measured with a small picture), rounded up.
inline constexpr std::int64_t kWorkerBaseBytes = 32ll << 20;

// How many workers a run of `pictures` pictures starts: the number asked for
// (0: one per core), but no more than one per core, one per kWorkerBaseBytes
// of `availableBytes` and one per picture, and at least one. More workers
// than cores only take turns on them and more than memory holds make the
// machine swap or fail pictures that would pass; fewer never fail a run.
int WorkerCount(int asked, int cores, std::int64_t availableBytes, int pictures);

// The memory this process may still use: the system's available memory,
// within the limit of its control group where one is set; nullopt when the
// system does not say.
std::optional<std::int64_t> AvailableMemory();

} // namespace centrafix
