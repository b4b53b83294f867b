#pragma once

#include <cstdint>

namespace centrafix {

// How much of the x86 vector instructions this processor, and the operating
// system saving its wider registers, lets the program use, in the groups
// the vector code is built for. Each group includes the ones before it.
enum class X86Level {
    None,  // not x86, or older than SSSE3
    Ssse3, // SSE2, SSSE3
    Sse4,  // SSE4.1, SSE4.2, PCLMUL, AES
    Avx2,  // AVX, AVX2, BMI, BMI2, FMA, F16C, LZCNT
    Avx3,  // AVX-512 F, VL, DQ, BW
};

// What the level is read from: the processor's feature words (CPUID leaf 1
// ecx and edx, leaf 7 ebx, leaf 0x80000001 ecx) and the registers the
// operating system saves on a task switch (XGETBV 0; 0 when it says nothing).
struct X86Features {
    std::uint32_t basicC = 0;
    std::uint32_t basicD = 0;
    std::uint32_t extendedB = 0;
    std::uint32_t amdC = 0;
    std::uint64_t savedState = 0;
};

X86Level X86LevelOf(const X86Features& features);

// The level of the processor the program runs on.
X86Level X86LevelHere();

} // namespace centrafix
