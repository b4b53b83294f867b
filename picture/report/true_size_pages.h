#pragma once

#include "page_frame.h"
#include "page_tiles.h"
#include "report_content.h"

#include <QPolygonF>
#include <QRectF>

#include <optional>

class QPainter;

namespace centrafix {

// How the planform is laid out at true size: how long a picture pixel is on
// paper, which part of the picture is printed (the painted part and the
// balance's marks, with a little room round them), where on every page its
// piece goes, and how many pages across and down it takes.
struct TrueSizeLayout {
    double mmPerPixel = 0.0;
    QRectF region; // picture pixels
    QRectF window; // millimetres on the paper
    TileGrid grid;
};

// Overlap of neighbouring pages, millimetres.
inline constexpr double kTileOverlap = 10.0;

// How many millimetres one picture pixel is: the scale times the unit's
// length. None when the unit is no length MetresPerUnit knows, or the scale
// is no positive number.
std::optional<double> MillimetresPerPixel(const ReportContent& content);

// None where MillimetresPerPixel gives none.
std::optional<TrueSizeLayout> LayOutTrueSize(const ReportContent& content, Paper paper);

// One page of the planform at true size: the page in `row` and `column`
// (from 0) of the grid, numbered `page` of `pages` in the report. The
// picture at its own pixels under vector marks: the lifting surfaces'
// outlines, their MACs, the neutral point and the C.G. range; crosses in the
// overlaps to lay the pages by, a label naming the page, and the check bar.
void DrawTrueSizePage(QPainter& painter, const PageFrame& frame, const ReportContent& content,
                      const TrueSizeLayout& layout, int row, int column, int page, int pages, Paper paper);

// The polygon round a surface's outline, in picture pixels (pixel edges):
// down the leading edge, back up the trailing edge.
QPolygonF OutlinePolygon(const aero::Outline& outline);

} // namespace centrafix
