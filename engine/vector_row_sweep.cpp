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

#include "quarter_chord_marks.h"
#include "row_sweep.h"
#include "x86_level.h"

#include <atomic>
#include <bit>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "engine/vector_row_sweep.cpp"
#include <hwy/foreach_target.h> // must come before highway.h
#include <hwy/highway.h>

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

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

// The code of one pixel as the reference classifier gives it, for the
// columns the vectors do not cover.
inline std::uint8_t CodeAt(const RowInput& in, const PixelClasses& classes, int x)
{
    const std::uint32_t w = in.row[x];
    int code = classes(w);
    if (x > 0 && ((w ^ in.row[x - 1]) & kRgbMask) == 0)
        code |= 8;
    if (in.above && ((w ^ in.above[x]) & kRgbMask) == 0)
        code |= 16;
    return static_cast<std::uint8_t>(code);
}

// Per-block byte tables for TableLookupBytes: the object of each corner index
// (blue >= 128) | (green >= 128) << 1 | (red >= 128) << 2, 1 << object, and
// each object's bit on the quarter-chord canvas.
struct Tables {
    alignas(16) std::uint8_t corner[16] = {};
    alignas(16) std::uint8_t bit[16] = {};
    alignas(16) std::uint8_t mark[16] = {0, 1, 2, 4, 8, 16, 32, 64}; // QuarterChordMarks::bitOf

    explicit Tables(const PixelClasses& classes)
    {
        for (int index = 0; index < 8; ++index) {
            const int byRed = ((index >> 2) & 1) | (index & 2) | ((index & 1) << 2);
            corner[index] = classes.maxSum < 0 ? 0 : classes.cornerObject[static_cast<std::size_t>(byRed)];
        }
        for (int object = 1; object < 8; ++object)
            bit[object] = static_cast<std::uint8_t>(1u << object);
    }
};

// Each word's summed distance to its nearest colour corner (white included):
// each component's distance to the nearer end is min(c, 255 - c); the three
// are added in bytes that saturate, which is exact up to 254, far above the
// largest tolerance the corner rule serves (127).
template <class D32>
HWY_INLINE hn::Vec<D32> CornerDistance(D32 d32, hn::Vec<D32> w)
{
    const hn::Repartition<std::uint8_t, D32> d8;
    const auto v8 = hn::BitCast(d8, w);
    const hn::Vec<D32> distance = hn::BitCast(d32, hn::Min(v8, hn::Not(v8)));
    auto sum8 = hn::SaturatedAdd(hn::BitCast(d8, distance), hn::BitCast(d8, hn::ShiftRight<8>(distance)));
    sum8 = hn::SaturatedAdd(sum8, hn::BitCast(d8, hn::ShiftRight<16>(distance)));
    return hn::And(hn::BitCast(d32, sum8), hn::Set(d32, 0xFFu));
}

// The same without saturation, for the tolerances beyond the corner rule.
template <class D32>
HWY_INLINE hn::Vec<D32> ExactCornerDistance(D32 d32, hn::Vec<D32> w)
{
    const hn::Repartition<std::uint8_t, D32> d8;
    const hn::Vec<D32> low = hn::Set(d32, 0xFFu);
    const auto v8 = hn::BitCast(d8, w);
    const hn::Vec<D32> distance = hn::BitCast(d32, hn::Min(v8, hn::Not(v8)));
    return hn::Add(hn::And(distance, low),
                   hn::Add(hn::And(hn::ShiftRight<8>(distance), low), hn::And(hn::ShiftRight<16>(distance), low)));
}

// `within`: the lanes whose corner distance is within the tolerance.
template <class D32, class V8>
HWY_INLINE hn::Vec<D32> CornerLabels(D32 d32, hn::Vec<D32> w, hn::Mask<D32> within, V8 table)
{
    const hn::Repartition<std::uint8_t, D32> d8;
    const hn::Vec<D32> low = hn::Set(d32, 0xFFu);
    // The three high bits (bits 7, 15, 23) gathered next to each other by
    // one multiplication whose partial products never overlap.
    const hn::Vec<D32> high = hn::And(hn::ShiftRight<7>(w), hn::Set(d32, 0x010101u));
    const hn::Vec<D32> index = hn::And(hn::ShiftRight<14>(high * hn::Set(d32, 0x4081u)), hn::Set(d32, 7u));
    const hn::Vec<D32> object = hn::And(hn::BitCast(d32, hn::TableLookupBytes(table, hn::BitCast(d8, index))), low);
    return hn::IfThenElseZero(within, object);
}

