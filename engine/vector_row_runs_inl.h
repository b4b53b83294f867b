// Passes 2 and 3 of the vector row walker: the code bytes of a row give the
// run boundaries (as a bit field and as quarter-chord marks) and the pair
// counts, and the boundaries give the runs, whose starts and lengths make the
// counts, position sums and quarter-chord points. Needs the Tables of
// vector_pixel_codes_inl.h.
//
// Compiled once per instruction set: vector_row_sweep.cpp includes it for
// each target Highway's foreach_target.h builds, so it has Highway's per-target
// guard where other headers have #pragma once.

#include "row_sweep.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(CENTRAFIX_ENGINE_VECTOR_ROW_RUNS_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef CENTRAFIX_ENGINE_VECTOR_ROW_RUNS_INL_H_
#undef CENTRAFIX_ENGINE_VECTOR_ROW_RUNS_INL_H_
#else
#define CENTRAFIX_ENGINE_VECTOR_ROW_RUNS_INL_H_
#endif

#include <hwy/highway.h>

HWY_BEFORE_NAMESPACE();
namespace centrafix {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

#if HWY_TARGET != HWY_SCALAR

// The boundary marks of one vector of columns from x: a column where the
// object changes gets the bit of the run it starts and of the run it ends
// (the background's bit is 0). Columns without a boundary are not written,
// so a flat stretch of the canvas stays untouched, and nothing is written at
// or past the row's end, which may belong to another thread's row.
template <class D8, class V8, class M8>
HWY_INLINE void MarkBoundaries(D8 d8, V8 lab, V8 before, M8 boundary, V8 markBits, std::int64_t x, std::int64_t width,
                               std::uint8_t* marks)
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
            sums.vertical[k] +=
                static_cast<std::int64_t>(hn::GetLane(hn::SumOfLanes(d64, hn::SumsOf8(hn::And(acc[j], nibble)))));
            sums.horizontal[k] +=
                static_cast<std::int64_t>(hn::GetLane(hn::SumOfLanes(d64, hn::SumsOf8(hn::ShiftRight<4>(acc[j])))));
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

#endif // HWY_TARGET != HWY_SCALAR

} // namespace HWY_NAMESPACE
} // namespace centrafix
HWY_AFTER_NAMESPACE();

#endif // CENTRAFIX_ENGINE_VECTOR_ROW_RUNS_INL_H_
