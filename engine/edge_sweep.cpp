#include "edge_sweep.h"

#include "color_object.h"
#include "pixel_classes.h"
#include "row_strips.h"

#include <algorithm>

namespace centrafix {
namespace {

constexpr std::size_t At(int i)
{
    return static_cast<std::size_t>(i);
}

// Every pixel goes to one of the seven colours by its nearest colour corner,
// or to none: a pixel of an unticked fuselage still hides the wing under it.
// Up to a tolerance of 127.5 no pixel lies within reach of two colours; above
// it a pixel goes to its nearest colour, which is what ByCorner does anyway.
PixelClasses AllSevenColours(double Tolerance)
{
    std::array<bool, 8> all{};
    for (int i = 1; i <= kObjectCount; ++i)
        all[At(i)] = true;
    return PixelClasses::ByCorner(all, Tolerance);
}

void ReadRow(const std::uint32_t* row, int width, int y, const PixelClasses& classes,
             const std::array<bool, 8>& colours, PictureEdges& edges)
{
    std::array<std::int32_t, 8> first;
    std::array<std::int32_t, 8> last;
    first.fill(-1);
    last.fill(-1);
    // Flat colours come in runs: a word is classified once per run.
    for (int x = 0; x < width;) {
        const std::uint32_t word = row[x];
        const int start = x;
        while (x < width && row[x] == word)
            ++x;
        const auto c = At(classes(word));
        if (c == 0)
            continue;
        if (first[c] < 0)
            first[c] = start;
        last[c] = x - 1;
    }
    for (int i = 1; i <= kObjectCount; ++i) {
        if (!colours[At(i)] || first[At(i)] < 0)
            continue;
        aero::RowEdges& e = edges[At(i)][At(y)];
        e.present = true;
        e.lead = first[At(i)];
        e.trail = last[At(i)] + 1;
        const auto other = [&](int x) {
            if (x < 0 || x >= width)
                return false;
            const int c = classes(row[x]);
            return c != 0 && c != i;
        };
        e.leadHidden = other(e.lead - 1);
        e.trailHidden = other(e.trail);
    }
}

} // namespace

std::array<bool, 8> EdgeColours(const std::array<bool, 8>& ticked, const aero::BalanceSettings& balance)
{
    std::array<bool, 8> colours{};
    for (int i = 1; i <= kObjectCount; ++i)
        colours[At(i)] = ticked[At(i)] && aero::IsLifting(balance.roles[At(i)]);
    return colours;
}

bool AnyEdgeColour(const std::array<bool, 8>& colours)
{
    return std::any_of(colours.begin() + 1, colours.end(), [](bool b) { return b; });
}

EdgeSweep::EdgeSweep(int width, int height, const std::array<bool, 8>& colours, double Tolerance, int threads)
    : m_width(width),
      m_height(height),
      m_colours(colours),
      m_tolerance(Tolerance),
      m_threads(threads)
{}

void EdgeSweep::addBand(const RasterView& band, int firstRow)
{
    if (!AnyEdgeColour(m_colours))
        return;
    // The tables grow with the rows that arrive, as ObjectSweep's do.
    const auto rows = At(std::min(firstRow + band.height, m_height));
    for (int i = 1; i <= kObjectCount; ++i)
        if (m_colours[At(i)] && m_edges[At(i)].size() < rows)
            m_edges[At(i)].resize(rows);
    const PixelClasses classes = AllSevenColours(m_tolerance);
    const int count = EffectiveThreads(m_threads, band.height);
    const auto stripStart = [&](int k) { return static_cast<int>(static_cast<std::int64_t>(band.height) * k / count); };
    // Each strip writes its own rows of the tables.
    RunStrips(count, [&](int k) {
        for (int r = stripStart(k); r < stripStart(k + 1); ++r) {
            if (firstRow + r < m_height)
                ReadRow(band.row(r), std::min(band.width, m_width), firstRow + r, classes, m_colours, m_edges);
        }
    });
}

PictureEdges ReadEdges(const RasterView& raster, const std::array<bool, 8>& colours, double Tolerance, int threads)
{
    EdgeSweep sweep(raster.width, raster.height, colours, Tolerance, threads);
    sweep.addBand(raster, 0);
    return sweep.take();
}

} // namespace centrafix
