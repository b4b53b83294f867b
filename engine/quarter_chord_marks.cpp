#include "quarter_chord_marks.h"

#include <cstdlib>
#include <new>

#include <sys/mman.h>

namespace centrafix {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

} // namespace

void MarksMemoryFree::operator()(std::uint8_t* p) const
{
    if (mapping)
        munmap(mapping, length);
    else
        std::free(p);
}

std::unique_ptr<std::uint8_t[], QuarterChordMarks::Free> QuarterChordMarks::allocate(std::size_t bytes)
{
    if (bytes == 0)
        return {};
    if (bytes < 4 * kHugePage) {
        auto* p = static_cast<std::uint8_t*>(std::calloc(bytes, 1));
        if (!p)
            throw std::bad_alloc();
        return std::unique_ptr<std::uint8_t[], Free>(p);
    }
    // One huge page more than asked for, so the canvas can start at a
    // huge-page boundary. Fresh anonymous memory reads as zeros.
    const std::size_t length = bytes + kHugePage;
    void* mapping = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED)
        throw std::bad_alloc();
    const auto address = reinterpret_cast<std::uintptr_t>(mapping);
    auto* cells = reinterpret_cast<std::uint8_t*>((address + kHugePage - 1) & ~(kHugePage - 1));
    madvise(cells, bytes & ~(kHugePage - 1), MADV_HUGEPAGE); // a hint: without it, small pages
    return std::unique_ptr<std::uint8_t[], Free>(cells, Free{mapping, length});
}

} // namespace centrafix
