// A picture whose colours match little or nothing says so: the stray pixels
// the sweep counts, the verdict drawn from them, and what the run shows.

#include "engine/analysis_run.h"
#include "engine/match_count.h"
#include "engine/pixel_classes.h"
#include "test_raster.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace centrafix;
using centrafix::test::TextPicture;

namespace {

std::uint32_t Word(int r, int g, int b)
{
    return 0xFF000000u | static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 |
           static_cast<std::uint32_t>(b);
}

class StatusObserver : public AnalysisObserver {
public:
    std::string last;
    void statusChanged(const std::string& text) override { last = text; }
};

struct Outcome {
    AnalysisResult result;
    std::string status;
};

Outcome Analyse(const TextPicture& picture, const std::string& tolerance, int language = kEnglish)
{
    AnalysisInputs in;
    in.toleranceText = tolerance;
    in.ticked.fill(true);
    in.ticked[0] = false;
    in.languageIndex = language;
    ColorObjectTable objects = MakeColorObjects(language);
    StatusObserver observer;
    AnalysisResult result = RunAnalysis(picture.view(), objects, *PrepareRun(in), in, observer);
    return {std::move(result), observer.last};
}

// A black square of 100 pixels of which `noisy` are a dark grey, 3 x `grey`
// away from black.
TextPicture NoisyBlack(int noisy, int grey)
{
    TextPicture picture(14, 14, Rgb(255, 255, 255));
    for (int i = 0; i < 100; ++i)
        picture.set(2 + i % 10, 2 + i / 10, i < noisy ? Rgb(grey, grey, grey) : Rgb(0, 0, 0));
    return picture;
}

} // namespace

TEST(StrayPixels, ClearlyColouredAndMatchingNoColour)
{
    const int tolerance10 = 9; // MaxColorDistance(10)
    struct Case {
        std::uint32_t word;
        int maxSum;
        bool stray;
        const char* what;
    };
    const Case cases[] = {
        {Word(255, 255, 255), tolerance10, false, "white"},
        {Word(200, 200, 200), tolerance10, false, "light grey"},
        {Word(128, 128, 128), tolerance10, false, "middle grey, anti-aliasing"},
        {Word(96, 96, 96), tolerance10, false, "the lightest dark grey that is not dark"},
        {Word(95, 95, 95), tolerance10, true, "the darkest grey that is"},
        {Word(20, 30, 10), tolerance10, true, "a noisy black"},
        {Word(20, 30, 10), 60, false, "which a tolerance of 61 matches"},
        {Word(0, 0, 0), -1, true, "black where nothing matches"},
        {Word(3, 2, 1), tolerance10, false, "a black within the tolerance"},
        {Word(255, 0, 0), tolerance10, false, "red"},
        {Word(255, 160, 160), tolerance10, false, "a pale red, spread 95"},
        {Word(255, 159, 159), tolerance10, true, "spread 96, 192 from white, 193 from red"},
        {Word(255, 255, 150), 110, false, "a pale yellow within the tolerance of white: paper"},
        {Word(255, 255, 150), 100, true, "and beyond it"},
        {Word(255, 128, 0), tolerance10, true, "orange, 127 from red and from yellow"},
        {Word(255, 128, 0), 127, false, "within a tolerance of 128"},
        {Word(200, 255, 100), 150, true, "155 from white, 310 from green"},
        {Word(0, 0, 200), tolerance10, true, "a darker blue, 55 from blue"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsStrayPixel(c.word, c.maxSum), c.stray) << c.what;
    EXPECT_EQ(IsStrayPixel(Word(20, 30, 10) & 0x00FFFFFFu, tolerance10), true) << "the top byte plays no part";
}

TEST(StrayPixels, MoreThanOneForEveryFourMatchedIsAWarning)
{
    EXPECT_EQ(JudgeMatches({400, 100}), MatchVerdict::Fine);
    EXPECT_EQ(JudgeMatches({400, 101}), MatchVerdict::FewMatched);
    EXPECT_EQ(JudgeMatches({1, 1000}), MatchVerdict::FewMatched);
    EXPECT_EQ(JudgeMatches({0, 0}), MatchVerdict::NoColourFound);
    EXPECT_EQ(JudgeMatches({0, 5}), MatchVerdict::NoColourFound);
    EXPECT_EQ(MatchWarningText({400, 100}, kEnglish), "");
    EXPECT_EQ(MatchWarningText({64615, 154385}, kEnglish),
              "Warning: only 64615 pixels match a ticked color, 154385 clearly colored pixels match none. "
              "Try Picture > Clean up colors or a higher tolerance.");
    EXPECT_EQ(MatchWarningText({0, 0}, kGerman), "Keine Farbe gefunden.");
    EXPECT_EQ(MatchWarningLines({0, 7}, kGerman),
              (std::vector<std::string>{"Keine Farbe gefunden.", "7 deutlich farbige Pixel passen zu keiner.",
                                        "Abhilfe: Bild > Farben bereinigen oder größere Toleranz."}));
}

// The sweep counts what the predicate says, and the run weighs it against the
// matched pixels: 30 of 100 is a warning in the report and the status bar,
// 20 (one for every four matched) is not, and a tolerance that takes them in
// leaves none.
TEST(StrayPixels, TheRunWarnsInTheReportAndTheStatusWhenLittleMatches)
{
    // Grey 90 is 270 from black: stray at 10 (one sweep for all) and at 200
    // (one per object).
    for (const char* tolerance : {"10", "200"}) {
        SCOPED_TRACE(tolerance);
        const Outcome few = Analyse(NoisyBlack(30, 90), tolerance);
        EXPECT_EQ(few.result.matches.matched, 70);
        EXPECT_EQ(few.result.matches.stray, 30);
        EXPECT_EQ(few.status, MatchWarningText({70, 30}, kEnglish));
        EXPECT_NE(few.result.report.find("\r\nWarning: only 70 pixels match a ticked color,\r\n"
                                         "30 clearly colored pixels match none.\r\n"
                                         "Try Picture > Clean up colors or a higher tolerance.\r\n"),
                  std::string::npos)
            << few.result.report;
    }
    for (const char* tolerance : {"10", "200"}) {
        const Outcome fine = Analyse(NoisyBlack(20, 90), tolerance);
        EXPECT_EQ(fine.result.matches.stray, 20) << tolerance;
        EXPECT_EQ(fine.status, "Ready.") << tolerance;
        EXPECT_EQ(fine.result.report.find("Warning"), std::string::npos) << tolerance;
    }
    // Grey 60 is 180 from black: within 200, and white is 255 from yellow.
    const Outcome wide = Analyse(NoisyBlack(30, 60), "200");
    EXPECT_EQ(wide.result.matches.matched, 100);
    EXPECT_EQ(wide.result.matches.stray, 0);
    EXPECT_EQ(wide.status, "Ready.");
}

TEST(StrayPixels, AWhitePictureSaysNoColourFound)
{
    const Outcome white = Analyse(TextPicture(20, 10, Rgb(255, 255, 255)), "10", kGerman);
    EXPECT_EQ(white.result.gridRows, (std::vector<GridRow>{GridRow{{"Gesamt", "Keine Farbe gefunden."}}}));
    EXPECT_EQ(white.status, "Keine Farbe gefunden.");
    const std::string& report = white.result.report;
    EXPECT_EQ(report.substr(report.size() - 23), "Keine Farbe gefunden.\r\n") << report;
    EXPECT_EQ(report.find("100,0"), std::string::npos);
}
