#include "x86_level.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

#include <cstdint>

namespace centrafix {

#if defined(__x86_64__) || defined(__i386__)
namespace {

struct Leaf {
    unsigned a = 0, b = 0, c = 0, d = 0;
};

Leaf Cpuid(unsigned leaf, unsigned subleaf = 0)
{
    Leaf r;
    if (!__get_cpuid_count(leaf, subleaf, &r.a, &r.b, &r.c, &r.d))
        return {};
    return r;
}

bool All(unsigned word, unsigned bits)
{
    return (word & bits) == bits;
}

// The register state the operating system saves on a task switch.
std::uint64_t SavedState()
{
    std::uint32_t low = 0, high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return std::uint64_t{high} << 32 | low;
}

constexpr unsigned kLzcnt = 1u << 5;            // leaf 0x80000001, ecx ("ABM")
constexpr std::uint64_t kYmmState = 0x6;        // SSE and AVX registers
constexpr std::uint64_t kZmmState = 0x6 | 0xE0; // and the AVX-512 ones

} // namespace

X86Level X86LevelHere()
{
    const Leaf one = Cpuid(1);
    if (!All(one.d, bit_SSE2) || !All(one.c, bit_SSSE3))
        return X86Level::None;
    if (!All(one.c, bit_SSE4_1 | bit_SSE4_2 | bit_PCLMUL | bit_AES))
        return X86Level::Ssse3;
    const Leaf seven = Cpuid(7);
    const Leaf extended = Cpuid(0x80000001);
    const std::uint64_t saved = All(one.c, bit_OSXSAVE) ? SavedState() : 0;
    if (!All(one.c, bit_AVX | bit_FMA | bit_F16C) || !All(seven.b, bit_AVX2 | bit_BMI | bit_BMI2) ||
        !All(extended.c, kLzcnt) || (saved & kYmmState) != kYmmState)
        return X86Level::Sse4;
    if (!All(seven.b, bit_AVX512F | bit_AVX512VL | bit_AVX512DQ | bit_AVX512BW) || (saved & kZmmState) != kZmmState)
        return X86Level::Avx2;
    return X86Level::Avx3;
}

#else

X86Level X86LevelHere()
{
    return X86Level::None;
}

#endif

} // namespace centrafix
