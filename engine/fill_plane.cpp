#include "fill_plane.h"

#include "color_object.h"
#include "row_strips.h"

#include <algorithm>
#include <vector>

namespace centrafix {

FillPlane::FillPlane(int width, int height)
    : m_bytes(std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(width) *
                                                             static_cast<std::size_t>(height))),
      m_width(width),
      m_height(height)
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

void ClassifyRow(const std::uint32_t* in, std::uint8_t* out, int width, int lineThreshold)
{
    for (int x = 0; x < width; ++x) {
        const std::uint32_t w = in[x];
        const int sum =
            static_cast<int>((w >> 16) & 0xFF) + static_cast<int>((w >> 8) & 0xFF) + static_cast<int>(w & 0xFF);
        // Every painted colour sums to 255 or 510: the list is looked at
        // only for those.
        const bool painted = (sum == 255 || sum == 510) && IsPaintedWord(w & 0xFFFFFFu);
        out[x] = painted ? fillbit::kPainted : (sum < lineThreshold ? fillbit::kLine : 0);
    }
}

// The square's two sides, one direction at a time, each with a running
// count so the radius costs nothing per pixel. A dilation counts pixels with
// `src` in the window; an erosion counts those without, and the picture's
// surroundings count as having it, so a line at the border is not eaten.
template <bool Erode>
void HorizontalRun(std::uint8_t* row, int width, int radius, std::uint8_t src, std::uint8_t dst)
{
    const auto hit = [&](int x) { return ((row[x] & src) != 0) != Erode ? 1 : 0; };
    int count = 0;
    for (int x = 0; x < std::min(radius, width); ++x)
        count += hit(x);
    for (int x = 0; x < width; ++x) {
        if (x + radius < width)
            count += hit(x + radius);
        if (x - radius - 1 >= 0)
            count -= hit(x - radius - 1);
        const bool set = Erode ? count == 0 : count > 0;
        row[x] = static_cast<std::uint8_t>(set ? (row[x] | dst) : (row[x] & ~dst));
    }
}

template <bool Erode>
void HorizontalPass(FillPlane& plane, int radius, std::uint8_t src, std::uint8_t dst)
{
    const int strips = EffectiveThreads(0, plane.height());
    RunStrips(strips, [&](int k) {
        const auto [y0, y1] = StripRange(plane.height(), strips, k);
        for (int y = y0; y < y1; ++y)
            HorizontalRun<Erode>(plane.row(y), plane.width(), radius, src, dst);
    });
}

// Columns x0 to x1 - 1, all rows. `clear` is taken off each row once no
// later row needs it; `keepOff` pixels never get `dst`.
template <bool Erode>
void VerticalRun(FillPlane& plane, int x0, int x1, int radius, std::uint8_t src, std::uint8_t dst, std::uint8_t clear,
                 std::uint8_t keepOff)
{
    const int height = plane.height();
    std::vector<int> count(static_cast<std::size_t>(x1 - x0), 0);
    const auto add = [&](int y, int sign) {
        const std::uint8_t* row = plane.row(y);
        for (int x = x0; x < x1; ++x)
            count[static_cast<std::size_t>(x - x0)] += ((((row[x] & src) != 0) != Erode) ? sign : 0);
    };
    const auto clearRow = [&](int y) {
        std::uint8_t* row = plane.row(y);
        for (int x = x0; x < x1; ++x)
            row[x] = static_cast<std::uint8_t>(row[x] & ~clear);
    };
    for (int y = 0; y < std::min(radius, height); ++y)
        add(y, 1);
    for (int y = 0; y < height; ++y) {
        if (y + radius < height)
            add(y + radius, 1);
        if (y - radius - 1 >= 0) {
            add(y - radius - 1, -1);
            if (clear)
                clearRow(y - radius - 1);
        }
        std::uint8_t* row = plane.row(y);
        for (int x = x0; x < x1; ++x) {
            const int c = count[static_cast<std::size_t>(x - x0)];
            const bool set = (Erode ? c == 0 : c > 0) && (row[x] & keepOff) == 0;
            row[x] = static_cast<std::uint8_t>(set ? (row[x] | dst) : (row[x] & ~dst));
        }
    }
    if (clear) {
        for (int y = std::max(0, height - radius - 1); y < height; ++y)
            clearRow(y);
    }
}

// Split by columns: no two threads ever touch the same byte.
template <bool Erode>
void VerticalPass(FillPlane& plane, int radius, std::uint8_t src, std::uint8_t dst, std::uint8_t clear,
                  std::uint8_t keepOff)
{
    const int strips = EffectiveThreads(0, plane.width());
    RunStrips(strips, [&](int k) {
        const auto [x0, x1] = StripRange(plane.width(), strips, k);
        VerticalRun<Erode>(plane, x0, x1, radius, src, dst, clear, keepOff);
    });
}

} // namespace

FillPlane ClassifyForFill(const RasterView& raster, int lineThreshold)
{
    FillPlane plane(raster.width, raster.height);
    const int strips = EffectiveThreads(0, raster.height);
    RunStrips(strips, [&](int k) {
        const auto [y0, y1] = StripRange(raster.height, strips, k);
        for (int y = y0; y < y1; ++y)
            ClassifyRow(raster.row(y), plane.row(y), raster.width, lineThreshold);
    });
    return plane;
}

void BridgeGaps(FillPlane& plane, int radius)
{
    using namespace fillbit;
    if (radius <= 0) {
        for (int y = 0; y < plane.height(); ++y) {
            std::uint8_t* row = plane.row(y);
            for (int x = 0; x < plane.width(); ++x)
                row[x] = static_cast<std::uint8_t>((row[x] & kLine) ? (row[x] | kWall) : (row[x] & ~kWall));
        }
        return;
    }
    HorizontalPass<false>(plane, radius, kLine, kScratchA);
    VerticalPass<false>(plane, radius, kScratchA, kScratchB, 0, 0);
    HorizontalPass<true>(plane, radius, kScratchB, kScratchC);
    VerticalPass<true>(plane, radius, kScratchC, kWall, kScratchA | kScratchB | kScratchC, kPainted);
}

} // namespace centrafix
