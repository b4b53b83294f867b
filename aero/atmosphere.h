#pragma once

#include <optional>

namespace centrafix::aero {

// The state of the air at one altitude, in SI units.
struct AirState {
    double SpeedOfSound = 0.0;      // m/s
    double Density = 0.0;           // kg/m^3
    double KinViscosity = 0.0;      // m^2/s
    double Gravity = 0.0;           // m/s^2
    double SpecificHeatRatio = 0.0; // -
    double Temperature = 0.0;       // K
    double Pressure = 0.0;          // Pa
};

// Layer 7's pressure base 1 - 2 (h - 71) / 214.65 reaches 0 here; from this
// altitude upwards the model has no air.
inline constexpr double kTopOfModel = 178325.0; // m

// Seven-layer standard atmosphere. Altitude in metres, DeltaT in kelvin added to
// the standard temperature. Empty where the model has no result: from
// 178.325 km up (temperature and pressure reach 0) and wherever the shifted
// temperature is 0 K or below.
std::optional<AirState> StandardAtmosphere(double Altitude, double DeltaT);

// Ratio of specific heats of air, a table fit over 150 to 450 K and 1 to 50 bar
// (inputs outside are clamped).
double Kapa(double Temperature, double Pressure);

} // namespace centrafix::aero
