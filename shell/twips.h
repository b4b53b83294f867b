#pragma once

#include <QRect>

#include <cmath>
#include <optional>

namespace centrafix {

// The window was laid out in twips (1/1440 inch). Keeping the designed numbers
// and converting them at the screen's logical DPI lets the layout read like the
// drawing it came from and scale with the user's font and screen settings.
inline int TwipsToPixels(double twips, double dpi)
{
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

inline double PixelsToTwips(int pixels, double dpi)
{
    return pixels * 1440.0 / dpi;
}

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline QRect TwipsToPixels(const TwipsRect& r, double dpiX, double dpiY)
{
    return QRect(TwipsToPixels(r.left, dpiX), TwipsToPixels(r.top, dpiY),
                 TwipsToPixels(r.width, dpiX), TwipsToPixels(r.height, dpiY));
}

// What a change of the window's width does to the layout, all in twips. The
// right-hand panel stays flush with the right edge and the grid takes the room
// left of it, but neither is pushed into a window too narrow to hold them: the
// comparisons are strict, so exactly 100 twips to spare changes nothing.
struct ResizePlan {
    double picBoxTop = 80.0;
    std::optional<double> picBoxLeft;
    std::optional<double> gridWidth;
};

inline ResizePlan PlanResize(double clientWidth, double picBoxWidth, double gridLeft)
{
    ResizePlan plan;
    if (clientWidth - picBoxWidth > 100.0)
        plan.picBoxLeft = clientWidth - picBoxWidth;
    const double w = clientWidth - gridLeft - picBoxWidth - 240.0;
    if (w > 100.0)
        plan.gridWidth = w;
    return plan;
}

} // namespace centrafix
