#include "aero/atmosphere.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace centrafix::aero {
namespace {

AirState At(double altitude, double deltaT = 0)
{
    const std::optional<AirState> air = StandardAtmosphere(altitude, deltaT);
    EXPECT_TRUE(air.has_value()) << "no air state at " << altitude << " m";
    return air.value_or(AirState{});
}

// The viscosity exponent n that StandardAtmosphere used, recovered from its own
// outputs: KinViscosity = (T / 288.15)^n * 1.794e-5 / Density.
double ViscosityExponent(const AirState& air)
{
    return std::log(air.KinViscosity * air.Density / 1.794e-5) / std::log(air.Temperature / 288.15);
}

// ---------------------------------------------------------------- sea level

TEST(StandardAtmosphereSeaLevel, GivesTheReferenceState)
{
    const AirState air = At(0);
    EXPECT_EQ(air.Temperature, 288.15);
    EXPECT_EQ(air.Pressure, 101325.0);
    EXPECT_EQ(air.Gravity, 9.80665);
    EXPECT_EQ(air.SpecificHeatRatio, Kapa(288.15, 101325));
    EXPECT_EQ(air.SpeedOfSound, std::sqrt(Kapa(288.15, 101325) * 287.0528 * 288.15));
    EXPECT_EQ(air.Density, 101325 / (288.15 * 287.0528));
}

TEST(StandardAtmosphereSeaLevel, KinViscosityEqualsKinematicViscosity)
{
    const std::optional<double> nu = KinematicViscosity(288.15, 101325);
    ASSERT_TRUE(nu.has_value());
    EXPECT_EQ(At(0).KinViscosity, *nu);
}

// ------------------------------------------------------------------- layers

// One altitude inside every layer, with temperature, pressure and viscosity
// exponent written out from the model's layer table: a mistyped
// constant in any layer shows here.
struct LayerCase {
    double altitude; // m
    double T;
    double p;
    double n;
};

class StandardAtmosphereLayers : public ::testing::TestWithParam<LayerCase> {};

TEST_P(StandardAtmosphereLayers, FollowTheLayerFormulas)
{
    const LayerCase& c = GetParam();
    const AirState air = At(c.altitude);
    EXPECT_DOUBLE_EQ(air.Temperature, c.T);
    EXPECT_DOUBLE_EQ(air.Pressure, c.p);
    EXPECT_NEAR(ViscosityExponent(air), c.n, 1e-9);
    const double h = c.altitude / 1000;
    EXPECT_DOUBLE_EQ(air.Gravity, 9.80665 * std::pow(6356.766 / (6356.766 + h), 2));
    EXPECT_DOUBLE_EQ(air.SpeedOfSound, std::sqrt(Kapa(c.T, c.p) * 287.0528 * c.T));
}

INSTANTIATE_TEST_SUITE_P(
    AllSeven, StandardAtmosphereLayers,
    ::testing::Values(
        LayerCase{5000, 288.15 - 6.5 * 5, 101325 * std::pow(1 - 6.5 * 5 / 288.15, 5.25587611327852),
                  0.822},
        LayerCase{15000, 216.65, 22632 * std::exp(-0.15769 * 4), 0.836},
        LayerCase{25000, 216.65 + 5, 5474.89 * std::pow(1 + 5 / 216.65, -34.1631947363104), 0.85},
        LayerCase{40000, 228.65 + 2.8 * 8,
                  868.019 * std::pow(1 + 2.8 * 8 / 228.65, -12.2011409772537), 0.85},
        LayerCase{49000, 270.65, 110.906 * std::exp(-0.126226472330724 * 2), 0.85},
        LayerCase{60000, 270.65 - 2.8 * 9,
                  66.9389 * std::pow(1 - 2.8 * 9 / 270.65, 12.2011409772537), 0.85},
        LayerCase{100000, 214.65 - 2 * 29,
                  3.95642 * std::pow(1 - 2 * 29 / 214.65, 17.0815973681552), 0.85}));

TEST(StandardAtmosphereLayerBounds, UpperLayerStartsAtItsBound)
{
    // Exactly at the bound the upper layer applies, so its rounded base
    // pressure comes out unchanged.
    EXPECT_EQ(At(11000).Pressure, 22632.0);
    EXPECT_EQ(At(11000).Temperature, 216.65);
    EXPECT_EQ(At(20000).Pressure, 5474.89);
    EXPECT_EQ(At(20000).Temperature, 216.65);
    EXPECT_EQ(At(32000).Pressure, 868.019);
    EXPECT_EQ(At(47000).Pressure, 110.906);
    EXPECT_EQ(At(51000).Pressure, 66.9389);
    EXPECT_EQ(At(71000).Pressure, 3.95642);
}

TEST(StandardAtmosphereLayerBounds, PressureJumpsBelowATenthOfAPascal)
{
    // The rounded base pressures and the rounded 0.15769 leave small steps at
    // the bounds (about 0.064 Pa at 11 km, 0.095 Pa at 20 km); the temperature
    // is continuous. A wrong constant makes the steps far larger.
    for (const double bound : {11000.0, 20000.0, 32000.0, 47000.0, 51000.0, 71000.0}) {
        const AirState below = At(std::nextafter(bound, 0.0));
        const AirState at = At(bound);
        EXPECT_LT(std::abs(below.Pressure - at.Pressure), 0.1) << bound;
        EXPECT_NEAR(below.Temperature, at.Temperature, 1e-9) << bound;
    }
    EXPECT_NEAR(At(std::nextafter(11000.0, 0.0)).Pressure - 22632, 0.064, 0.001);
    EXPECT_NEAR(At(std::nextafter(20000.0, 0.0)).Pressure - 5474.89, -0.095, 0.001);
}

TEST(StandardAtmosphereLayerBounds, NegativeAltitudeExtendsLayerOne)
{
    const AirState air = At(-1000);
    EXPECT_DOUBLE_EQ(air.Temperature, 294.65);
    EXPECT_GT(air.Pressure, 101325);
    EXPECT_DOUBLE_EQ(air.Pressure, 101325 * std::pow(1 + 6.5 / 288.15, 5.25587611327852));
    EXPECT_NEAR(ViscosityExponent(air), 0.822, 1e-9);
}

TEST(StandardAtmosphereLayerBounds, DefaultAltitudeOfTenKilometres)
{
    const AirState air = At(10000);
    EXPECT_DOUBLE_EQ(air.Temperature, 223.15);
    EXPECT_DOUBLE_EQ(air.Pressure, 101325 * std::pow(1 - 65 / 288.15, 5.25587611327852));
}

TEST(StandardAtmosphereDeltaT, ShiftsTemperatureButNotPressure)
{
    const AirState standard = At(5000);
    const AirState warm = At(5000, 15);
    EXPECT_DOUBLE_EQ(warm.Temperature, standard.Temperature + 15);
    EXPECT_EQ(warm.Pressure, standard.Pressure);
    EXPECT_LT(warm.Density, standard.Density);
    EXPECT_GT(warm.SpeedOfSound, standard.SpeedOfSound);
}

// ------------------------------------------------- published standard values

// 1976 US Standard Atmosphere, geopotential altitudes (the model's h is the
// geopotential altitude). The model's rounded constants keep it close but not
// identical: see the comments for where it differs and why.
TEST(StandardAtmospherePublished, AgreesWithUsStandardAtmosphere1976)
{
    const AirState a5 = At(5000);
    EXPECT_NEAR(a5.Temperature, 255.65, 1e-9);
    EXPECT_NEAR(a5.Pressure, 54019.9, 0.05);

    // Published 12044.57 Pa; the model gives 12044.46 Pa because layer 2 uses
    // the rounded 22632 Pa and 0.15769 /km (9.80665 / (287.0528 * 216.65) is
    // 0.1576883 /km), about 0.11 Pa low at 15 km.
    const AirState a15 = At(15000);
    EXPECT_NEAR(a15.Temperature, 216.65, 1e-9);
    EXPECT_NEAR(a15.Pressure, 12044.6, 0.2);

    const AirState a30 = At(30000);
    EXPECT_NEAR(a30.Temperature, 226.65, 1e-9);
    EXPECT_NEAR(a30.Pressure, 1171.87, 0.05);

    // Sea-level density 1.2250 kg/m^3 as published.
    EXPECT_NEAR(At(0).Density, 1.2250, 1e-5);
    // Gravity 9.7759 m/s^2 at 10 km (same earth radius 6356.766 km).
    EXPECT_NEAR(At(10000).Gravity, 9.7759, 1e-4);
}

TEST(StandardAtmospherePublished, SoundSpeedAndViscosityDifferWhereTheModelDoes)
{
    const AirState air = At(0);
    // Published 340.294 m/s with gamma = 1.4; the model's Kapa fit gives
    // 1.40209 at 288.15 K and 1 atm, which raises the speed by about 0.25 m/s.
    EXPECT_NEAR(air.SpecificHeatRatio, 1.40209, 1e-5);
    EXPECT_NEAR(air.SpeedOfSound, 340.294, 0.3);
    // Published 1.4607e-5 m^2/s from 1.7894e-5 kg/(m s); the model's reference
    // viscosity 1.794e-5 makes it about 0.26 % higher.
    EXPECT_NEAR(air.KinViscosity, 1.4607e-5, 0.004 * 1.4607e-5);
}

// ---------------------------------------------------------------- no result

TEST(StandardAtmosphereNoResult, FromTheTopOfTheModelUp)
{
    EXPECT_FALSE(StandardAtmosphere(178325, 0).has_value());
    EXPECT_FALSE(StandardAtmosphere(178325.5, 0).has_value());
    EXPECT_FALSE(StandardAtmosphere(200000, 0).has_value());
    EXPECT_FALSE(StandardAtmosphere(1e9, 0).has_value());
    // Warming the air does not bring back a pressure the model does not have.
    EXPECT_FALSE(StandardAtmosphere(180000, 100).has_value());
}

TEST(StandardAtmosphereNoResult, JustBelowTheTopStillFinite)
{
    const std::optional<AirState> air = StandardAtmosphere(178324, 0);
    ASSERT_TRUE(air.has_value());
    EXPECT_GT(air->Temperature, 0);
    EXPECT_GT(air->Pressure, 0);
    EXPECT_TRUE(std::isfinite(air->KinViscosity));
    EXPECT_TRUE(std::isfinite(air->SpeedOfSound));
}

TEST(StandardAtmosphereNoResult, TemperatureAtOrBelowZeroKelvin)
{
    EXPECT_FALSE(StandardAtmosphere(0, -288.15).has_value());
    EXPECT_FALSE(StandardAtmosphere(0, -300).has_value());
    EXPECT_FALSE(StandardAtmosphere(15000, -216.65).has_value());
    EXPECT_TRUE(StandardAtmosphere(15000, -216).has_value());
}

TEST(StandardAtmosphereNoResult, NothingNonFinite)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(StandardAtmosphere(nan, 0).has_value());
    EXPECT_FALSE(StandardAtmosphere(inf, 0).has_value());
    EXPECT_FALSE(StandardAtmosphere(-inf, 0).has_value());
    EXPECT_FALSE(StandardAtmosphere(0, nan).has_value());
    EXPECT_FALSE(StandardAtmosphere(0, 1e308 * 10).has_value());
    // Far below sea level the layer-1 power overflows.
    EXPECT_FALSE(StandardAtmosphere(-1e70, 0).has_value());
}