// The lanes of IsStrayPixel words: clearly coloured, and `toCorner` (the
// distance to the nearest corner) beyond maxSum. In signed lanes, where
// every value here is at most 765.
template <class D32>
HWY_INLINE hn::Mask<hn::RebindToSigned<D32>> StrayLanes(D32 d32, hn::Vec<D32> w, hn::Vec<D32> toCorner,
                                                        hn::Vec<hn::RebindToSigned<D32>> maxSum)
{
    const hn::Repartition<std::uint8_t, D32> d8;
    const hn::RebindToSigned<D32> di;
    const auto v8 = hn::BitCast(d8, w);
    const auto g8 = hn::BitCast(d8, hn::ShiftRight<8>(w));
    const auto r8 = hn::BitCast(d8, hn::ShiftRight<16>(w));
    const auto low = hn::Set(di, 0xFF);
    // The lowest byte of each lane holds the largest and smallest component.
    const auto hi = hn::And(hn::BitCast(di, hn::Max(hn::Max(v8, g8), r8)), low);
    const auto lo = hn::And(hn::BitCast(di, hn::Min(hn::Min(v8, g8), r8)), low);
    const auto clear =
        hn::Or(hn::Gt(hn::Sub(hi, lo), hn::Set(di, kClearSpread - 1)), hn::Lt(hi, hn::Set(di, kDarkBelow)));
    return hn::And(clear, hn::Gt(hn::BitCast(di, toCorner), maxSum));
}

template <class D32>
HWY_INLINE hn::Vec<D32> SingleLabels(D32 d32, hn::Vec<D32> w, hn::Vec<D32> flip, hn::Vec<D32> maxSum,
                                     hn::Vec<D32> object)
{
    const hn::Vec<D32> low = hn::Set(d32, 0xFFu);
    const hn::Vec<D32> d = hn::Xor(w, flip);
    const hn::Vec<D32> sum = hn::Add(hn::And(d, low),
                                     hn::Add(hn::And(hn::ShiftRight<8>(d), low), hn::And(hn::ShiftRight<16>(d), low)));
    return hn::IfThenElseZero(hn::Eq(hn::Min(sum, maxSum), sum), object);
}

