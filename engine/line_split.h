#pragma once

#include "fill_plane.h"

namespace centrafix {

// A rectangle of the plane, edges included.
struct PlaneWindow {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;
};

// Gives the region (kRegion) the inner half of the walls that bound it, so
// it is measured to the middle of its drawn lines: each wall pixel in
// `window` goes to the nearer of the region and the other paper (4-connected
// steps through wall pixels), a pixel as near to both goes by a fixed
// scatter of the pixels, so half of a line's middle row goes each way.
// Painted pixels are neither side: beside a region painted by an earlier
// fill, the line left between them is all this region's.
//
// Where nothing but walls lies behind (a black region, a solid block of
// ink) the region would eat on; it stops one pixel deeper than the depth at
// which most of its lines were met from the other side. A line a little
// wider than the usual is still split in the middle (much wider ones give
// the region less than their half), and a black region beside it loses at
// most about half a line's width more than its share.
// Expects the scratch bits clear in `window` and leaves them in use.
void SplitBoundingLines(FillPlane& plane, const PlaneWindow& window);

} // namespace centrafix
