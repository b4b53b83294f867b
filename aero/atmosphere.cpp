#include "atmosphere.h"

#include <cmath>

namespace centrafix::aero {
namespace {

// The constants below are the established ones, rounded ones included (the
// layer-2 factor 0.15769, the base pressures, the interval widths of Kapa):
// users compare results with figures made from them to the last digit.
constexpr double kGasConstant = 287.0528;    // J/(kg K)
constexpr double kRefTemperature = 288.15;   // K
constexpr double kRefViscosity = 1.794e-5;   // kg/(m s) at 288.15 K
constexpr double kStandardGravity = 9.80665; // m/s^2
constexpr double kEarthRadius = 6356.766;    // km

// One pressure level of the Kapa fit: c0 + c1 t + c2 t^2 + c4 t^4 + c6 t^6 + c8 t^8.
struct KapaLevel {
    double c0, c1, c2, c4, c6, c8;
};

constexpr KapaLevel kKapaLevels[5] = {
    {1.411046064, -0.043876603, 0.078159252, -0.164819672, 0.244026772, -0.133528477}, // 1 bar
    {1.45185313, -0.238326729, 0.429399196, -0.644688854, 0.648064573, -0.251316694},  // 5 bar
    {1.508051718, -0.509518453, 0.8827368, -1.161368964, 1.075652768, -0.398545516},   // 10 bar
    {1.653204013, -1.303782223, 2.468723716, -3.749503101, 3.882311539, -1.546015943}, // 20 bar
    {1.984046042, -2.281657587, 3.263497089, -3.278146682, 2.632431194, -0.893152423}, // 50 bar
};

double KapaAtLevel(const KapaLevel& k, double t)
{
    return k.c0 + k.c1 * t + k.c2 * std::pow(t, 2) + k.c4 * std::pow(t, 4) + k.c6 * std::pow(t, 6) +
           k.c8 * std::pow(t, 8);
}

double Clamp01(double v)
{
    if (v < 0)
        return 0;
    if (v > 1)
        return 1;
    return v;
}

} // namespace

double Kapa(double Temperature, double Pressure)
{
    const double p = Clamp01((Pressure / 100000 - 1) / 49);
    const double t = Clamp01((Temperature - 150) / 300);

    const double k0 = KapaAtLevel(kKapaLevels[0], t);
    if (p <= 0)
        return k0;
    const double k1 = KapaAtLevel(kKapaLevels[1], t);
    if (p <= 0.081632653)
        return k0 + (p / 0.081632653) * (k1 - k0);
    const double k2 = KapaAtLevel(kKapaLevels[2], t);
    if (p < 0.183673469)
        return k1 + ((p - 0.081632653) / 0.102040816) * (k2 - k1);
    const double k3 = KapaAtLevel(kKapaLevels[3], t);
    if (p <= 0.387755102)
        return k2 + ((p - 0.183673469) / 0.204081633) * (k3 - k2);
    const double k4 = KapaAtLevel(kKapaLevels[4], t);
    if (p <= 1)
        return k3 + ((p - 0.387755102) / 0.6122448979999999) * (k4 - k3);
    return k4; // only reached by a NaN pressure; the clamp keeps p within 0..1
}

namespace {

// Ideal-gas density; empty for a temperature of 0 K or below.
std::optional<double> GasDensity(double Temperature, double Pressure)
{
    if (!(Temperature > 0))
        return std::nullopt;
    const double density = Pressure / (Temperature * kGasConstant);
    if (!std::isfinite(density))
        return std::nullopt;
    return density;
}

// Standard temperature (K), pressure (Pa) and viscosity exponent of the
// layer that holds geopotential height h (km).
struct LayerState {
    double T;
    double p;
    double n;
};

LayerState StandardLayer(double h)
{
    if (h < 11)
        return {288.15 - 6.5 * h, 101325 * std::pow(1 - 6.5 * h / 288.15, 5.25587611327852), 0.822};
    if (h < 20)
        return {216.65, 22632 * std::exp(-0.15769 * (h - 11)), 0.836};
    if (h < 32)
        return {216.65 + (h - 20), 5474.89 * std::pow(1 + (h - 20) / 216.65, -34.1631947363104), 0.85};
    if (h < 47)
        return {228.65 + 2.8 * (h - 32), 868.019 * std::pow(1 + 2.8 * (h - 32) / 228.65, -12.2011409772537), 0.85};
    if (h < 51)
        return {270.65, 110.906 * std::exp(-0.126226472330724 * (h - 47)), 0.85};
    if (h < 71)
        return {270.65 - 2.8 * (h - 51), 66.9389 * std::pow(1 - 2.8 * (h - 51) / 270.65, 12.2011409772537), 0.85};
    return {214.65 - 2 * (h - 71), 3.95642 * std::pow(1 - 2 * (h - 71) / 214.65, 17.0815973681552), 0.85};
}

} // namespace

std::optional<AirState> StandardAtmosphere(double Altitude, double DeltaT)
{
    const double h = Altitude / 1000;
    if (!std::isfinite(h) || !std::isfinite(DeltaT) || h >= kTopOfModel / 1000)
        return std::nullopt;
    const LayerState layer = StandardLayer(h);

    AirState air;
    air.Pressure = layer.p;
    air.Temperature = layer.T + DeltaT;
    // A temperature of 0 K or below has no gas density, and a pressure of 0
    // or below none above 0: the checks on the density below refuse both.
    air.SpecificHeatRatio = Kapa(air.Temperature, air.Pressure);
    air.SpeedOfSound = std::sqrt(air.SpecificHeatRatio * kGasConstant * air.Temperature);
    const auto density = GasDensity(air.Temperature, air.Pressure);
    if (!density)
        return std::nullopt;
    air.Density = *density;
    air.KinViscosity = std::pow(air.Temperature / kRefTemperature, layer.n) * (kRefViscosity / air.Density);
    air.Gravity = kStandardGravity * std::pow(kEarthRadius / (kEarthRadius + h), 2);

    // Far outside the layers' intended range (an altitude of -1e60 m, a DeltaT
    // of 1e308) the formulas overflow; the model has no result there either.
    for (const double v : {air.SpeedOfSound, air.Density, air.KinViscosity, air.Gravity, air.SpecificHeatRatio,
                           air.Temperature, air.Pressure}) {
        if (!std::isfinite(v))
            return std::nullopt;
    }
    if (!(air.Density > 0))
        return std::nullopt;
    return air;
}

} // namespace centrafix::aero
