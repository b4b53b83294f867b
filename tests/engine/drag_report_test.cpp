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

// Reynolds number of a strip of length `chord` at the default flight state.
double Reynolds(double chord, double altitude = 10000, double mach = 0.85)
{
    const auto air = aero::StandardAtmosphere(altitude, 0);
    EXPECT_TRUE(air.has_value());
    return mach * air->SpeedOfSound * chord / air->KinViscosity;
}

DragEstimate Estimate(const std::vector<double>& chord, int height, double scale,
                      double area, std::string_view altitude = "10000",
                      std::string_view mach = "0.85", std::string_view separator = ".",
                      int language = kEnglish)
{
    return EstimateFrictionDrag(chord, height, scale, area, altitude, mach, separator, language);
}

bool Unavailable(const DragEstimate& drag)
{
    return !drag.CD_lam && !drag.CD_turb && !drag.unavailableReason.empty();
}

// ------------------------------------------------------------- strip theory

TEST(FrictionDrag, ConstantChordGivesTwiceTheFlatPlateCoefficient)
{
    const int H = 50;
    const double c = 2.0;       // scaled chord, m
    const double scale = 0.01;  // m per pixel
    std::vector<double> chord(H + 1, c);
    chord[H] = 0;
    const double area = H * c * scale;
    const DragEstimate drag = Estimate(chord, H, scale, area);
    ASSERT_TRUE(drag.CD_lam && drag.CD_turb) << drag.unavailableReason;
    const double Re = Reynolds(c);
    EXPECT_NEAR(*drag.CD_lam, 2 * *aero::Cf_laminar(Re), 1e-15);
    EXPECT_NEAR(*drag.CD_turb, 2 * *aero::Cf_turbulent(Re), 1e-15);
    EXPECT_TRUE(drag.unavailableReason.empty());
}

TEST(FrictionDrag, TwoChordsWeightedByStripArea)
{
    const double c1 = 1.0, c2 = 3.0, scale = 0.02;
    const int p = 30, q = 10;
    std::vector<double> chord;
    chord.insert(chord.end(), p, c1);
    chord.insert(chord.end(), 5, 0.0); // a gap between the two parts
    chord.insert(chord.end(), q, c2);
    chord.push_back(0.0);
    const int H = p + 5 + q;
    const double area = (p * c1 + q * c2) * scale;
    const DragEstimate drag = Estimate(chord, H, scale, area);
    ASSERT_TRUE(drag.CD_lam && drag.CD_turb) << drag.unavailableReason;

    const double Re1 = Reynolds(c1), Re2 = Reynolds(c2);
    const double lam = 2 * (p * c1 * *aero::Cf_laminar(Re1) + q * c2 * *aero::Cf_laminar(Re2)) /
                       (p * c1 + q * c2);
    const double turb =
        2 * (p * c1 * *aero::Cf_turbulent(Re1) + q * c2 * *aero::Cf_turbulent(Re2)) /
        (p * c1 + q * c2);
    EXPECT_NEAR(*drag.CD_lam, lam, 1e-14);
    EXPECT_NEAR(*drag.CD_turb, turb, 1e-14);
    // The smaller chord has the lower Reynolds number and the larger coefficient,
    // so the mix lies between the two single-chord values.
    EXPECT_GT(*aero::Cf_turbulent(Re1), *aero::Cf_turbulent(Re2));
    EXPECT_LT(*drag.CD_turb, 2 * *aero::Cf_turbulent(Re1));
    EXPECT_GT(*drag.CD_turb, 2 * *aero::Cf_turbulent(Re2));
}

TEST(FrictionDrag, OnlyRowsAboveHeightCount)
{
    // Entry H of RowChord is never filled by the scan; if it held a chord it
    // must still not count.
    std::vector<double> chord(11, 1.0);
    const DragEstimate plain = Estimate(chord, 10, 0.01, 0.1);
    chord[10] = 5.0;
    const DragEstimate withEntryH = Estimate(chord, 10, 0.01, 0.1);
    ASSERT_TRUE(plain.CD_lam && withEntryH.CD_lam);
    EXPECT_EQ(*plain.CD_lam, *withEntryH.CD_lam);
    EXPECT_EQ(*plain.CD_turb, *withEntryH.CD_turb);
}

TEST(FrictionDrag, AltitudeChangesOnlyTheReynoldsNumbers)
{
    const std::vector<double> chord(21, 1.0);
    const DragEstimate low = Estimate(chord, 20, 0.05, 1.0, "0");
    const DragEstimate high = Estimate(chord, 20, 0.05, 1.0, "20000");
    ASSERT_TRUE(low.CD_lam && high.CD_lam);
    // Thinner air: lower Reynolds numbers, higher coefficients.
    EXPECT_GT(*high.CD_lam, *low.CD_lam);
    EXPECT_GT(*high.CD_turb, *low.CD_turb);
    EXPECT_NEAR(*high.CD_lam, 2 * *aero::Cf_laminar(Reynolds(1.0, 20000)), 1e-15);
    EXPECT_EQ(ReportLines(100, 20, 0.05, low, kEnglish, ".").substr(0, 40),
              ReportLines(100, 20, 0.05, high, kEnglish, ".").substr(0, 40));
}

