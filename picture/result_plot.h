#pragma once

#include "engine/run_types.h"
#include "picture/picture_area.h"

#include <QString>

#include <vector>

namespace centrafix {

// Which markers the plot draws (the two "Show Area ..." check boxes).
struct PlotChoice {
    bool showAC = false; // A.C. marker and label for every found object
    bool showCG = false; // C.G. marker and label for the total and every found object
};

// One thing the plot draws, kept as a position and a text rather than as
// pixels: the window draws it over a picture at any zoom and shows or hides
// it with the check boxes, while the bitmap copy and the batch command draw it
// into the picture's own pixels.
struct PlotItem {
    enum class Shape { Marker, Label };
    // Which check box shows it; the total's A.C. shows whatever they say.
    enum class Shows { Always, WithAC, WithCG };

    Shape shape = Shape::Marker;
    Shows shows = Shows::Always;
    double x = 0.0; // the marker's position in picture pixels
    double y = 0.0;
    int dx = 0; // where a label starts, in pixels from that position
    int dy = 0;
    QString text;
    bool bold = false; // the total's labels
};

inline bool Shown(PlotItem::Shows shows, PlotChoice choice)
{
    using Shows = PlotItem::Shows;
    return shows == Shows::Always || (shows == Shows::WithAC && choice.showAC) ||
           (shows == Shows::WithCG && choice.showCG);
}

// Everything a run's plot can show, in drawing order, for every found object
// (the total first). Positions in `values` are origin-relative, as the
// summation leaves them.
std::vector<PlotItem> ResultMarks(const ColorObjectTable& ColorObjects, const RunValues& values, double OriginX,
                                  double OriginY, int languageIndex);

// Draws the items `choice` shows into `area` with its current AutoRedraw.
void DrawMarks(PictureArea& area, const std::vector<PlotItem>& items, PlotChoice choice);

// One item drawn with its anchor on pixel (x, y) instead of its own position.
void DrawItem(PictureArea& area, const PlotItem& item, double x, double y);

// Draws the origin mark and the A.C. / C.G. markers with their labels into the
// retained image of picSide (AutoRedraw is switched on and stays on).
// Positions in `values` are origin-relative, as the summation leaves them.
void PlotResults(PictureArea& picSide, const ColorObjectTable& ColorObjects, const RunValues& values, double OriginX,
                 double OriginY, PlotChoice choice, int languageIndex);

// The origin mark at (OriginX / dScale, OriginY / dScale): a black disc with a
// yellow rim, a 50-pixel x axis to the right and y axis downwards, labelled
// "x" and "y". Drawn with picSide's current AutoRedraw.
void DrawOrigin(PictureArea& picSide, double OriginX, double OriginY, double dScale);

// The centre-of-gravity symbol at (X, Y): white disc of radius 8 with a black
// ring, black quarter discs of radius 6 upper-right and lower-left.
void DrawMarker(PictureArea& area, double X, double Y);

} // namespace centrafix
