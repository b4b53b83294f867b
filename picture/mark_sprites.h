#pragma once

#include "picture/result_plot.h"

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>

#include <optional>
#include <vector>

namespace centrafix {

// A mark of the plot drawn on its own, on a transparent ground, with exactly
// the pixels the plot puts into a picture. Laid over a picture shown at any
// zoom it keeps its size on screen, so a marker stays readable however far
// the picture is zoomed out; at 1:1 the picture with its sprites looks
// exactly like the picture the plot draws into.
struct MarkSprite {
    QImage image;   // Format_ARGB32
    QPoint hotSpot; // the sprite's pixel that goes on the anchor pixel
    QPoint anchor;  // the picture pixel the mark belongs to
    PlotItem::Shows shows = PlotItem::Shows::Always;
    bool label = false;
    QRect ink; // the box round its drawn pixels, in the image's coordinates
};

// One sprite for every item, in drawing order. An item whose position is no
// pixel (not finite, or far away) has none.
std::vector<MarkSprite> MarkSprites(const std::vector<PlotItem>& items);

// The origin mark (DrawOrigin's) on `pixel`.
std::optional<MarkSprite> OriginSprite(QPointF pixel);

// The sprite with a one-pixel rim of `halo` round everything it draws, so
// that its black lines still show on a black planform. For the screen only:
// the pictures the plot draws into keep the plain mark.
MarkSprite WithHalo(const MarkSprite& sprite, QRgb halo);

} // namespace centrafix