TEST(FrictionDrag, NoChordGivesZero)
{
    const DragEstimate drag = Estimate(std::vector<double>(11, 0.0), 10, 0.01, 0.0);
    ASSERT_TRUE(drag.CD_lam && drag.CD_turb);
    EXPECT_EQ(*drag.CD_lam, 0.0);
    EXPECT_EQ(*drag.CD_turb, 0.0);
    EXPECT_NE(ReportLines(10, 10, 0.01, drag, kEnglish, ".").find("CD_lam = 0.000000\r\n"),
              std::string::npos);
}

TEST(FrictionDrag, DecimalSeparatorOfTheLocale)
{
    const std::vector<double> chord(11, 1.0);
    const DragEstimate comma = Estimate(chord, 10, 0.01, 0.1, "10000,0", "0,85", ",", kGerman);
    const DragEstimate dot = Estimate(chord, 10, 0.01, 0.1, "10000.0", "0.85", ".", kGerman);
    ASSERT_TRUE(comma.CD_lam && dot.CD_lam) << comma.unavailableReason;
    EXPECT_EQ(*comma.CD_lam, *dot.CD_lam);
    EXPECT_EQ(*comma.CD_turb, *dot.CD_turb);
    // Blanks around the number are fine.
    EXPECT_TRUE(Estimate(chord, 10, 0.01, 0.1, " 10000 ", " 0.85").CD_lam.has_value());
}

// ------------------------------------------------------------ mended inputs

TEST(FrictionDragUnavailable, AltitudeNotANumber)
{
    const std::vector<double> chord(11, 1.0);
    for (const char* text : {"abc", "10 000", "5000+5000", "1e", "10000m", "--1"}) {
        const DragEstimate drag = Estimate(chord, 10, 0.01, 0.1, text);
        EXPECT_TRUE(Unavailable(drag)) << text;
        EXPECT_EQ(drag.unavailableReason.rfind("Altitude [m]", 0), 0u) << drag.unavailableReason;
    }
    EXPECT_EQ(Estimate(chord, 10, 0.01, 0.1, "abc").unavailableReason,
              "Altitude [m] \"abc\" is not a number");
    EXPECT_EQ(Estimate(chord, 10, 0.01, 0.1, "  ").unavailableReason, "Altitude [m] is empty");
}

TEST(FrictionDragUnavailable, MachNotANumber)
{
    const std::vector<double> chord(11, 1.0);
    // "0.85" is not a number where the separator is ",".
    const DragEstimate drag = Estimate(chord, 10, 0.01, 0.1, "10000", "0.85", ",", kGerman);
    EXPECT_TRUE(Unavailable(drag));
    EXPECT_EQ(drag.unavailableReason, "Mach number [-] \"0.85\" ist keine Zahl");
    EXPECT_EQ(Estimate(chord, 10, 0.01, 0.1, "10000", "").unavailableReason,
              "Mach number [-] is empty");
}

TEST(FrictionDragUnavailable, MachAtOrBelowZero)
{
    const std::vector<double> chord(11, 1.0);
    for (const char* text : {"0", "0.0", "-0", "-0.5"}) {
        const DragEstimate drag = Estimate(chord, 10, 0.01, 0.1, "10000", text);
        EXPECT_TRUE(Unavailable(drag)) << text;
        EXPECT_EQ(drag.unavailableReason, std::string("Mach number [-] \"") + text +
                                              "\" is not above 0");
    }
    // Also when there is nothing to estimate: the field is still wrong.
    EXPECT_TRUE(Unavailable(Estimate(std::vector<double>(11, 0.0), 10, 0.01, 0, "10000", "0")));
}

TEST(FrictionDragUnavailable, AltitudeWithoutAtmosphere)
{
    const std::vector<double> chord(11, 1.0);
    const DragEstimate top = Estimate(chord, 10, 0.01, 0.1, "178325");
    EXPECT_TRUE(Unavailable(top));
    EXPECT_EQ(top.unavailableReason,
              "Altitude [m] \"178325\" is not below 178325, the top of the atmosphere model");
    const DragEstimate german = Estimate(chord, 10, 0.01, 0.1, "200000", "0,85", ",", kGerman);
    EXPECT_EQ(german.unavailableReason, "Altitude [m] \"200000\" liegt nicht unter 178325, der "
                                        "Obergrenze des Atmosphärenmodells");
    const DragEstimate deep = Estimate(chord, 10, 0.01, 0.1, "-1e70");
    EXPECT_TRUE(Unavailable(deep));
    EXPECT_EQ(deep.unavailableReason, "Altitude [m] \"-1e70\" is outside the atmosphere model");
    // Just below the top the estimate still has a result.
    EXPECT_TRUE(Estimate(chord, 10, 0.01, 0.1, "178000").CD_lam.has_value());
}

