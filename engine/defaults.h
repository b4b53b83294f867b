#pragma once

#include <string_view>

namespace centrafix {

// What a field holds when the user has given nothing else: the window's first
// start, the settings store's missing keys and the batch command's options
// all take them from here.
namespace defaults {
inline constexpr std::string_view kScaleText = "1.0";
inline constexpr std::string_view kToleranceText = "10";
inline constexpr std::string_view kAltitudeText = "10000";
inline constexpr std::string_view kMachText = "0.85";
inline constexpr std::string_view kWeightText = "1.0";
inline constexpr double kWeight = 1.0;
// Colour clean-up: at 200 nearly every pixel of a scanned, anti-aliased or
// compressed drawing lands on a colour.
inline constexpr std::string_view kCleanUpThresholdText = "200";
inline constexpr double kCleanUpThreshold = 200.0;
// Plans drawn in lines: a pixel is part of a line when the sum of its three
// channels is below the threshold; a fill bridges gaps in a line up to this
// many pixels wide; a colour mapping takes pixels within this colour
// distance (summed channel differences, the analysis's rule).
inline constexpr int kLineThreshold = 384;
inline constexpr int kFillGap = 2;
inline constexpr double kMapTolerance = 60.0;
// PDF and SVG plans are rendered at this resolution unless asked otherwise;
// pages are counted from 1.
inline constexpr double kPlanDpi = 150.0;
inline constexpr int kPlanPage = 1;
} // namespace defaults

} // namespace centrafix
