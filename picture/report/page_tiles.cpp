#include "page_tiles.h"

#include <cmath>

namespace centrafix {

int TilesAlong(double length, double window, double overlap)
{
    if (!(length > window))
        return 1;
    // A rest within a hair of a whole step needs no page of its own: the
    // sizes come out of scale arithmetic and miss by rounding.
    const double steps = (length - window) / (window - overlap);
    return 1 + static_cast<int>(std::ceil(steps - 1e-9));
}

TileGrid TilesFor(double width, double height, double windowWidth, double windowHeight, double overlap)
{
    TileGrid grid;
    grid.columns = TilesAlong(width, windowWidth, overlap);
    grid.rows = TilesAlong(height, windowHeight, overlap);
    grid.stepX = windowWidth - overlap;
    grid.stepY = windowHeight - overlap;
    return grid;
}

std::vector<double> OverlapMiddles(int count, double step, double window)
{
    std::vector<double> middles;
    for (int k = 1; k < count; ++k)
        middles.push_back((k * step + (k - 1) * step + window) / 2.0);
    return middles;
}

} // namespace centrafix
