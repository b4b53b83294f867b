#include "zoom.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <cmath>

namespace centrafix {
namespace {

constexpr std::array kSteps{1.0 / 64, 1.0 / 48, 1.0 / 32, 1.0 / 24, 1.0 / 16, 1.0 / 12, 1.0 / 8,
                            1.0 / 6,  1.0 / 4,  1.0 / 3,  1.0 / 2,  2.0 / 3,  1.0,      1.5,
                            2.0,      3.0,      4.0,      6.0,      8.0,      12.0,     16.0};

// Steps compare with some slack: a factor read back from text is not bit for
// bit the step it was.
constexpr double kSlack = 1e-9;

} // namespace

double StepZoom(double zoom, int steps)
{
    double z = std::clamp(zoom, kMinZoom, kMaxZoom);
    for (; steps > 0; --steps) {
        const auto next = std::find_if(kSteps.begin(), kSteps.end(), [&](double s) { return s > z * (1 + kSlack); });
        z = next == kSteps.end() ? kMaxZoom : *next;
    }
    for (; steps < 0; ++steps) {
        const auto next = std::find_if(kSteps.rbegin(), kSteps.rend(), [&](double s) { return s < z * (1 - kSlack); });
        z = next == kSteps.rend() ? kMinZoom : *next;
    }
    return z;
}

double FitZoom(QSize picture, QSize region)
{
    if (picture.isEmpty() || region.isEmpty())
        return 1.0;
    const double z = std::min(static_cast<double>(region.width()) / picture.width(),
                              static_cast<double>(region.height()) / picture.height());
    return std::clamp(z, kMinZoom, kMaxZoom);
}

ZoomMode AutomaticZoom(QSize picture, QSize region)
{
    const bool larger = picture.width() > region.width() || picture.height() > region.height();
    return larger ? ZoomMode{true, FitZoom(picture, region)} : ZoomMode{false, 1.0};
}

QString ZoomModeText(const ZoomMode& mode)
{
    return mode.fit ? QStringLiteral("fit") : QString::number(mode.factor, 'g', 10);
}

std::optional<ZoomMode> ZoomModeFromText(const QString& text)
{
    if (text == QLatin1String("fit"))
        return ZoomMode{true, 1.0};
    bool ok = false;
    const double factor = text.toDouble(&ok);
    if (!ok || !(factor >= kMinZoom && factor <= kMaxZoom))
        return std::nullopt;
    return ZoomMode{false, factor};
}

QString ZoomPercent(double zoom)
{
    const double percent = zoom * 100.0;
    const QLocale locale;
    return QStringLiteral("%1 %").arg(percent >= 10 ? locale.toString(static_cast<qlonglong>(std::lround(percent)))
                                                    : locale.toString(percent, 'f', 1));
}

} // namespace centrafix
