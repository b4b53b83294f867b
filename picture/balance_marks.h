#pragma once

#include "aero/balance.h"

#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRectF>

#include <optional>
#include <utility>
#include <vector>

class QPainter;

namespace centrafix {

// Where a run's balance lies on its picture: the run's scale and origin turn
// the balance's positions (user's units from the origin) into pixels, and
// `bandRows` are the picture rows the C.G. band spans (the fuselage's, top
// to bottom + 1); none: the band covers the wing's root region instead.
struct BalancePlacement {
    double ScaleFactor = 1.0;
    double OriginX = 0.0;
    double OriginY = 0.0;
    std::optional<std::pair<double, double>> bandRows;
    // The C.G. the aircraft's masses give (x from the origin), marked beside
    // the range; none where nothing was weighed.
    std::optional<double> weighedCgX;
};

// The balance's marks in picture pixels: one MAC bar per lifting surface and
// half (along x, at the MAC's station on either side of the surface's middle
// row), the neutral point on the wing's middle row, the C.G. band from
// the forward to the aft limit and, where masses were weighed, their C.G.
struct BalanceShapes {
    std::vector<QLineF> macBars;
    QPointF neutralPoint;
    QRectF cgBand;
    std::optional<QPointF> weighedCg; // on the wing's middle row
};

BalanceShapes BalanceShapesOf(const aero::Balance& balance, const BalancePlacement& placement);

// Draws the marks with `painter`, each picture pixel `zoom` device pixels
// wide: the lines and labels keep their size whatever the zoom, so the
// overlay stays crisp on screen, and with zoom 1 they go into a picture's own
// pixels (the bitmap copy, the saved picture, the batch command's annotated
// picture).
void DrawBalanceMarks(QPainter& painter, const aero::Balance& balance, const BalancePlacement& placement,
                      int languageIndex, double zoom = 1.0);

// The same into a copy of `picture`.
QImage WithBalanceMarks(const QImage& picture, const aero::Balance& balance, const BalancePlacement& placement,
                        int languageIndex);

// The first and one past the last row of `picture` holding a pixel of
// `colour` (0xRRGGBB); none when no row does.
std::optional<std::pair<double, double>> RowsHolding(const QImage& picture, QRgb colour);

} // namespace centrafix
