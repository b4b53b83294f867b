#include "engine/drag_report.h"

#include "aero/atmosphere.h"
#include "aero/friction.h"
#include "engine/length_unit.h"
#include "engine/string_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace centrafix {
namespace {

// Reynolds number of a strip of length `chord` at 10 km and Mach 0.85.
double Reynolds(double chord)
{
    const auto air = aero::StandardAtmosphere(10000, 0);
    EXPECT_TRUE(air.has_value());
    return 0.85 * air->SpeedOfSound * chord / air->KinViscosity;
}

DragEstimate Estimate(const std::vector<double>& chord, int height, double scale, double area,
                      std::string_view altitude = "10000", std::string_view mach = "0.85",
                      std::string_view separator = ".")
{
    return EstimateFrictionDrag(chord, height, scale, area, altitude, mach, separator);
}

std::string Why(const DragEstimate& drag, int language = kEnglish)
{
    return drag.ok() ? std::string() : ErrorText(drag.error(), language);
}

TEST(FrictionDrag, ConstantChordGivesTwiceTheFlatPlateCoefficient)
{
    // Typed as a German user types them, and the other way.
    const DragEstimate drag =
        Estimate(std::vector<double>(51, 2.0), 50, 0.01, 50 * 2.0 * 0.01, " 10000,0 ", "0.85", ",");
    ASSERT_TRUE(drag.ok()) << Why(drag);
    EXPECT_NEAR(drag->CD_lam, 2 * *aero::Cf_laminar(Reynolds(2.0)), 1e-15);
    EXPECT_NEAR(drag->CD_turb, 2 * *aero::Cf_turbulent(Reynolds(2.0)), 1e-15);
}

TEST(FrictionDrag, TwoChordsWeightedByStripArea)
{
    // 30 rows of chord 1, a gap of 5 rows, 10 rows of chord 3.
    std::vector<double> chord(30, 1.0);
    chord.insert(chord.end(), 5, 0.0);
    chord.insert(chord.end(), 10, 3.0);
    chord.push_back(0.0);
    const DragEstimate drag = Estimate(chord, 45, 0.02, 60 * 0.02);
    ASSERT_TRUE(drag.ok()) << Why(drag);
    const auto mix = [](auto cf) { return 2 * (30 * 1 * *cf(Reynolds(1)) + 10 * 3 * *cf(Reynolds(3))) / 60; };
    EXPECT_NEAR(drag->CD_lam, mix(aero::Cf_laminar), 1e-14);
    EXPECT_NEAR(drag->CD_turb, mix(aero::Cf_turbulent), 1e-14);
}

// Inputs the estimate cannot use: no coefficients, and a reason naming the field.
struct MendedCase {
    const char* altitude;
    const char* mach;
    const char* separator;
    int language;
    const char* reason;
};

class FrictionDragUnavailable : public ::testing::TestWithParam<MendedCase> {};

TEST_P(FrictionDragUnavailable, SaysWhichFieldAndWhy)
{
    const MendedCase& c = GetParam();
    const DragEstimate drag = Estimate(std::vector<double>(11, 1.0), 10, 0.01, 0.1, c.altitude, c.mach, c.separator);
    EXPECT_EQ(Why(drag, c.language), c.reason);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, FrictionDragUnavailable,
    ::testing::Values(MendedCase{"abc", "0.85", ".", kEnglish, "Altitude [m] \"abc\" is not a number"},
                      MendedCase{"1\r\n2", "0.85", ".", kEnglish, "Altitude [m] \"1  2\" is not a number"},
                      MendedCase{"  ", "0.85", ".", kEnglish, "Altitude [m] is empty"},
                      MendedCase{"10000", "0,85", ".", kGerman, "Machzahl [-] \"0,85\" ist keine Zahl"},
                      MendedCase{"10000", "0", ".", kEnglish, "Mach number [-] \"0\" is not above 0"},
                      MendedCase{"10000", "-0.5", ".", kEnglish, "Mach number [-] \"-0.5\" is not above 0"},
                      MendedCase{"178325", "0.85", ".", kEnglish,
                                 "Altitude [m] \"178325\" is not below 178325, the top of the atmosphere model"},
                      MendedCase{"200000", "0,85", ",", kGerman,
                                 "Flughöhe [m] \"200000\" liegt nicht unter 178325, der Obergrenze des "
                                 "Atmosphärenmodells"},
                      MendedCase{"-1e70", "0.85", ".", kEnglish,
                                 "Altitude [m] \"-1e70\" is outside the atmosphere model"},
                      MendedCase{"0", "1e308", ".", kEnglish,
                                 "Mach number [-] \"1e308\" gives Reynolds numbers outside the friction laws"}));

TEST(ReportLines, EnglishAndGerman)
{
    const DragEstimate drag = DragCoefficients{0.00123449, 0.0056789};
    EXPECT_EQ(ReportLines(330, 314, 0.01, drag, kEnglish, ".", "m"),
              "Pixels: 330 x 314 -> scaled: 3.300 x 3.140 m\r\n"
              "CD_lam = 0.001234\r\n"
              "CD_turb = 0.005679\r\n");
    EXPECT_EQ(ReportLines(330, 314, 0.01, drag, kGerman, ",", "Zoll"),
              "Pixel: 330 x 314 -> skaliert: 3,300 x 3,140 Zoll\r\n"
              "CD_lam = 0,001234\r\n"
              "CD_turb = 0,005679\r\n");
}

// Without a unit the estimate can convert, the scale is read as metres per
// pixel, and the coefficients say so.
TEST(ReportLines, CoefficientsSayWhenTheScaleIsTakenAsMetres)
{
    const DragEstimate drag = DragCoefficients{0.00123449, 0.0056789};
    EXPECT_EQ(ReportLines(330, 314, 0.01, drag, kEnglish, "."),
              "Pixels: 330 x 314 -> scaled: 3.300 x 3.140\r\n"
              "CD_lam = 0.001234 (meters per pixel assumed)\r\n"
              "CD_turb = 0.005679 (meters per pixel assumed)\r\n");
    EXPECT_EQ(ReportLines(330, 314, 0.01, drag, kGerman, ",", "Schritt"),
              "Pixel: 330 x 314 -> skaliert: 3,300 x 3,140 Schritt\r\n"
              "CD_lam = 0,001234 (Meter je Pixel angenommen)\r\n"
              "CD_turb = 0,005679 (Meter je Pixel angenommen)\r\n");
}

TEST(ReportLines, SizeLineKeepsFourSignificantDigits)
{
    const DragEstimate drag = DragCoefficients{0.00123449, 0.0056789};
    EXPECT_EQ(ReportLines(330, 314, 1e-5, drag, kEnglish, ".", "m").substr(0, 50),
              "Pixels: 330 x 314 -> scaled: 0.003300 x 0.003140 m");
}

TEST(LengthUnits, KnownNamesInAnyCaseWithBlanksAround)
{
    const std::pair<const char*, double> known[] = {
        {"mm", 0.001},    {" Millimeter ", 0.001}, {"millimetres", 0.001}, {"MM", 0.001},
        {"cm", 0.01},     {"Zentimeter", 0.01},    {"centimetre", 0.01},   {"\tCM", 0.01},
        {"m", 1.0},       {"Meter", 1.0},          {"metres", 1.0},        {"M", 1.0},
        {"in", 0.0254},   {"Inch", 0.0254},        {"inches", 0.0254},     {"Zoll", 0.0254},
        {"ft", 0.3048},   {"Fuß", 0.3048},         {"FUSS", 0.3048},       {"feet", 0.3048},
        {"Foot", 0.3048},
    };
    for (const auto& [name, metres] : known)
        EXPECT_EQ(MetresPerUnit(name), metres) << name;
    for (const char* unknown : {"", "  ", "px", "km", "mm2", "m m", "Fuss.", "µm", "Pixel"})
        EXPECT_FALSE(MetresPerUnit(unknown).has_value()) << unknown;
}

// A wing of constant chord 2 m, 50 rows, at sea level and Mach 0.5: each
// coefficient is twice the flat plate's at Re = M a c / nu. The standard
// atmosphere at sea level (ISO 2533; also Anderson, Introduction to Flight,
// Appendix A) has a = 340.294 m/s and nu = 1.4607e-5 m^2/s, so Re = 2.3297e7;
// the model's viscosity differs from the table's by 0.3 %, which moves Re by
// as much and the coefficients by less.
TEST(FrictionDrag, ChordsInAnyKnownUnitGiveTheReynoldsNumberInMetres)
{
    const double ReByHand = 0.5 * 340.294 * 2.0 / 1.4607e-5;
    const double laminar = 2 * 1.328 / std::sqrt(ReByHand);
    const double turbulent = 2 * *aero::Cf_turbulent(ReByHand);
    struct Drawn {
        double metresPerUnit, scale;
    };
    // The same wing drawn 100 pixels deep at 20 mm, 2 cm, 0.02 m, and in inches.
    for (const Drawn d : {Drawn{0.001, 20.0}, Drawn{0.01, 2.0}, Drawn{1.0, 0.02}, Drawn{0.0254, 0.02 / 0.0254}}) {
        SCOPED_TRACE(d.metresPerUnit);
        const double chord = 2.0 / d.metresPerUnit;
        const DragEstimate drag = EstimateFrictionDrag(std::vector<double>(51, chord), 50, d.scale,
                                                       50 * d.scale * chord, "0", "0.5", ".", d.metresPerUnit);
        ASSERT_TRUE(drag.ok()) << Why(drag);
        EXPECT_NEAR(drag->CD_lam / laminar, 1.0, 2e-3);
        EXPECT_NEAR(drag->CD_turb / turbulent, 1.0, 1e-3);
    }
    // Read in metres, the millimetre drawing has a thousand times the
    // Reynolds number, and a laminar coefficient 1/sqrt(1000) as large.
    const DragEstimate asMetres =
        EstimateFrictionDrag(std::vector<double>(51, 2000.0), 50, 20.0, 50 * 20.0 * 2000.0, "0", "0.5", ".");
    ASSERT_TRUE(asMetres.ok());
    EXPECT_NEAR(asMetres->CD_lam * std::sqrt(1000.0) / laminar, 1.0, 2e-3);
}

TEST(ReportLines, UnavailableCarriesTheReason)
{
    const DragEstimate drag = Estimate(std::vector<double>(11, 1.0), 10, 0.01, 0.1, "zehn", "0,85", ",");
    EXPECT_EQ(ReportLines(330, 314, 0.01, drag, kGerman, ","),
              "Pixel: 330 x 314 -> skaliert: 3,300 x 3,140\r\n"
              "CD_lam = nicht verfügbar: Flughöhe [m] \"zehn\" ist keine Zahl\r\n"
              "CD_turb = nicht verfügbar: Flughöhe [m] \"zehn\" ist keine Zahl\r\n");
}

} // namespace
} // namespace centrafix
