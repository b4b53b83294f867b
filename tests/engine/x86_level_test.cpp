// Which vector instructions the program uses: read from the processor's
// feature words and the operating system's saved registers, each group only
// when every feature it needs is there.

#include "engine/x86_level.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <utility>

using namespace centrafix;

namespace {

// A processor with everything up to AVX-512, and an operating system that
// saves all its registers.
X86Features Everything()
{
    X86Features f;
    f.basicD = 1u << 26;
    f.basicC = 1u << 9 | 1u << 19 | 1u << 20 | 1u << 1 | 1u << 25 | 1u << 27 | 1u << 28 | 1u << 12 | 1u << 29;
    f.extendedB = 1u << 5 | 1u << 3 | 1u << 8 | 1u << 16 | 1u << 31 | 1u << 17 | 1u << 30;
    f.amdC = 1u << 5;
    f.savedState = 0xE7;
    return f;
}

int LevelOf(const X86Features& f)
{
    return static_cast<int>(X86LevelOf(f));
}

} // namespace

TEST(X86Level, EachGroupNeedsEveryFeatureOfItAndTheRegistersSaved)
{
    EXPECT_EQ(LevelOf(Everything()), static_cast<int>(X86Level::Avx3));
    // Each feature taken away lowers the level to the group below its own.
    const auto without = [](std::uint32_t X86Features::*word, int bit) {
        X86Features f = Everything();
        f.*word &= ~(1u << bit);
        return LevelOf(f);
    };
    EXPECT_EQ(without(&X86Features::basicD, 26), static_cast<int>(X86Level::None));
    EXPECT_EQ(without(&X86Features::basicC, 9), static_cast<int>(X86Level::None));
    for (const int bit : {19, 20, 1, 25})
        EXPECT_EQ(without(&X86Features::basicC, bit), static_cast<int>(X86Level::Ssse3)) << bit;
    for (const int bit : {27, 28, 12, 29})
        EXPECT_EQ(without(&X86Features::basicC, bit), static_cast<int>(X86Level::Sse4)) << bit;
    for (const int bit : {5, 3, 8})
        EXPECT_EQ(without(&X86Features::extendedB, bit), static_cast<int>(X86Level::Sse4)) << bit;
    EXPECT_EQ(without(&X86Features::amdC, 5), static_cast<int>(X86Level::Sse4));
    for (const int bit : {16, 31, 17, 30})
        EXPECT_EQ(without(&X86Features::extendedB, bit), static_cast<int>(X86Level::Avx2)) << bit;
    // An operating system that does not save the wider registers.
    for (const auto& [saved, level] : {std::pair{0x7ull, X86Level::Avx2}, std::pair{0xE3ull, X86Level::Sse4},
                                       std::pair{0xE5ull, X86Level::Sse4}, std::pair{0x0ull, X86Level::Sse4}}) {
        X86Features f = Everything();
        f.savedState = saved;
        EXPECT_EQ(LevelOf(f), static_cast<int>(level)) << std::hex << saved;
    }
}

#if defined(__linux__) && defined(__x86_64__)
// The processor's features as the kernel reads them, against our own reading.
TEST(X86Level, IsWhatTheKernelSeesOnThisProcessor)
{
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line) && line.rfind("flags", 0) != 0) {
    }
    std::istringstream words(line);
    std::set<std::string> flags{std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
    const auto has = [&](std::initializer_list<const char*> names) {
        return std::all_of(names.begin(), names.end(), [&](const char* name) { return flags.count(name) > 0; });
    };
    X86Level expected = X86Level::None;
    if (has({"sse2", "ssse3"}))
        expected = X86Level::Ssse3;
    if (expected == X86Level::Ssse3 && has({"sse4_1", "sse4_2", "pclmulqdq", "aes"}))
        expected = X86Level::Sse4;
    if (expected == X86Level::Sse4 && has({"avx", "avx2", "bmi1", "bmi2", "fma", "f16c", "abm"}))
        expected = X86Level::Avx2;
    if (expected == X86Level::Avx2 && has({"avx512f", "avx512vl", "avx512dq", "avx512bw"}))
        expected = X86Level::Avx3;
    EXPECT_EQ(static_cast<int>(X86LevelHere()), static_cast<int>(expected)) << line;
}
#endif
