#pragma once

#include "report_paper.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>

class QPaintDevice;

namespace centrafix {

// Millimetres on the paper and the device's pixels: the report is laid out
// in millimetres from the paper's top left corner, and a QPdfWriter (1200
// dpi) and a printer (whatever it offers) each get their own pixels.
struct PageFrame {
    QSizeF paper; // millimetres, portrait
    double pixelsPerMmX = 1.0;
    double pixelsPerMmY = 1.0;

    QPointF at(double xMm, double yMm) const { return {xMm * pixelsPerMmX, yMm * pixelsPerMmY}; }
    QRectF rect(double xMm, double yMm, double wMm, double hMm) const
    {
        return {at(xMm, yMm), QSizeF(wMm * pixelsPerMmX, hMm * pixelsPerMmY)};
    }
    double width(double mm) const { return mm * pixelsPerMmX; }
    double height(double mm) const { return mm * pixelsPerMmY; }
};

// The frame of a device whose page is `paper`, full page, portrait.
PageFrame FrameOf(const QPaintDevice& device, Paper paper);

// What every page keeps free round its edge: printers print nothing in the
// outer 4 to 6 mm.
inline constexpr double kPageMargin = 12.0;

} // namespace centrafix