// Pass 1. Returns the objects present in the row as bits 1 << object, and
// adds the row's stray words to `stray` where kStray.
template <bool kByCorner, bool kStray>
std::uint8_t ClassifyRow(const RowInput& in, const PixelClasses& classes, const Tables& tables, std::uint8_t* codes,
                         std::int64_t& stray)
{
    const hn::ScalableTag<std::uint32_t> d32;
    const hn::Repartition<std::uint8_t, decltype(d32)> d8;
    const hn::Rebind<std::uint8_t, decltype(d32)> dq;
    const auto N = static_cast<std::int64_t>(hn::Lanes(d32));
    const std::int64_t W = in.width;
    const auto cornerTable = hn::LoadDup128(d8, tables.corner);
    const auto bitTable = hn::LoadDup128(d8, tables.bit);
    const auto maxSum = hn::Set(d32, static_cast<std::uint32_t>(classes.maxSum < 0 ? 0 : classes.maxSum));
    const auto flip = hn::Set(d32, classes.flip);
    const auto object = hn::Set(d32, static_cast<std::uint32_t>(classes.maxSum < 0 ? 0 : classes.object));
    const auto rgb = hn::Set(d32, kRgbMask);
    const auto leftBit = hn::Set(d32, 8u), aboveBit = hn::Set(d32, 16u);
    auto present = hn::Zero(d32);
    std::uint8_t presentTail = 0;
    const hn::RebindToSigned<decltype(d32)> di;
    const auto strayMax = hn::Set(di, classes.maxSum);
    const bool matchesNothing = classes.maxSum < 0; // `maxSum` stands at 0 then
    auto strayLanes = hn::Zero(di);
    std::int64_t strayTail = 0;
    const auto strayAt = [&](std::int64_t at) {
        if constexpr (kStray)
            strayTail += IsStrayPixel(in.row[at], classes.maxSum) ? 1 : 0;
    };
    codes[0] = CodeAt(in, classes, 0);
    presentTail |= tables.bit[codes[0] & 7];
    strayAt(0);
    std::int64_t x = 1;
    for (; x + N <= W; x += N) {
        const auto w = hn::LoadU(d32, in.row + x);
        hn::Vec<decltype(d32)> code;
        if constexpr (kByCorner) {
            const auto toCorner = CornerDistance(d32, w);
            const auto within = hn::Eq(hn::Min(toCorner, maxSum), toCorner);
            code = CornerLabels(d32, w, within, cornerTable);
            // Words within the tolerance of a corner are never stray: most
            // vectors of a drawing hold nothing else and skip the count.
            if constexpr (kStray) { // a mask lane is -1
                if (matchesNothing || !hn::AllTrue(d32, within))
                    strayLanes = hn::Sub(strayLanes, hn::VecFromMask(di, StrayLanes(d32, w, toCorner, strayMax)));
            }
        } else {
            code = SingleLabels(d32, w, flip, maxSum, object);
            if constexpr (kStray)
                strayLanes =
                    hn::Sub(strayLanes, hn::VecFromMask(di, StrayLanes(d32, w, ExactCornerDistance(d32, w), strayMax)));
        }
        present = hn::Or(present, hn::BitCast(d32, hn::TableLookupBytes(bitTable, hn::BitCast(d8, code))));
        const auto left = hn::LoadU(d32, in.row + x - 1);
        code = hn::Or(code, hn::IfThenElseZero(hn::Eq(hn::And(hn::Xor(w, left), rgb), hn::Zero(d32)), leftBit));
        if (in.above) {
            const auto up = hn::LoadU(d32, in.above + x);
            code = hn::Or(code, hn::IfThenElseZero(hn::Eq(hn::And(hn::Xor(w, up), rgb), hn::Zero(d32)), aboveBit));
        }
        hn::StoreU(hn::U8FromU32(code), dq, codes + x);
    }
    for (; x < W; ++x) {
        codes[x] = CodeAt(in, classes, static_cast<int>(x));
        presentTail |= tables.bit[codes[x] & 7];
        strayAt(x);
    }
    // Only the lowest byte of each lane holds a table entry.
    const auto lowBytes = hn::And(present, hn::Set(d32, 0xFFu));
    alignas(64) std::uint32_t lanes[64];
    hn::Store(lowBytes, d32, lanes);
    for (std::int64_t i = 0; i < N; ++i)
        presentTail |= static_cast<std::uint8_t>(lanes[i]);
    if constexpr (kStray) {
        alignas(64) std::int32_t counts[64];
        hn::Store(strayLanes, di, counts);
        for (std::int64_t i = 0; i < N; ++i)
            strayTail += counts[i];
        stray += strayTail;
    }
    return presentTail;
}

// The boundary marks of one vector of columns from x: a column where the
// object changes gets the bit of the run it starts and of the run it ends
// (the background's bit is 0). Columns without a boundary are not written,
// so a flat stretch of the canvas stays untouched, and nothing is written at
// or past the row's end, which may belong to another thread's row.
template <class D8, class V8, class M8>
HWY_INLINE void MarkBoundaries(D8 d8, V8 lab, V8 before, M8 boundary, V8 markBits, std::int64_t x,
                               std::int64_t width, std::uint8_t* marks)
{
    if (hn::AllFalse(d8, boundary))
        return;
    const auto N = static_cast<std::int64_t>(hn::Lanes(d8));
    const auto mark = hn::IfThenElseZero(
        boundary, hn::Or(hn::TableLookupBytes(markBits, lab), hn::TableLookupBytes(markBits, before)));
    if (x + N <= width) {
        hn::StoreU(hn::Or(hn::LoadU(d8, marks + x), mark), d8, marks + x);
        return;
    }
    alignas(64) std::uint8_t lanes[64];
    hn::Store(mark, d8, lanes);
    for (std::int64_t i = 0; i < width - x; ++i)
        marks[x + i] |= lanes[i];
}

