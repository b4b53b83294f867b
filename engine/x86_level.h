#pragma once

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

X86Level X86LevelHere();

} // namespace centrafix
