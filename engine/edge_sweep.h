#pragma once

#include "aero/balance.h"
#include "aero/planform_outline.h"
#include "raster.h"

#include <array>
#include <vector>

namespace centrafix {

// The first and last pixel of each colour in every row, for the aerodynamic
// outline of the lifting surfaces; entries 1 to 7, empty for colours nobody
// asked for.
using PictureEdges = std::array<std::vector<aero::RowEdges>, 8>;

// The colours whose edges a run reads: ticked ones with a lifting role. None
// at all means the run reads no edges.
std::array<bool, 8> EdgeColours(const std::array<bool, 8>& ticked, const aero::BalanceSettings& balance);
bool AnyEdgeColour(const std::array<bool, 8>& colours);

// Reads the edges band by band, as ObjectSweep measures, each band's rows
// split over `threads` threads (0: one per core); the result depends neither
// on the bands nor on the threads. Keeps one entry per row and colour asked
// for, never a pixel.
class EdgeSweep {
public:
    EdgeSweep(int width, int height, const std::array<bool, 8>& colours, double Tolerance, int threads);

    // Rows firstRow to firstRow + band.height - 1; bands come in order.
    void addBand(const RasterView& band, int firstRow);

    PictureEdges take() { return std::move(m_edges); }

private:
    int m_width;
    int m_height;
    std::array<bool, 8> m_colours;
    double m_tolerance;
    int m_threads;
    PictureEdges m_edges;
};

// The edges of a whole raster; empty entries everywhere when `colours` has none.
PictureEdges ReadEdges(const RasterView& raster, const std::array<bool, 8>& colours, double Tolerance, int threads);

} // namespace centrafix