// --------------------------------------------------------------------- Kapa

TEST(Kapa, ClampedCorners)
{
    EXPECT_EQ(Kapa(150, 100000), 1.411046064);
    // k3 + 1 * (k4 - k3) rounds to one unit in the last place below c0 of the
    // 50-bar level.
    EXPECT_DOUBLE_EQ(Kapa(100, 1e7), 1.984046042);
    EXPECT_DOUBLE_EQ(Kapa(450, 100000), 1.411046064 - 0.043876603 + 0.078159252 - 0.164819672 +
                                            0.244026772 - 0.133528477);
    // Beyond the fit's range the inputs are clamped, not extrapolated.
    EXPECT_EQ(Kapa(50, 1000), Kapa(150, 100000));
    EXPECT_EQ(Kapa(1000, 1000), Kapa(450, 100000));
    EXPECT_EQ(Kapa(100, 1e8), Kapa(150, 5e6));
}

TEST(Kapa, PressureLevelsAt150Kelvin)
{
    // At t = 0 every level's polynomial is its c0; the interval widths are
    // rounded, so the levels are met to about 1e-8.
    EXPECT_NEAR(Kapa(150, 5e5), 1.45185313, 1e-8);
    EXPECT_NEAR(Kapa(150, 10e5), 1.508051718, 1e-8);
    EXPECT_NEAR(Kapa(150, 20e5), 1.653204013, 1e-8);
    EXPECT_NEAR(Kapa(150, 50e5), 1.984046042, 1e-8);
}

