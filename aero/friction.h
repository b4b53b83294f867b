#pragma once

#include <optional>

namespace centrafix::aero {

// Base-10 logarithm as ln(x) / ln(10); kept apart from std::log10 so that the
// friction results match the established figures to the last digit.
double Log10(double x);

// Laminar mean skin-friction coefficient of a flat plate (Blasius),
// 1.328 / sqrt(Re). Empty for a Reynolds number of 0 or below.
std::optional<double> Cf_laminar(double Re_len);

// Turbulent mean skin-friction coefficient (Schoenherr), exactly 25 fixed-point
// updates from 1.5 x the laminar value. Empty for a Reynolds number of 0 or
// below, or where the iteration leaves the finite numbers.
std::optional<double> Cf_turbulent(double Re_l);

} // namespace centrafix::aero
