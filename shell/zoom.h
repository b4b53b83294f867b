#pragma once

#include <QSize>
#include <QString>

#include <optional>

namespace centrafix {

// How the picture is shown: fitted into its region (the factor follows the
// region's size) or at a fixed factor, 1 meaning one screen pixel for every
// picture pixel.
struct ZoomMode {
    bool fit = false;
    double factor = 1.0;
};

inline constexpr double kMinZoom = 1.0 / 64;
inline constexpr double kMaxZoom = 16.0;

// The factor `steps` steps in (positive) or out (negative) from `zoom`, along
// 1:64 ... 1:2, 2:3, 1:1, 3:2, 2, 3 ... 16. A zoom between two steps (a fitted
// one) goes to the next step in that direction.
double StepZoom(double zoom, int steps);

// The largest factor that shows all of `picture` in `region`, within the
// limits above.
double FitZoom(QSize picture, QSize region);

// What a newly loaded picture is shown with: fitted when it is larger than
// the region, 1:1 otherwise.
ZoomMode AutomaticZoom(QSize picture, QSize region);

// The stored form: "fit", or the factor with "." ("1", "0.25", "3").
QString ZoomModeText(const ZoomMode& mode);
std::optional<ZoomMode> ZoomModeFromText(const QString& text);

// "25 %", "300 %", "8,4 %": the factor as users read it, in the locale's
// digits.
QString ZoomPercent(double zoom);

} // namespace centrafix
