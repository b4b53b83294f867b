#pragma once

#include <QRect>

#include <cmath>

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
    return QRect(TwipsToPixels(r.left, dpiX), TwipsToPixels(r.top, dpiY), TwipsToPixels(r.width, dpiX),
                 TwipsToPixels(r.height, dpiY));
}

} // namespace centrafix
