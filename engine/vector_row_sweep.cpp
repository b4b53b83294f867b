// The row walker with vector instructions, compiled once per instruction set
// and chosen when the program runs. A row is read in three passes over memory
// that stays in the first-level cache:
//   1. every pixel becomes a code byte: its object in bits 0-2, "same colour
//      as the left neighbour" in bit 3, "same colour as the pixel above" in
//      bit 4;
//   2. the codes give the run boundaries as a bit field and as marks, and
//      the pairs of each object present in the row are counted in byte lanes;
//   3. the boundaries give the runs, whose starts and lengths make the
//      counts, position sums and quarter-chord points.
// Passes 1 and 2 cost the same for any picture; pass 3 costs one step per
// run, which is few for flat drawings and about one a pixel for noise.

#include "row_sweep.h"
#include "x86_level.h"

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "engine/vector_row_sweep.cpp"
#include <hwy/foreach_target.h> // must come before highway.h
#include <hwy/highway.h>

// The passes, for this target.
#include "vector_pixel_codes_inl.h"
#include "vector_row_runs_inl.h"

HWY_BEFORE_NAMESPACE();
namespace centrafix {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

#if HWY_TARGET == HWY_SCALAR

// One lane at a time is the reference walker's job.
bool SweepRowVectorHere(const RowInput&, const PixelClasses&, RowScratch&, RowSums&)
{
    return false;
}

#else

bool SweepRowVectorHere(const RowInput& in, const PixelClasses& classes, RowScratch& scratch, RowSums& sums)
{
    const hn::ScalableTag<std::uint8_t> d8;
    if (hn::Lanes(d8) < 16 || in.width <= 0)
        return false;
    const Tables tables(classes);
    std::uint8_t* codes = scratch.codes();
    std::int64_t& stray = sums.stray;
    std::uint8_t present = 0;
    if (classes.byCorner)
        present = classes.countStray ? ClassifyRow<true, true>(in, classes, tables, codes, stray)
                                     : ClassifyRow<true, false>(in, classes, tables, codes, stray);
    else
        present = classes.countStray ? ClassifyRow<false, true>(in, classes, tables, codes, stray)
                                     : ClassifyRow<false, false>(in, classes, tables, codes, stray);
    int objects[7];
    int m = 0;
    for (int k = 1; k < 8; ++k) {
        if (present & (1u << k))
            objects[m++] = k;
    }
    std::uint64_t* bits = scratch.bits();
    switch (m) {
    case 0: BoundariesAndPairs<0>(codes, in.width, objects, tables, bits, in.marks, sums); break;
    case 1: BoundariesAndPairs<1>(codes, in.width, objects, tables, bits, in.marks, sums); break;
    case 2: BoundariesAndPairs<2>(codes, in.width, objects, tables, bits, in.marks, sums); break;
    case 3: BoundariesAndPairs<3>(codes, in.width, objects, tables, bits, in.marks, sums); break;
    case 4: BoundariesAndPairs<4>(codes, in.width, objects, tables, bits, in.marks, sums); break;
    case 5: BoundariesAndPairs<5>(codes, in.width, objects, tables, bits, in.marks, sums); break;
    case 6: BoundariesAndPairs<6>(codes, in.width, objects, tables, bits, in.marks, sums); break;
    default: BoundariesAndPairs<7>(codes, in.width, objects, tables, bits, in.marks, sums); break;
    }
    if (in.marks)
        WalkRuns<true>(codes, bits, in.width, in.marks, tables, sums);
    else
        WalkRuns<false>(codes, bits, in.width, nullptr, tables, sums);
    return true;
}

#endif // HWY_TARGET == HWY_SCALAR

} // namespace HWY_NAMESPACE
} // namespace centrafix
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace centrafix {
namespace {

// The variant is chosen here rather than through Highway's own dispatch,
// which lives in libhwy: that library calibrates a benchmark timer when it
// is loaded, which costs every start of the program about 6 ms, more than a
// whole small picture takes to measure.
using SweepRow = bool (*)(const RowInput&, const PixelClasses&, RowScratch&, RowSums&);

struct Variant {
    const char* name;
    SweepRow sweep;
    X86Level needs;
};

// Widest first.
constexpr Variant kVariants[] = {
#if HWY_TARGETS & HWY_AVX3
    {"AVX3", &N_AVX3::SweepRowVectorHere, X86Level::Avx3},
#endif
#if HWY_TARGETS & HWY_AVX2
    {"AVX2", &N_AVX2::SweepRowVectorHere, X86Level::Avx2},
#endif
#if HWY_TARGETS & HWY_SSE4
    {"SSE4", &N_SSE4::SweepRowVectorHere, X86Level::Sse4},
#endif
#if HWY_TARGETS & HWY_SSSE3
    {"SSSE3", &N_SSSE3::SweepRowVectorHere, X86Level::Ssse3},
#endif
};

bool Usable(const Variant& variant)
{
    return X86LevelHere() >= variant.needs;
}

// The widest usable variant; null where there is none.
std::atomic<SweepRow>& Chosen()
{
    static std::atomic<SweepRow> chosen{[] {
        for (const Variant& variant : kVariants) {
            if (Usable(variant))
                return variant.sweep;
        }
        return SweepRow{};
    }()};
    return chosen;
}

} // namespace

bool SweepRowVector(const RowInput& in, const PixelClasses& classes, RowScratch& scratch, RowSums& sums)
{
    const SweepRow sweep = Chosen().load(std::memory_order_relaxed);
    return sweep && sweep(in, classes, scratch, sums);
}

std::vector<std::string> VectorInstructionSets()
{
    std::vector<std::string> names;
    for (const Variant& variant : kVariants) {
        if (Usable(variant))
            names.emplace_back(variant.name);
    }
    return names;
}

bool UseVectorInstructionSet(std::string_view name)
{
    for (const Variant& variant : kVariants) {
        if (variant.name == name && Usable(variant)) {
            Chosen().store(variant.sweep);
            return true;
        }
    }
    return false;
}

} // namespace centrafix
#endif
