#include "fill_plane.h"

#include "color_object.h"
#include "row_strips.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace centrafix {

FillPlane::FillPlane(int width, int height)
    : m_bytes(std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(width) *
                                                             static_cast<std::size_t>(height))),
      m_width(width),
      m_height(height)
{}

BitPlane::BitPlane(int width, int height)
    : m_bits(std::make_unique_for_overwrite<std::uint64_t[]>(static_cast<std::size_t>((width + 63) / 64) *
                                                             static_cast<std::size_t>(height))),
      m_words((width + 63) / 64)
{}

namespace {

// The first and one past the last of `count` items that strip `k` of
// `strips` takes.
std::pair<int, int> StripRange(int count, int strips, int k)
{
    const auto part = [&](int i) { return static_cast<int>(static_cast<std::int64_t>(count) * i / strips); };
    return {part(k), part(k + 1)};
}

bool IsPaintedWord(std::uint32_t rgb)
{
    for (int i = 2; i < static_cast<int>(kObjectColors.size()); ++i) {
        if (rgb == (ToRasterWord(kObjectColors[static_cast<std::size_t>(i)]) & 0xFFFFFFu))
            return true;
    }
    return false;
}

void ClassifyRow(const std::uint32_t* in, std::uint8_t* out, std::uint64_t* bits, int width, int lineThreshold)
{
    std::uint64_t word = 0;
    for (int x = 0; x < width; ++x) {
        const std::uint32_t w = in[x];
        const int sum =
            static_cast<int>((w >> 16) & 0xFF) + static_cast<int>((w >> 8) & 0xFF) + static_cast<int>(w & 0xFF);
        // Every painted colour sums to 255 or 510: the list is looked at
        // only for those.
        const bool painted = (sum == 255 || sum == 510) && IsPaintedWord(w & 0xFFFFFFu);
        const bool line = !painted && sum < lineThreshold;
        out[x] = painted ? fillbit::kPainted : (line ? fillbit::kLine : 0);
        word |= static_cast<std::uint64_t>(line) << (x % 64);
        if (x % 64 == 63 || x == width - 1) {
            bits[x / 64] = word;
            word = 0;
        }
    }
}

// Eight pixels at a time: the wall bits of one byte spread to the low bit
// of eight bytes, then moved up to kWall where the pixel is not painted.
// The plane comes from the classification, so kWall is clear before.
void StoreWalls(const std::uint64_t* walls, std::uint8_t* row, int width)
{
    using namespace fillbit;
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    static_assert(kPainted == 2);
    const int whole = width / 8 * 8;
    for (int x = 0; x < whole; x += 8) {
        const std::uint64_t bits = (walls[x / 64] >> (x % 64)) & 0xFFu;
        const std::uint64_t spread = ((((bits * kOnes) & 0x8040201008040201u) + 0x7F7F7F7F7F7F7F7Fu) >> 7) & kOnes;
        std::uint64_t bytes;
        std::memcpy(&bytes, row + x, 8);
        const std::uint64_t painted = (bytes >> 1) & kOnes;
        bytes |= (spread & ~painted) * kWall;
        std::memcpy(row + x, &bytes, 8);
    }
    for (int x = whole; x < width; ++x) {
        if (((walls[x / 64] >> (x % 64)) & 1u) != 0 && (row[x] & kPainted) == 0)
            row[x] |= kWall;
    }
}

template <class Rows>
void ForRowStrips(int height, const Rows& rows)
{
    const int strips = EffectiveThreads(0, height);
    RunStrips(strips, [&](int k) {
        const auto [y0, y1] = StripRange(height, strips, k);
        rows(y0, y1);
    });
}

// Pixel x of the result gathers pixels x - radius to x + radius of `in`.
// Beyond the picture's sides a dilation finds nothing and an erosion finds
// line, so a line at the border is not eaten; the padding bits of the last
// word are set to match before the pass.
template <bool Erode>
void HorizontalPass(const BitPlane& in, BitPlane& out, int width, int height, int radius)
{
    const int words = in.words();
    const int used = width - 64 * (words - 1);
    const std::uint64_t padding = used == 64 ? 0 : ~std::uint64_t{0} << used;
    const std::uint64_t outside = Erode ? ~std::uint64_t{0} : 0;
    ForRowStrips(height, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            std::uint64_t* src = in.row(y);
            src[words - 1] = Erode ? (src[words - 1] | padding) : (src[words - 1] & ~padding);
            std::uint64_t* dst = out.row(y);
            for (int j = 0; j < words; ++j) {
                const std::uint64_t prev = j > 0 ? src[j - 1] : outside;
                const std::uint64_t here = src[j];
                const std::uint64_t next = j + 1 < words ? src[j + 1] : outside;
                std::uint64_t acc = here;
                for (int d = 1; d <= radius; ++d) {
                    const std::uint64_t fromLeft = (here << d) | (prev >> (64 - d));
                    const std::uint64_t fromRight = (here >> d) | (next << (64 - d));
                    acc = Erode ? (acc & fromLeft & fromRight) : (acc | fromLeft | fromRight);
                }
                dst[j] = acc;
            }
        }
    });
}

// Rows y - radius to y + radius; rows beyond the top and bottom as above.
template <bool Erode>
void VerticalPass(const BitPlane& in, BitPlane& out, int height, int radius)
{
    const int words = in.words();
    ForRowStrips(height, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            std::uint64_t* dst = out.row(y);
            std::copy(in.row(y), in.row(y) + words, dst);
            for (int d = 1; d <= radius; ++d) {
                for (const int other : {y - d, y + d}) {
                    if (other < 0 || other >= height)
                        continue;
                    const std::uint64_t* src = in.row(other);
                    for (int j = 0; j < words; ++j)
                        dst[j] = Erode ? (dst[j] & src[j]) : (dst[j] | src[j]);
                }
            }
        }
    });
}

} // namespace

FillPlane ClassifyForFill(const RasterView& raster, int lineThreshold)
{
    FillPlane plane(raster.width, raster.height);
    plane.lineBits() = BitPlane(raster.width, raster.height);
    const int strips = EffectiveThreads(0, raster.height);
    RunStrips(strips, [&](int k) {
        const auto [y0, y1] = StripRange(raster.height, strips, k);
        for (int y = y0; y < y1; ++y)
            ClassifyRow(raster.row(y), plane.row(y), plane.lineBits().row(y), raster.width, lineThreshold);
    });
    return plane;
}

void BridgeGaps(FillPlane& plane, int radius)
{
    using namespace fillbit;
    const int width = plane.width();
    const int height = plane.height();
    BitPlane& lines = plane.lineBits();
    if (radius > 0) {
        BitPlane pass(width, height);
        HorizontalPass<false>(lines, pass, width, height, radius);
        VerticalPass<false>(pass, lines, height, radius);
        HorizontalPass<true>(lines, pass, width, height, radius);
        VerticalPass<true>(pass, lines, height, radius);
    }
    ForRowStrips(height, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y)
            StoreWalls(lines.row(y), plane.row(y), width);
    });
    lines = BitPlane();
}

} // namespace centrafix
