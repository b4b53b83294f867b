#include "worker_count.h"

#include <algorithm>
#include <fstream>
#include <string>

namespace centrafix {
namespace {

// "MemAvailable:   23456789 kB" from /proc/meminfo.
std::optional<std::int64_t> SystemAvailable()
{
    std::ifstream meminfo("/proc/meminfo");
    std::string key, unit;
    std::int64_t value = 0;
    while (meminfo >> key >> value >> unit) {
        if (key == "MemAvailable:")
            return value * 1024;
    }
    return std::nullopt;
}

// A single number from a control group file; nullopt for "max" or none.
std::optional<std::int64_t> CgroupValue(const char* file)
{
    std::ifstream in(std::string("/sys/fs/cgroup/") + file);
    std::int64_t value = 0;
    if (in >> value)
        return value;
    return std::nullopt;
}

} // namespace

int WorkerCount(int asked, int cores, std::int64_t availableBytes, int pictures)
{
    const int cpu = std::max(1, cores);
    const std::int64_t byMemory = std::max<std::int64_t>(1, availableBytes / kWorkerBaseBytes);
    const int wanted = asked > 0 ? asked : cpu;
    return static_cast<int>(std::max<std::int64_t>(1, std::min<std::int64_t>({wanted, cpu, byMemory, pictures})));
}

std::optional<std::int64_t> AvailableMemory()
{
    std::optional<std::int64_t> available = SystemAvailable();
    const std::optional<std::int64_t> limit = CgroupValue("memory.max");
    const std::optional<std::int64_t> used = CgroupValue("memory.current");
    if (limit && used) {
        const std::int64_t left = std::max<std::int64_t>(0, *limit - *used);
        available = available ? std::min(*available, left) : left;
    }
    return available;
}

} // namespace centrafix
