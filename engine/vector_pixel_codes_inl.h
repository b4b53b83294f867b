// Pass 1 of the vector row walker: every pixel of a row becomes a code byte,
// its object in bits 0-2, "same colour as the left neighbour" in bit 3 and
// "same colour as the pixel above" in bit 4, and the objects present in the
// row are noted.
//
// Compiled once per instruction set: vector_row_sweep.cpp includes it for
// each target Highway's foreach_target.h builds, so it has Highway's per-target
// guard where other headers have #pragma once.

#include "pixel_classes.h"
#include "row_sweep.h"

#include <cstdint>

#if defined(CENTRAFIX_ENGINE_VECTOR_PIXEL_CODES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef CENTRAFIX_ENGINE_VECTOR_PIXEL_CODES_INL_H_
#undef CENTRAFIX_ENGINE_VECTOR_PIXEL_CODES_INL_H_
#else
#define CENTRAFIX_ENGINE_VECTOR_PIXEL_CODES_INL_H_
#endif

#include <hwy/highway.h>

HWY_BEFORE_NAMESPACE();
namespace centrafix {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

#if HWY_TARGET != HWY_SCALAR

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
    const hn::Vec<D32> sum =
        hn::Add(hn::And(d, low), hn::Add(hn::And(hn::ShiftRight<8>(d), low), hn::And(hn::ShiftRight<16>(d), low)));
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

#endif // HWY_TARGET != HWY_SCALAR

} // namespace HWY_NAMESPACE
} // namespace centrafix
HWY_AFTER_NAMESPACE();

#endif // CENTRAFIX_ENGINE_VECTOR_PIXEL_CODES_INL_H_
