#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace centrafix::aero {

// One picture row of a colour as the edge read sees it, in pixel columns.
struct RowEdges {
    bool present = false;     // the row holds pixels of the colour
    std::int32_t lead = 0;    // its first pixel
    std::int32_t trail = 0;   // its last pixel + 1
    bool leadHidden = false;  // the pixel before `lead` is another of the seven colours
    bool trailHidden = false; // the pixel at `trail` is another of the seven colours
};

// The edges of several colours taken as one surface (a wing painted in two
// colours): per row the first lead and the last trail, each hidden as the
// colour it came from says. All vectors have one entry per picture row.
std::vector<RowEdges> UnionOfEdges(const std::vector<const std::vector<RowEdges>*>& colours);

// A lifting surface's outline as the balance counts it, in pixel columns:
// rows firstRow .. firstRow + rows.size() - 1 (the surface's row range),
// each with its leading and trailing edge after the hidden edges were
// filled in.
struct OutlineRow {
    double lead = 0.0;
    double trail = 0.0;
};

struct Outline {
    int firstRow = 0;
    std::vector<OutlineRow> rows;
};

// The aerodynamic outline of one surface from the edges of every picture
// row: a hidden edge is interpolated linearly in the row index between the
// nearest rows on either side whose same edge is not hidden; with no such row
// on one side the painted edge stays (a row without pixels then has no
// chord). Empty when no row holds a pixel.
std::optional<Outline> AerodynamicOutline(const std::vector<RowEdges>& rows);

} // namespace centrafix::aero
