#include "engine/analysis_run.h"
#include "engine/balance_report.h"
#include "engine/drag_report.h"
#include "engine/run_preparation.h"
#include "test_raster.h"

#include <gtest/gtest.h>

#include <string>

using namespace centrafix;
using centrafix::test::TextPicture;

namespace {

constexpr int kRed = 2, kBlue = 4;

AnalysisResult Analyse(const TextPicture& picture, const AnalysisInputs& in)
{
    const Result<RunSetup> setup = PrepareRun(in);
    EXPECT_TRUE(setup.ok());
    ColorObjectTable objects = MakeColorObjects(in.languageIndex);
    AnalysisObserver quiet;
    return RunAnalysis(picture.view(), objects, *setup, in, quiet);
}

AnalysisInputs AllTicked()
{
    AnalysisInputs in;
    in.scaleText = "1";
    in.toleranceText = "10";
    in.ticked.fill(true);
    in.ticked[0] = false;
    in.balance.roles.fill(aero::SurfaceRole::Other);
    in.balance.roles[kRed] = aero::SurfaceRole::Wing;
    in.balance.roles[kBlue] = aero::SurfaceRole::Tail;
    return in;
}

const TextPicture kTailOnly{
    ".......",
    "..bbb..",
    "kkkkkkk",
    "..bbb..",
};

std::string PlainReport(const AnalysisResult& r, const AnalysisInputs& in)
{
    return ReportLines(r.values.width, r.values.height, r.values.ScaleFactor, *r.drag, in.languageIndex,
                       in.decimalSeparator, in.unit, r.matches);
}

// A balance as the assembly hands it, numbers chosen by hand.
aero::Balance HandMadeBalance()
{
    aero::Balance b;
    aero::SurfaceBalance wing;
    wing.objects = {kRed};
    wing.geometry.mac = 40.0;
    wing.geometry.macLeadX = 100.0;
    wing.geometry.macY = 75.5;
    wing.geometry.rootLeadX = 95.0;
    b.surfaces.push_back(wing);
    b.neutralPointX = 120.25;
    b.clAlpha = 4.5678;
    b.panels = 640;
    b.estimate.neutralPointX = 118.0;
    b.marginLow = 5.0;
    b.marginHigh = 15.0;
    b.range = {114.25, 118.25, 19.25, 23.25};
    return b;
}

} // namespace

TEST(BalancePhase, NoLiftingSurfaceFoundLeavesTheRunAsItWas)
{
    AnalysisInputs in = AllTicked();
    in.balance.roles[kBlue] = aero::SurfaceRole::Other; // red is the wing but not painted
    const AnalysisResult r = Analyse(kTailOnly, in);
    ASSERT_TRUE(r.completed);
    EXPECT_FALSE(r.balance);
    EXPECT_EQ(r.noBalance, nullptr);
    EXPECT_EQ(r.report, PlainReport(r, in));
}

TEST(BalancePhase, ALiftingSurfaceWithoutAWingSaysSoInOneLine)
{
    AnalysisInputs in = AllTicked();
    const AnalysisResult r = Analyse(kTailOnly, in);
    ASSERT_TRUE(r.completed);
    EXPECT_FALSE(r.balance);
    ASSERT_NE(r.noBalance, nullptr);
    EXPECT_EQ(r.report, PlainReport(r, in) + "Balance: no found color has the role wing.\r\n");
    in.languageIndex = kGerman;
    EXPECT_NE(Analyse(kTailOnly, in).report.find("Schwerpunktlage: keine gefundene Farbe hat die Rolle Flügel."),
              std::string::npos);
    // An unticked tail is no lifting surface of the run.
    in.ticked[kBlue] = false;
    EXPECT_EQ(Analyse(kTailOnly, in).noBalance, nullptr);
}

TEST(BalancePhase, AWingWithoutAMachNumberHasNoBalanceAndTheRestStands)
{
    AnalysisInputs in = AllTicked();
    in.machText = "";
    const TextPicture wing{
        "..rrr..",
        "..rrr..",
    };
    const AnalysisResult r = Analyse(wing, in);
    ASSERT_TRUE(r.completed);
    EXPECT_FALSE(r.balance);
    EXPECT_EQ(r.report, PlainReport(r, in) + "Balance: the Mach number field gives no number.\r\n");
    EXPECT_EQ(r.gridRows.size(), 2u);
}

TEST(BalanceLines, TheBalanceInAFewLinesInBothLanguages)
{
    const aero::Balance b = HandMadeBalance();
    EXPECT_EQ(BalanceLines(b, nullptr, kEnglish, ".", "mm"),
              "Neutral point x = 120.25 mm\r\n"
              "  vortex lattice, 640 panels\r\n"
              "  CL_alpha = 4.568 /rad on the wing area\r\n"
              "  textbook estimate x = 118.00 mm\r\n"
              "C.G. range x = 114.25 mm to 118.25 mm\r\n"
              "  static margin 15.0 to 5.0 % of the MAC\r\n"
              "  behind the wing's root leading edge:\r\n"
              "  19.25 mm to 23.25 mm\r\n"
              "Wing MAC 40.00 mm, leading edge x = 100.00 mm\r\n"
              "  75.50 mm from the center line\r\n");
    aero::Balance typed = b;
    typed.typedCgX = 116.0;
    typed.typedCgMargin = 10.625;
    const std::string german = BalanceLines(typed, nullptr, kGerman, ",", "");
    EXPECT_EQ(german,
              "Neutralpunkt x = 120,25\r\n"
              "  Wirbelgitter, 640 Felder\r\n"
              "  CA_alpha = 4,568 /rad auf die Flügelfläche\r\n"
              "  Lehrbuch-Schätzung x = 118,00\r\n"
              "Schwerpunktbereich x = 114,25 bis 118,25\r\n"
              "  Stabilitätsmaß 15,0 bis 5,0 % der MAC\r\n"
              "  hinter der Vorderkante der Flügelwurzel:\r\n"
              "  19,25 bis 23,25\r\n"
              "Flügel-MAC 40,00, Vorderkante x = 100,00\r\n"
              "  75,50 von der Mittellinie\r\n"
              "Eingegebener Schwerpunkt x = 116,00\r\n"
              "  Stabilitätsmaß 10,6 %\r\n");
    EXPECT_EQ(BalanceLines(std::nullopt, nullptr, kEnglish, ".", ""), "");
}
