#include "x86_level.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace centrafix {
namespace {

// Feature bits, as the processor manuals number them.
constexpr std::uint32_t kSse2 = 1u << 26;                                    // leaf 1, edx
constexpr std::uint32_t kSsse3 = 1u << 9;                                    // leaf 1, ecx
constexpr std::uint32_t kSse4 = 1u << 19 | 1u << 20 | 1u << 1 | 1u << 25;    // SSE4.1, SSE4.2, PCLMUL, AES
constexpr std::uint32_t kOsSaves = 1u << 27;                                 // leaf 1, ecx: OSXSAVE
constexpr std::uint32_t kAvx = 1u << 28 | 1u << 12 | 1u << 29;               // leaf 1, ecx: AVX, FMA, F16C
constexpr std::uint32_t kAvx2 = 1u << 5 | 1u << 3 | 1u << 8;                 // leaf 7, ebx: AVX2, BMI, BMI2
constexpr std::uint32_t kLzcnt = 1u << 5;                                    // leaf 0x80000001, ecx ("ABM")
constexpr std::uint32_t kAvx512 = 1u << 16 | 1u << 31 | 1u << 17 | 1u << 30; // leaf 7, ebx: F, VL, DQ, BW
constexpr std::uint64_t kYmmState = 0x6;                                     // SSE and AVX registers
constexpr std::uint64_t kZmmState = 0x6 | 0xE0;                              // and the AVX-512 ones

bool All(std::uint64_t word, std::uint64_t bits)
{
    return (word & bits) == bits;
}

} // namespace

X86Level X86LevelOf(const X86Features& f)
{
    if (!All(f.basicD, kSse2) || !All(f.basicC, kSsse3))
        return X86Level::None;
    if (!All(f.basicC, kSse4))
        return X86Level::Ssse3;
    const std::uint64_t saved = All(f.basicC, kOsSaves) ? f.savedState : 0;
    if (!All(f.basicC, kAvx) || !All(f.extendedB, kAvx2) || !All(f.amdC, kLzcnt) || !All(saved, kYmmState))
        return X86Level::Sse4;
    if (!All(f.extendedB, kAvx512) || !All(saved, kZmmState))
        return X86Level::Avx2;
    return X86Level::Avx3;
}

#if defined(__x86_64__) || defined(__i386__)

X86Level X86LevelHere()
{
    X86Features f;
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (__get_cpuid_count(1, 0, &a, &b, &c, &d)) {
        f.basicC = c;
        f.basicD = d;
    }
    if (__get_cpuid_count(7, 0, &a, &b, &c, &d))
        f.extendedB = b;
    if (__get_cpuid_count(0x80000001, 0, &a, &b, &c, &d))
        f.amdC = c;
    if (All(f.basicC, kOsSaves)) {
        std::uint32_t low = 0, high = 0;
        __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
        f.savedState = std::uint64_t{high} << 32 | low;
    }
    return X86LevelOf(f);
}

#else

X86Level X86LevelHere()
{
    return X86Level::None;
}

#endif

} // namespace centrafix
