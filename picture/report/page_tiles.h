#pragma once

#include <vector>

namespace centrafix {

// How a drawing larger than a page is cut into pages that overlap, so the
// builder can lay them edge on edge: every page shows a window of
// `window` size of the drawing; neighbouring windows share `overlap`.
// Lengths in one unit (millimetres), all positive, overlap below the
// window.
struct TileGrid {
    int columns = 1;
    int rows = 1;
    double stepX = 0.0; // from one window's left edge to the next one's
    double stepY = 0.0;
    int pages() const { return columns * rows; }
};

// The fewest windows covering `length`: one when it fits, else one more for
// every (window - overlap) the rest needs.
int TilesAlong(double length, double window, double overlap);

TileGrid TilesFor(double width, double height, double windowWidth, double windowHeight, double overlap);

// Where the alignment marks of the overlap between tile `index` and the next
// along one axis lie (the middle of their shared strip), for every boundary
// of a grid with `count` tiles.
std::vector<double> OverlapMiddles(int count, double step, double window);

} // namespace centrafix
