#pragma once

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

namespace centrafix {

// Runs strip(k) for k = 0 .. count - 1, all but the first on threads of
// their own.
template <class Strip>
void RunStrips(int count, const Strip& strip)
{
    std::vector<std::jthread> workers;
    workers.reserve(static_cast<std::size_t>(count - 1));
    for (int k = 1; k < count; ++k) {
        try {
            workers.emplace_back(strip, k);
        } catch (const std::system_error&) {
            // A machine short of memory may refuse a thread its stack; the
            // strip is then swept here, the result is the same.
            strip(k);
        }
    }
    strip(0);
}

// The threads a run uses: `requested`, or one per core when 0, never more than
// the rows allow.
inline int EffectiveThreads(int requested, int rows)
{
    int threads = requested > 0 ? requested : static_cast<int>(std::thread::hardware_concurrency());
    threads = std::max(1, threads);
    // Strips of fewer than 64 rows are not worth a thread.
    return std::max(1, std::min(threads, rows / 64));
}

} // namespace centrafix
