#pragma once

#include <sys/resource.h>

#include <cstdint>
#include <fstream>
#include <string>

namespace centrafix::test {

// While it lives, the process may map only `headroom` bytes more than it
// has now: a machine about to run out of memory, made on purpose. The
// address sanitizer reserves terabytes of its own and cannot run under it.
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(std::uint64_t headroom)
    {
        getrlimit(RLIMIT_AS, &m_old);
        const rlimit limit{static_cast<rlim_t>(MappedBytes() + headroom), m_old.rlim_max};
        setrlimit(RLIMIT_AS, &limit);
    }
    ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &m_old); }
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

    static constexpr bool kAvailable =
#if defined(__SANITIZE_ADDRESS__)
        false;
#else
        true;
#endif

private:
    static std::uint64_t MappedBytes()
    {
        std::ifstream status("/proc/self/status");
        for (std::string line; std::getline(status, line);) {
            if (line.rfind("VmSize:", 0) == 0)
                return std::stoull(line.substr(7)) * 1024;
        }
        return 0;
    }

    rlimit m_old{};
};

} // namespace centrafix::test
