#include "region_fill.h"

#include "row_strips.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace centrafix {

namespace {

using namespace fillbit;

// Lines are split within this far of the region's bounding box: deeper than
// a drawn line's inner half is thick.
constexpr int kSplitMargin = 64;

struct Flooded {
    PlaneWindow box;
    bool leaked = false;
};

// Marks kRegion on the 4-connected pixels around (x, y) that have none of
// `blocked`, a row span at a time. With `stopAtBorder` it gives up as soon as
// a span touches the picture's border.
Flooded Flood(FillPlane& plane, int x, int y, std::uint8_t blocked, bool stopAtBorder)
{
    const std::uint8_t stop = blocked | kRegion;
    const int width = plane.width();
    const int height = plane.height();
    Flooded out;
    out.box = {x, y, x, y};
    std::vector<std::pair<int, int>> stack{{x, y}};
    while (!stack.empty()) {
        const auto [sx, sy] = stack.back();
        stack.pop_back();
        std::uint8_t* row = plane.row(sy);
        if (row[sx] & stop)
            continue;
        int left = sx;
        int right = sx;
        while (left > 0 && !(row[left - 1] & stop))
            --left;
        while (right < width - 1 && !(row[right + 1] & stop))
            ++right;
        for (int i = left; i <= right; ++i)
            row[i] |= kRegion;
        out.box.left = std::min(out.box.left, left);
        out.box.right = std::max(out.box.right, right);
        out.box.top = std::min(out.box.top, sy);
        out.box.bottom = std::max(out.box.bottom, sy);
        if (left == 0 || right == width - 1 || sy == 0 || sy == height - 1) {
            out.leaked = true;
            if (stopAtBorder)
                return out;
        }
        for (const int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= height)
                continue;
            const std::uint8_t* next = plane.row(ny);
            bool inRun = false;
            for (int i = left; i <= right; ++i) {
                const bool open = !(next[i] & stop);
                if (open && !inRun)
                    stack.emplace_back(i, ny);
                inRun = open;
            }
        }
    }
    return out;
}

FillPlan PlanRecolour(const RasterView& raster, int x, int y)
{
    FillPlan plan;
    plan.plane = FillPlane(raster.width, raster.height);
    const std::uint32_t colour = raster.row(y)[x] & 0xFFFFFFu;
    const int strips = EffectiveThreads(0, raster.height);
    RunStrips(strips, [&](int k) {
        const int y0 = static_cast<int>(static_cast<std::int64_t>(raster.height) * k / strips);
        const int y1 = static_cast<int>(static_cast<std::int64_t>(raster.height) * (k + 1) / strips);
        for (int row = y0; row < y1; ++row) {
            const std::uint32_t* in = raster.row(row);
            std::uint8_t* out = plan.plane.row(row);
            for (int i = 0; i < raster.width; ++i)
                out[i] = (in[i] & 0xFFFFFFu) == colour ? 0 : kWall;
        }
    });
    plan.window = Flood(plan.plane, x, y, kWall, false).box;
    return plan;
}

} // namespace

FillPlan PlanFill(const RasterView& raster, int x, int y, int lineThreshold, int gap)
{
    FillPlan plan;
    plan.plane = ClassifyForFill(raster, lineThreshold);
    const std::uint8_t seed = plan.plane.at(x, y);
    if (seed & kPainted)
        return PlanRecolour(raster, x, y);
    if (seed & kLine) {
        plan.outcome = FillOutcome::OnLine;
        return plan;
    }
    // Closing by a square of side 2r + 1 bridges gaps up to 2r pixels.
    BridgeGaps(plan.plane, (std::clamp(gap, 0, 64) + 1) / 2);
    if (plan.plane.at(x, y) & kWall) {
        plan.outcome = FillOutcome::OnLine;
        return plan;
    }
    const Flooded flooded = Flood(plan.plane, x, y, kWall | kPainted, true);
    if (flooded.leaked) {
        plan.outcome = FillOutcome::Leaked;
        return plan;
    }
    plan.window = {std::max(0, flooded.box.left - kSplitMargin), std::max(0, flooded.box.top - kSplitMargin),
                   std::min(raster.width - 1, flooded.box.right + kSplitMargin),
                   std::min(raster.height - 1, flooded.box.bottom + kSplitMargin)};
    SplitBoundingLines(plan.plane, plan.window);
    return plan;
}

std::int64_t PaintPlan(const FillPlan& plan, const MutableRasterView& raster, std::uint32_t word)
{
    std::int64_t changed = 0;
    const PlaneWindow& w = plan.window;
    for (int y = w.top; y <= w.bottom; ++y) {
        const std::uint8_t* marks = plan.plane.row(y);
        std::uint32_t* row = raster.row(y);
        for (int x = w.left; x <= w.right; ++x) {
            if (!(marks[x] & kRegion))
                continue;
            changed += ((row[x] ^ word) & 0xFFFFFFu) != 0 ? 1 : 0;
            row[x] = word;
        }
    }
    return changed;
}

} // namespace centrafix