// The model's level polynomial k_j(t), written out for the tests.
double Level(int j, double t)
{
    static const double c[5][6] = {
        {1.411046064, -0.043876603, 0.078159252, -0.164819672, 0.244026772, -0.133528477},
        {1.45185313, -0.238326729, 0.429399196, -0.644688854, 0.648064573, -0.251316694},
        {1.508051718, -0.509518453, 0.8827368, -1.161368964, 1.075652768, -0.398545516},
        {1.653204013, -1.303782223, 2.468723716, -3.749503101, 3.882311539, -1.546015943},
        {1.984046042, -2.281657587, 3.263497089, -3.278146682, 2.632431194, -0.893152423},
    };
    const double* k = c[j];
    return k[0] + k[1] * t + k[2] * std::pow(t, 2) + k[3] * std::pow(t, 4) +
           k[4] * std::pow(t, 6) + k[5] * std::pow(t, 8);
}

TEST(Kapa, InterpolatesBetweenNeighbouringLevels)
{
    // One pressure inside each interval at 300 K (t = 0.5), with the rounded
    // interval widths of the model.
    const double t = 0.5;
    const auto pPrime = [](double P) { return (P / 100000 - 1) / 49; };
    double p = pPrime(3e5);
    EXPECT_DOUBLE_EQ(Kapa(300, 3e5),
                     Level(0, t) + (p / 0.081632653) * (Level(1, t) - Level(0, t)));
    p = pPrime(7e5);
    EXPECT_DOUBLE_EQ(Kapa(300, 7e5), Level(1, t) + ((p - 0.081632653) / 0.102040816) *
                                                       (Level(2, t) - Level(1, t)));
    p = pPrime(15e5);
    EXPECT_DOUBLE_EQ(Kapa(300, 15e5), Level(2, t) + ((p - 0.183673469) / 0.204081633) *
                                                        (Level(3, t) - Level(2, t)));
    p = pPrime(35e5);
    EXPECT_DOUBLE_EQ(Kapa(300, 35e5), Level(3, t) + ((p - 0.387755102) / 0.6122448979999999) *
                                                        (Level(4, t) - Level(3, t)));
    EXPECT_DOUBLE_EQ(Kapa(300, 1e5), Level(0, t));
}

