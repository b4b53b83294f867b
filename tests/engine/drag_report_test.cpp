#include "engine/drag_report.h"

#include "aero/atmosphere.h"
#include "aero/friction.h"
#include "engine/string_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
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
    const DragEstimate drag = Estimate(std::vector<double>(51, 2.0), 50, 0.01, 50 * 2.0 * 0.01,
                                       " 10000,0 ", "0.85", ",");
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
    const auto mix = [](auto cf) {
        return 2 * (30 * 1 * *cf(Reynolds(1)) + 10 * 3 * *cf(Reynolds(3))) / 60;
    };
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
    const DragEstimate drag = Estimate(std::vector<double>(11, 1.0), 10, 0.01, 0.1, c.altitude,
                                       c.mach, c.separator);
    EXPECT_EQ(Why(drag, c.language), c.reason);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, FrictionDragUnavailable,
    ::testing::Values(
        MendedCase{"abc", "0.85", ".", kEnglish, "Altitude [m] \"abc\" is not a number"},
        MendedCase{"1\r\n2", "0.85", ".", kEnglish, "Altitude [m] \"1  2\" is not a number"},
        MendedCase{"  ", "0.85", ".", kEnglish, "Altitude [m] is empty"},
        MendedCase{"10000", "0,85", ".", kGerman, "Mach number [-] \"0,85\" ist keine Zahl"},
        MendedCase{"10000", "0", ".", kEnglish, "Mach number [-] \"0\" is not above 0"},
        MendedCase{"10000", "-0.5", ".", kEnglish, "Mach number [-] \"-0.5\" is not above 0"},
        MendedCase{"178325", "0.85", ".", kEnglish,
                   "Altitude [m] \"178325\" is not below 178325, the top of the atmosphere model"},
        MendedCase{"200000", "0,85", ",", kGerman,
                   "Altitude [m] \"200000\" liegt nicht unter 178325, der Obergrenze des "
                   "Atmosphärenmodells"},
        MendedCase{"-1e70", "0.85", ".", kEnglish,
                   "Altitude [m] \"-1e70\" is outside the atmosphere model"},
        MendedCase{"0", "1e308", ".", kEnglish,
                   "Mach number [-] \"1e308\" gives Reynolds numbers outside the friction laws"}));

TEST(ReportLines, EnglishAndGerman)
{
    const DragEstimate drag = DragCoefficients{0.00123449, 0.0056789};
    EXPECT_EQ(ReportLines(330, 314, 0.01, drag, kEnglish, "."),
              "Pixels: 330 x 314 -> scaled: 3.30 x 3.14\r\n"
              "CD_lam = 0.001234\r\n"
              "CD_turb = 0.005679\r\n");
    EXPECT_EQ(ReportLines(330, 314, 0.01, drag, kGerman, ","),
              "Pixel: 330 x 314 -> skaliert: 3,30 x 3,14\r\n"
              "CD_lam = 0,001234\r\n"
              "CD_turb = 0,005679\r\n");
    EXPECT_EQ(ReportLines(330, 314, 0.01, drag, kEnglish, ".", "mm").substr(0, 44),
              "Pixels: 330 x 314 -> scaled: 3.30 x 3.14 mm\r");
}

TEST(ReportLines, UnavailableCarriesTheReason)
{
    const DragEstimate drag =
        Estimate(std::vector<double>(11, 1.0), 10, 0.01, 0.1, "zehn", "0,85", ",");
    EXPECT_EQ(ReportLines(330, 314, 0.01, drag, kGerman, ","),
              "Pixel: 330 x 314 -> skaliert: 3,30 x 3,14\r\n"
              "CD_lam = nicht verfügbar: Altitude [m] \"zehn\" ist keine Zahl\r\n"
              "CD_turb = nicht verfügbar: Altitude [m] \"zehn\" ist keine Zahl\r\n");
}

} // namespace
} // namespace centrafix
