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
} // namespace defaults

} // namespace centrafix