TEST(Kapa, ContinuousAcrossLevels)
{
    for (const double T : {150.0, 250.0, 350.0, 450.0}) {
        for (const double bar : {5.0, 10.0, 20.0}) {
            const double P = bar * 1e5;
            EXPECT_NEAR(Kapa(T, P * (1 - 1e-9)), Kapa(T, P * (1 + 1e-9)), 1e-7)
                << T << " K, " << bar << " bar";
        }
    }
}

TEST(Kapa, BlendsSlightlyAboveOneBar)
{
    // At sea level p' is just above 0: a slight blend towards the 5-bar level.
    const double pure = Kapa(288.15, 100000);
    const double seaLevel = Kapa(288.15, 101325);
    EXPECT_NE(seaLevel, pure);
    EXPECT_NEAR(seaLevel, pure, 1e-3);
}

// ------------------------------------------------- GasDensity, KinematicViscosity

TEST(GasDensity, IdealGasLaw)
{
    const std::optional<double> rho = GasDensity(288.15, 101325);
    ASSERT_TRUE(rho.has_value());
    EXPECT_EQ(*rho, 101325 / (288.15 * 287.0528));
    EXPECT_FALSE(GasDensity(0, 101325).has_value());
    EXPECT_FALSE(GasDensity(-5, 101325).has_value());
}

TEST(KinematicViscosity, FixedExponentDiffersAboveElevenKilometres)
{
    const AirState air = At(15000);
    const std::optional<double> nu = KinematicViscosity(air.Temperature, air.Pressure);
    ASSERT_TRUE(nu.has_value());
    EXPECT_NE(*nu, air.KinViscosity);
    // The ratio is (T / 288.15)^(0.822 - 0.836).
    EXPECT_NEAR(*nu / air.KinViscosity, std::pow(216.65 / 288.15, 0.822 - 0.836), 1e-12);
}

TEST(KinematicViscosity, NoResultWithoutAir)
{
    EXPECT_FALSE(KinematicViscosity(0, 101325).has_value());
    EXPECT_FALSE(KinematicViscosity(-1, 101325).has_value());
    EXPECT_FALSE(KinematicViscosity(288.15, 0).has_value()); // would be infinite
}

} // namespace
} // namespace centrafix::aero