TEST(FrictionDragUnavailable, AbsurdMachNumber)
{
    // The speed overflows, so no strip has a Reynolds number.
    const DragEstimate drag = Estimate(std::vector<double>(11, 1.0), 10, 0.01, 0.1, "0", "1e308");
    EXPECT_TRUE(Unavailable(drag));
    EXPECT_EQ(drag.unavailableReason.rfind("Mach number [-]", 0), 0u);
}

TEST(FrictionDragUnavailable, ReasonStaysOnOneLine)
{
    const DragEstimate drag = Estimate(std::vector<double>(11, 1.0), 10, 0.01, 0.1, "1\r\n2");
    EXPECT_TRUE(Unavailable(drag));
    EXPECT_EQ(drag.unavailableReason.find_first_of("\r\n"), std::string::npos);
}

// ------------------------------------------------------------- report lines

TEST(ReportLines, EnglishWithDot)
{
    DragEstimate drag;
    drag.CD_lam = 0.00123449;
    drag.CD_turb = 0.0056789;
    EXPECT_EQ(ReportLines(330, 314, 0.01, drag, kEnglish, "."),
              "Pixels: 330 x 314 -> scaled: 3.30 x 3.14\r\n"
              "CD_lam = 0.001234\r\n"
              "CD_turb = 0.005679\r\n");
}

TEST(ReportLines, GermanWithComma)
{
    DragEstimate drag;
    drag.CD_lam = 0.00123449;
    drag.CD_turb = 0.0056789;
    EXPECT_EQ(ReportLines(330, 314, 0.01, drag, kGerman, ","),
              "Pixel: 330 x 314 -> skaliert: 3,30 x 3,14\r\n"
              "CD_lam = 0,001234\r\n"
              "CD_turb = 0,005679\r\n");
}

TEST(ReportLines, FromARealEstimate)
{
    const std::vector<double> chord(315, 1.0);
    const DragEstimate drag = Estimate(chord, 314, 0.01, 3.14);
    const std::string report = ReportLines(330, 314, 0.01, drag, kEnglish, ".");
    EXPECT_EQ(report.rfind("Pixels: 330 x 314 -> scaled: 3.30 x 3.14\r\nCD_lam = 0.", 0), 0u);
    EXPECT_NE(report.find("\r\nCD_turb = 0."), std::string::npos);
    EXPECT_EQ(report.substr(report.size() - 2), "\r\n");
}

TEST(ReportLines, UnavailableInEnglish)
{
    const DragEstimate drag = Estimate(std::vector<double>(11, 1.0), 10, 0.01, 0.1, "10000", "0");
    EXPECT_EQ(ReportLines(330, 314, 0.01, drag, kEnglish, "."),
              "Pixels: 330 x 314 -> scaled: 3.30 x 3.14\r\n"
              "CD_lam = not available: Mach number [-] \"0\" is not above 0\r\n"
              "CD_turb = not available: Mach number [-] \"0\" is not above 0\r\n");
}

TEST(ReportLines, UnavailableInGerman)
{
    const DragEstimate drag =
        Estimate(std::vector<double>(11, 1.0), 10, 0.01, 0.1, "zehn", "0,85", ",", kGerman);
    EXPECT_EQ(ReportLines(330, 314, 0.01, drag, kGerman, ","),
              "Pixel: 330 x 314 -> skaliert: 3,30 x 3,14\r\n"
              "CD_lam = nicht verfügbar: Altitude [m] \"zehn\" ist keine Zahl\r\n"
              "CD_turb = nicht verfügbar: Altitude [m] \"zehn\" ist keine Zahl\r\n");
}

TEST(ReportLines, NeverNan)
{
    DragEstimate drag;
    drag.CD_lam = std::nan("");
    drag.CD_turb = HUGE_VAL;
    const std::string report = ReportLines(10, 10, 1, drag, kEnglish, ".");
    EXPECT_EQ(report.find("nan"), std::string::npos);
    EXPECT_EQ(report.find("inf"), std::string::npos);
    EXPECT_NE(report.find("CD_lam = not available\r\n"), std::string::npos);
    EXPECT_NE(report.find("CD_turb = not available\r\n"), std::string::npos);
}

} // namespace
} // namespace centrafix