// Pass 2 for the M objects in `objects`: boundary bits of the whole row, the
// boundary marks, and the pair counts of those objects. Pair flags are added
// up in byte lanes, the left pairs in the low four bits and the upper pairs in
// the high four, and emptied before fifteen additions could overflow them.
template <int M>
void BoundariesAndPairs(const std::uint8_t* codes, std::int64_t width, const int* objects, const Tables& tables,
                        std::uint64_t* bits, std::uint8_t* marks, RowSums& sums)
{
    const hn::ScalableTag<std::uint8_t> d8;
    const hn::Repartition<std::uint64_t, decltype(d8)> d64;
    const auto N = static_cast<std::int64_t>(hn::Lanes(d8));
    const auto seven = hn::Set(d8, 7), one = hn::Set(d8, 1), sixteen = hn::Set(d8, 16), nibble = hn::Set(d8, 15);
    const auto markBits = hn::LoadDup128(d8, tables.mark);
    auto* bytes = reinterpret_cast<std::uint8_t*>(bits);
    hn::Vec<decltype(d8)> acc[M > 0 ? M : 1];
    hn::Vec<decltype(d8)> label[M > 0 ? M : 1];
    for (int j = 0; j < M; ++j) {
        acc[j] = hn::Zero(d8);
        label[j] = hn::Set(d8, static_cast<std::uint8_t>(objects[j]));
    }
    auto flush = [&] {
        for (int j = 0; j < M; ++j) {
            const auto k = static_cast<std::size_t>(objects[j]);
            sums.vertical[k] += static_cast<std::int64_t>(
                hn::GetLane(hn::SumOfLanes(d64, hn::SumsOf8(hn::And(acc[j], nibble)))));
            sums.horizontal[k] += static_cast<std::int64_t>(
                hn::GetLane(hn::SumOfLanes(d64, hn::SumsOf8(hn::ShiftRight<4>(acc[j])))));
            acc[j] = hn::Zero(d8);
        }
    };
    int pending = 0;
    for (std::int64_t x = 0; x < width; x += N) {
        const auto c = hn::LoadU(d8, codes + x);
        const auto lab = hn::And(c, seven);
        const auto before = hn::And(hn::LoadU(d8, codes + x - 1), seven);
        const auto boundary = hn::Ne(lab, before);
        hn::StoreMaskBits(d8, boundary, bytes + x / 8);
        if (marks)
            MarkBoundaries(d8, lab, before, boundary, markBits, x, width, marks);
        if constexpr (M > 0) {
            const auto flags = hn::Or(hn::And(hn::ShiftRight<3>(c), one), hn::And(c, sixteen));
            for (int j = 0; j < M; ++j)
                acc[j] = hn::Add(acc[j], hn::IfThenElseZero(hn::Eq(lab, label[j]), flags));
            if (++pending == 15) {
                flush();
                pending = 0;
            }
        }
    }
    flush();
}

// Pass 3: every run from the boundary bits, with the counts and position
// sums of its object (entry 0 for the background, thrown away later). The
// boundaries are marked already; a run of four and more also marks its
// quarter-chord point, and the last run, which ends at the border, takes
// back the mark at its start.
template <bool kMarks>
void WalkRuns(const std::uint8_t* codes, const std::uint64_t* bits, std::int64_t width, std::uint8_t* marks,
              const Tables& tables, RowSums& sums)
{
    std::int64_t count[8] = {}, startTimesLength[8] = {}, squares[8] = {};
    auto run = [&](std::int64_t s, std::int64_t e) {
        const int k = codes[s] & 7;
        const std::int64_t n = e - s;
        count[k] += n;
        startTimesLength[k] += n * s;
        squares[k] += n * n;
        if constexpr (kMarks) {
            if (n >= 4)
                marks[s + n / 4] |= tables.mark[k];
        }
    };
    const std::int64_t words = (width + 63) / 64;
    std::int64_t start = 0;
    for (std::int64_t i = 0; i < words; ++i) {
        std::uint64_t b;
        std::memcpy(&b, bits + i, sizeof b);
        if (i == 0)
            b &= ~std::uint64_t{1}; // a run starts at column 0 whatever is there
        if (i == words - 1 && width % 64 != 0)
            b &= (std::uint64_t{1} << (width % 64)) - 1;
        while (b != 0) {
            const std::int64_t e = i * 64 + std::countr_zero(b);
            b &= b - 1;
            run(start, e);
            start = e;
        }
    }
    const int k = codes[start] & 7;
    const std::int64_t n = width - start;
    count[k] += n;
    startTimesLength[k] += n * start;
    squares[k] += n * n;
    if constexpr (kMarks)
        marks[start] &= static_cast<std::uint8_t>(~tables.mark[k]);
    for (std::size_t o = 0; o < 8; ++o) {
        sums.count[o] += count[o];
        sums.twiceSx[o] += 2 * startTimesLength[o] + squares[o];
        sums.fourQ[o] += 4 * startTimesLength[o] + squares[o];
    }
}

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
