#pragma once

#include "engine/run_types.h"
#include "picture_area.h"

namespace centrafix {

// Which markers the plot draws (the two "Show Area ..." check boxes).
struct PlotChoice {
    bool showAC = false; // A.C. marker and label for every found object
    bool showCG = false; // C.G. marker and label for the total and every found object
};

// Draws the origin mark and the A.C. / C.G. markers with their labels into the
// retained image of picSide (AutoRedraw is switched on and stays on).
// Positions in `values` are origin-relative, as the summation leaves them.
void PlotResults(PictureArea& picSide, const ColorObjectTable& ColorObjects,
                 const RunValues& values, double OriginX, double OriginY, PlotChoice choice,
                 int languageIndex);

// The origin mark at (OriginX / dScale, OriginY / dScale): a black disc with a
// yellow rim, a 50-pixel x axis to the right and y axis downwards, labelled
// "x" and "y". Drawn with picSide's current AutoRedraw.
void DrawOrigin(PictureArea& picSide, double OriginX, double OriginY, double dScale);

// The centre-of-gravity symbol at (X, Y): white disc of radius 8 with a black
// ring, black quarter discs of radius 6 upper-right and lower-left.
void DrawMarker(PictureArea& area, double X, double Y);

} // namespace centrafix
