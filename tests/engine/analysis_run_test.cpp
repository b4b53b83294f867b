#include "engine/analysis_run.h"
#include "engine/loading_table.h"
#include "engine/results_grid.h"
#include "test_raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using namespace centrafix;
using centrafix::test::TextPicture;

namespace {

constexpr int kBlack = 1, kRed = 2, kGreen = 3, kBlue = 4;

// Records what a run reports, and presses Esc when a chosen status text shows:
// the press is then seen at the next abort check, as in the window.
class RecordingObserver : public AnalysisObserver {
public:
    std::vector<std::string> statuses;
    std::vector<std::int64_t> progress;
    std::vector<std::string> events;
    std::vector<PassFeedback> passes;
    std::vector<std::vector<std::uint8_t>> masks;
    std::string escAfterStatus;
    std::string table;
    bool feedback = false;
    bool escPressed = false;

    void statusChanged(const std::string& text) override
    {
        statuses.push_back(text);
        if (text == escAfterStatus)
            escPressed = true;
    }
    void progressChanged(std::int64_t value, std::int64_t) override { progress.push_back(value); }
    void yieldToEvents() override { events.push_back("yield"); }
    bool abortRequested() override { return escPressed; }
    bool wantsFeedback() const override { return feedback; }
    void passPainted(const PassFeedback& f) override
    {
        passes.push_back(f);
        masks.push_back(*f.mask);
    }
    void displayRestored() override { events.push_back("restore"); }
    void loadingTableReady(const LoadingTable& t) override
    {
        table = t.text();
        events.push_back("table");
    }
    void ticksUpdated(const std::array<bool, 8>&) override { events.push_back("ticks"); }
    void gridRowAppended(const GridRow&) override { events.push_back("row"); }
    void plotRequested(const ColorObjectTable&, const RunValues&) override { events.push_back("plot"); }
    void reportReady(const std::string&) override { events.push_back("report"); }
};

struct Outcome {
    ColorObjectTable objects;
    AnalysisResult result;
};

AnalysisInputs AllTicked(const std::string& scale = "1", const std::string& tolerance = "10")
{
    AnalysisInputs in;
    in.scaleText = scale;
    in.toleranceText = tolerance;
    in.ticked.fill(true);
    in.ticked[0] = false;
    return in;
}

Outcome Analyse(const TextPicture& picture, const AnalysisInputs& in, AnalysisObserver* observer = nullptr,
                ColorObjectTable* previous = nullptr)
{
    const Result<RunSetup> setup = PrepareRun(in);
    EXPECT_TRUE(setup.ok());
    Outcome out{previous ? *previous : MakeColorObjects(in.languageIndex), {}};
    AnalysisObserver quiet;
    out.result = RunAnalysis(picture.view(), out.objects, *setup, in, observer ? *observer : quiet);
    return out;
}

} // namespace

TEST(PixelScan, RowCutIntoRunsGivesChordsQuarterChordAndMarks)
{
    // 0 0 1 1 1 0 1 1: a run of 3 closed at x 5 and a run of 2 closed by the border.
    const TextPicture picture{"..rrr.rr"};
    const Outcome out = Analyse(picture, AllTicked());
    const ColorObject& red = out.objects[kRed];
    EXPECT_TRUE(red.Found);
    EXPECT_DOUBLE_EQ(red.Area, 5);
    EXPECT_DOUBLE_EQ(out.result.values.ACPoint[kRed].x, 21.25 / 5);
    EXPECT_DOUBLE_EQ(red.RefLength, 25.0 / 5);
    EXPECT_DOUBLE_EQ(out.result.values.RowChord[0], 5);
    const QuarterChordMarks& marks = out.result.values.marks;
    std::string row;
    for (int x = 0; x < 8; ++x)
        row += marks.row(0)[x] != 0 ? '1' : '0';
    EXPECT_EQ(row, "00100100") << "white marks at 2, 2.75 and 5; none for the run at the border";
}

TEST(PixelScan, SinglePixelAndRectangleGiveAreaCentroidAcAndReferenceLength)
{
    TextPicture dot(6, 5, Rgb(255, 255, 255));
    dot.set(3, 2, Rgb(0, 0, 0));
    Outcome out = Analyse(dot, AllTicked("2"));
    const ColorObject& black = out.objects[kBlack];
    EXPECT_DOUBLE_EQ(black.Area, 4);
    EXPECT_DOUBLE_EQ(black.Outline, 4 * 2) << "four edges, scaled";
    EXPECT_DOUBLE_EQ(black.RefLength, 2);
    EXPECT_DOUBLE_EQ(out.result.values.ACPoint[kBlack].x, 3.25 * 2);
    EXPECT_DOUBLE_EQ(out.result.values.CGPoint[kBlack].x, 3.5 * 2);
    EXPECT_DOUBLE_EQ(out.result.values.CGPoint[kBlack].y, 2.5 * 2);

    TextPicture rect(40, 8, Rgb(255, 255, 255));
    for (int y = 2; y < 6; ++y)
        for (int x = 20; x < 30; ++x)
            rect.set(x, y, Rgb(0, 0, 255));
    out = Analyse(rect, AllTicked());
    const ColorObject& blue = out.objects[kBlue];
    EXPECT_DOUBLE_EQ(blue.Area, 40);
    EXPECT_DOUBLE_EQ(out.result.values.CGPoint[kBlue].x, 25);
    EXPECT_DOUBLE_EQ(out.result.values.CGPoint[kBlue].y, 4);
    EXPECT_DOUBLE_EQ(out.result.values.ACPoint[kBlue].x, 22.5);
    EXPECT_DOUBLE_EQ(blue.RefLength, 10);
    EXPECT_DOUBLE_EQ(blue.Outline, 28);
}

TEST(PixelScan, ToleranceDecidesWhichShadesBelongToAnObject)
{
    // R differs from red by 5, G from green by 8.
    const TextPicture picture{"rRgG"};
    EXPECT_DOUBLE_EQ(Analyse(picture, AllTicked("1", "1")).objects[kRed].Area, 1);
    EXPECT_DOUBLE_EQ(Analyse(picture, AllTicked("1", "5")).objects[kRed].Area, 1);
    EXPECT_DOUBLE_EQ(Analyse(picture, AllTicked("1", "5.5")).objects[kRed].Area, 2);
    EXPECT_DOUBLE_EQ(Analyse(picture, AllTicked("1", "10")).objects[kGreen].Area, 2);
    EXPECT_DOUBLE_EQ(Analyse(picture, AllTicked("1", "8")).objects[kGreen].Area, 1);
    // A huge tolerance lets one pixel count in several objects.
    const Outcome wide = Analyse(picture, AllTicked("1", "800"));
    for (int i = 1; i <= 7; ++i)
        EXPECT_DOUBLE_EQ(wide.objects[static_cast<std::size_t>(i)].Area, 4) << i;
}

TEST(PixelScan, UntickedColourIsNotScannedAndRowChordSumsOverObjects)
{
    const TextPicture picture{
        "kkk.rr",
        "..k.rr",
    };
    AnalysisInputs in = AllTicked();
    Outcome out = Analyse(picture, in);
    EXPECT_DOUBLE_EQ(out.result.values.RowChord[0], 5);
    EXPECT_DOUBLE_EQ(out.result.values.RowChord[1], 3);
    EXPECT_EQ(out.result.values.RowChord.size(), 3u);

    in.ticked[kRed] = false;
    out = Analyse(picture, in);
    EXPECT_FALSE(out.objects[kRed].Found);
    EXPECT_DOUBLE_EQ(out.objects[kRed].Area, 0);
    EXPECT_DOUBLE_EQ(out.objects[kRed].Outline, 0);
    EXPECT_DOUBLE_EQ(out.objects[kRed].RefLength, 0);
    EXPECT_DOUBLE_EQ(out.result.values.RowChord[0], 3);
}

TEST(OutlineSearch, BoundariesOfRingsBordersNeighboursAndShades)
{
    // A 5 x 5 square with a one-pixel hole: 20 outer plus 4 inner edges.
    const TextPicture ring{
        "kkkkk", "kkkkk", "kk.kk", "kkkkk", "kkkkk",
    };
    EXPECT_DOUBLE_EQ(Analyse(ring, AllTicked()).objects[kBlack].Outline, 24);

    // Filling the whole picture keeps the border edges.
    EXPECT_DOUBLE_EQ(Analyse(TextPicture(7, 3, Rgb(255, 0, 0)), AllTicked("0.5")).objects[kRed].Outline,
                     2 * (7 + 3) * 0.5);

    // Touching objects each keep the common border.
    const TextPicture touching{
        "rrbb",
        "rrbb",
    };
    const Outcome both = Analyse(touching, AllTicked());
    EXPECT_DOUBLE_EQ(both.objects[kRed].Outline, 8);
    EXPECT_DOUBLE_EQ(both.objects[kBlue].Outline, 8);

    // A, A', A in a row: every border between shades counts twice.
    EXPECT_DOUBLE_EQ(Analyse(TextPicture{"rRr"}, AllTicked()).objects[kRed].Outline, 12);
    EXPECT_DOUBLE_EQ(Analyse(TextPicture{"rr"}, AllTicked()).objects[kRed].Outline, 6);
}

TEST(AnalysisRun, StatusTextsProgressAndPhasesComeInOrder)
{
    const TextPicture picture{
        "kk..",
        "..rr",
        "....",
    };
    RecordingObserver obs;
    AnalysisInputs in = AllTicked();
    const Outcome out = Analyse(picture, in, &obs);
    ASSERT_TRUE(out.result.completed);
    EXPECT_EQ(obs.statuses.front(), "Analyzing black area(s)...");
    EXPECT_EQ(obs.statuses[7], "Searching vertical edges: black area(s)...");
    EXPECT_EQ(obs.statuses[14], "Searching horizontal edges: black area(s)...");
    EXPECT_EQ(obs.statuses[20], "Searching horizontal edges: magenta area(s)...");
    EXPECT_EQ(obs.statuses[21], "Summing up...");
    EXPECT_EQ(obs.statuses[22], "Plotting...");
    EXPECT_EQ(obs.statuses.back(), "Ready.");
    EXPECT_EQ(obs.statuses.size(), 24u);

    // Seven scan passes of H rows; edge passes only for the two found objects.
    const std::int64_t H = 3, W = 4;
    EXPECT_EQ(obs.progress.front(), 0);
    EXPECT_EQ(obs.progress[obs.progress.size() - 2], 7 * H + 2 * H + 2 * W);
    EXPECT_EQ(obs.progress.back(), 0);
    EXPECT_EQ(ProgressMaximum(4, 3), 7 * (2 * H + W));

    const std::vector<std::string> phases(obs.events.begin() + 7, obs.events.end());
    const std::vector<std::string> expected = {
        "table", "ticks", "restore", "yield",                                                // after the scan
        "yield", "yield", "yield",   "yield", "yield", "yield", "yield", "restore", "yield", // vertical
        "yield", "yield", "yield",   "yield", "yield", "yield", "yield",                     // horizontal
        "yield", "row",   "row",     "row",   "yield", "plot",  "report"};
    EXPECT_EQ(phases, expected);

    in.languageIndex = kGerman;
    RecordingObserver german;
    Analyse(picture, in, &german);
    EXPECT_EQ(german.statuses.front(), "Analysiere schwarze Flächen...");
    EXPECT_EQ(german.statuses[8], "Suche senkrechte Kanten: rote Flächen...");
    EXPECT_EQ(german.statuses.back(), "Bereit.");
}

TEST(AnalysisRun, EscDuringTheScanKeepsLaterObjectsAndSkipsResults)
{
    const TextPicture picture{"krgbycm"};
    ColorObjectTable previous = MakeColorObjects(kEnglish);
    for (int i = 4; i <= 7; ++i) {
        previous[static_cast<std::size_t>(i)].Area = 99;
        previous[static_cast<std::size_t>(i)].Found = true;
    }
    RecordingObserver obs;
    obs.escAfterStatus = "Analyzing green area(s)...";
    const Outcome out = Analyse(picture, AllTicked(), &obs, &previous);
    EXPECT_FALSE(out.result.completed);
    EXPECT_TRUE(out.objects[kGreen].Found) << "the object being scanned is finished";
    EXPECT_DOUBLE_EQ(out.objects[kBlue].Area, 99) << "objects after the Esc keep the last run's values";
    EXPECT_DOUBLE_EQ(out.objects[7].Area, 99);
    EXPECT_EQ(obs.table.substr(0, 4), "Eta\t") << "the loading table is still built";
    EXPECT_TRUE(out.result.gridRows.empty());
    EXPECT_TRUE(out.result.report.empty());
    EXPECT_EQ(std::count(obs.events.begin(), obs.events.end(), "ticks"), 1);
    EXPECT_EQ(std::count(obs.events.begin(), obs.events.end(), "plot"), 0);
    EXPECT_EQ(obs.statuses.back(), "Aborted.");
    EXPECT_EQ(std::count_if(obs.statuses.begin(), obs.statuses.end(),
                            [](const std::string& s) { return s.rfind("Searching", 0) == 0; }),
              0);
}

TEST(AnalysisRun, EscDuringTheVerticalPassFinishesTheObjectAndEndsTheRun)
{
    const TextPicture picture{
        "kkrrgg",
        "kkrrgg",
    };
    RecordingObserver obs;
    obs.escAfterStatus = "Searching vertical edges: red area(s)...";
    const Outcome out = Analyse(picture, AllTicked(), &obs);
    EXPECT_FALSE(out.result.completed);
    EXPECT_DOUBLE_EQ(out.objects[kBlack].Outline, 4 * 4 - 2 * 2) << "black: vertical pass only, unscaled";
    EXPECT_DOUBLE_EQ(out.objects[kRed].Outline, 4 * 4 - 2 * 2) << "red is finished before the Esc is seen";
    EXPECT_DOUBLE_EQ(out.objects[kGreen].Outline, 16) << "green is not searched";
    EXPECT_EQ(std::count(obs.events.begin(), obs.events.end(), "restore"), 2);
    EXPECT_TRUE(out.result.gridRows.empty());
    EXPECT_EQ(obs.statuses.back(), "Aborted.");
}

TEST(AnalysisRun, NothingTickedFindsNothingAndTheTotalRowSaysSo)
{
    const TextPicture picture{"krg"};
    AnalysisInputs in = AllTicked();
    in.ticked.fill(false);
    const Outcome out = Analyse(picture, in);
    for (int i = 1; i <= 7; ++i)
        EXPECT_FALSE(out.objects[static_cast<std::size_t>(i)].Found);
    ASSERT_EQ(out.result.gridRows.size(), 1u);
    EXPECT_EQ(JoinedCells(out.result.gridRows[0]), "total\tNo color found.");
    EXPECT_TRUE(out.result.completed);
}

TEST(AnalysisRun, FeedbackMaskShowsTintedPixelsAndQuarterChordPoints)
{
    // Row 0 ends in red and row 1 starts in red: pairs never reach across.
    const TextPicture picture{
        "..rrrr",
        "rrrr..",
    };
    RecordingObserver obs;
    obs.feedback = true;
    AnalysisInputs in = AllTicked();
    in.ticked.fill(false);
    in.ticked[kRed] = true;
    Analyse(picture, in, &obs);
    ASSERT_EQ(obs.passes.size(), 3u);
    EXPECT_EQ(obs.passes[0].kind, PassKind::Scan);
    EXPECT_EQ(obs.passes[0].tint, Rgb(255, 171, 171));
    EXPECT_EQ(obs.masks[0], (std::vector<std::uint8_t>{0, 0, 1, 2, 1, 1, 1, 2, 1, 1, 0, 0}));
    EXPECT_EQ(obs.passes[1].kind, PassKind::VerticalEdges);
    EXPECT_EQ(obs.masks[1], (std::vector<std::uint8_t>{0, 0, 1, 1, 1, 0, 1, 1, 1, 0, 0, 0}));
    EXPECT_EQ(obs.passes[2].kind, PassKind::HorizontalEdges);
    EXPECT_EQ(obs.masks[2], (std::vector<std::uint8_t>{0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(AnalysisRun, OriginMovesPositionsButNotAreas)
{
    TextPicture picture(20, 10, Rgb(255, 255, 255));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            picture.set(x, y, Rgb(0, 0, 0));
    AnalysisInputs in = AllTicked();
    in.OriginX = 10;
    in.OriginY = 5;
    const Outcome out = Analyse(picture, in);
    EXPECT_EQ(JoinedCells(out.result.gridRows[0]),
              "black\t-8.000\t-3.000\t-9.000\t16.00\t100.0\t16.0000\t4.0000\t1.00");
}

TEST(PrepareRun, EvaluatesExpressionsAndRefusesWhatItCannotRead)
{
    AnalysisInputs in;
    in.toleranceText = "2*5";
    in.scaleText = "1/100";
    Result<RunSetup> setup = PrepareRun(in);
    ASSERT_TRUE(setup.ok());
    EXPECT_DOUBLE_EQ(setup->Tolerance, 10);
    EXPECT_DOUBLE_EQ(setup->ScaleFactor, 0.01);
    EXPECT_FALSE(setup->scaleReplaced);

    for (const char* text : {"0", "-2", "1e-17"}) {
        in.scaleText = text;
        setup = PrepareRun(in);
        ASSERT_TRUE(setup.ok());
        EXPECT_DOUBLE_EQ(setup->ScaleFactor, 1) << text;
        EXPECT_TRUE(setup->scaleReplaced) << text;
    }
    in.scaleText = "1e-16"; // the smallest scale taken as it is
    setup = PrepareRun(in);
    ASSERT_TRUE(setup.ok());
    EXPECT_EQ(setup->ScaleFactor, 1e-16);
    EXPECT_FALSE(setup->scaleReplaced);

    in.scaleText = "1";
    in.toleranceText = "1+";
    setup = PrepareRun(in);
    ASSERT_FALSE(setup.ok());
    EXPECT_EQ(setup.error().field, Field::Tolerance);
    EXPECT_EQ(ErrorText(setup.error(), kEnglish), "Tolerance \"1+\" ends before the expression is complete");

    in.toleranceText = "10";
    in.scaleText = "1/0";
    setup = PrepareRun(in);
    ASSERT_FALSE(setup.ok());
    EXPECT_EQ(setup.error().field, Field::ScaleFactor);
    EXPECT_EQ(ErrorText(setup.error(), kGerman), "Maßstabsfaktor \"1/0\" ergibt keine endliche Zahl");
}

// A tolerance that matches no pixel is refused by both programs; a scale too
// small to be a length the window replaces by 1 where the user sees it, and
// the batch command refuses.
TEST(PrepareRun, RefusesAToleranceThatMatchesNothingAndInTheBatchATinyScale)
{
    AnalysisInputs in;
    for (const SmallScale small : {SmallScale::BecomesOne, SmallScale::Refused}) {
        for (const char* tolerance : {"0", "-5", "2-2"}) {
            in.toleranceText = tolerance;
            const Result<RunSetup> setup = PrepareRun(in, small);
            ASSERT_FALSE(setup.ok()) << tolerance;
            EXPECT_EQ(ErrorText(setup.error(), kEnglish),
                      "Tolerance \"" + std::string(tolerance) + "\" is not above 0");
        }
    }
    in.toleranceText = "0.001";
    EXPECT_TRUE(PrepareRun(in, SmallScale::Refused).ok()) << "matches exact colours";

    const std::pair<const char*, const char*> refused[] = {
        {"0", "Maßstabsfaktor \"0\" ist nicht größer als 0"},
        {"-1", "Maßstabsfaktor \"-1\" ist nicht größer als 0"},
        {"1e-17", "Maßstabsfaktor \"1e-17\" ist kleiner als 1E-16, der kleinste zulässige Wert"},
    };
    for (const auto& [scale, why] : refused) {
        in.scaleText = scale;
        const Result<RunSetup> setup = PrepareRun(in, SmallScale::Refused);
        ASSERT_FALSE(setup.ok()) << scale;
        EXPECT_EQ(ErrorText(setup.error(), kGerman), why);
        EXPECT_TRUE(PrepareRun(in, SmallScale::BecomesOne)->scaleReplaced) << scale;
    }
    in.scaleText = "1e-16";
    EXPECT_EQ(PrepareRun(in, SmallScale::Refused)->ScaleFactor, 1e-16);
}

TEST(AnalysisRun, SweepAndOwnPassesAgreeAtAScaleOtherThanOne)
{
    // Exact colours only, so tolerance 10 (one sweep for all objects) and 200
    // (a read per object) find the same pixels.
    const TextPicture picture{
        "..kkkk....rrrr..", ".kkkkkk..rrrrrr.", "..kkkk..bb.rr...", "...gg...bbbb..yy", "...gggg.bbb.mmyy",
    };
    AnalysisInputs in = AllTicked("0.5", "10");
    in.OriginX = 3.5;
    in.OriginY = 1.0;
    in.OriginRow = 2;
    const Outcome swept = Analyse(picture, in);
    in.toleranceText = "200";
    const Outcome own = Analyse(picture, in);
    EXPECT_EQ(swept.result.values.RowChord, own.result.values.RowChord);
    EXPECT_EQ(LoadingTable(swept.result.values.RowChord, 5, 2, ".").text(),
              LoadingTable(own.result.values.RowChord, 5, 2, ".").text());
    EXPECT_EQ(swept.result.gridRows, own.result.gridRows);
    // Row 1 holds 6 black and 6 red pixels, half a unit long each; row 4
    // every colour but black, red and cyan.
    EXPECT_DOUBLE_EQ(swept.result.values.RowChord[1], 6.0);
    EXPECT_DOUBLE_EQ(swept.result.values.RowChord[4], 5.5);
    // Black: 14 pixels, 56 pixel edges less 11 vertical and 8 horizontal
    // inner pairs; centroid column 4 (x 2), row 1.5 (y 0.75); quarter chords
    // at 3, 2.5 and 3 weighted 4, 6 and 4; chords 4, 6, 4.
    EXPECT_DOUBLE_EQ(swept.objects[kBlack].Area, 14 * 0.25);
    EXPECT_DOUBLE_EQ(swept.objects[kBlack].Outline, (56 - 22 - 16) * 0.5);
    EXPECT_EQ(JoinedCells(swept.result.gridRows[0]),
              "black\t-1.500\t-0.2500\t-2.107\t3.500\t29.8\t9.0000\t2.4286\t1.00");
}

TEST(PrepareRun, ScalesWeightsAndOriginsBeyondTheNumbersAreRefused)
{
    AnalysisInputs in = AllTicked();
    ColorObjectTable objects = MakeColorObjects(kEnglish);
    const auto check = [&](const std::string& scale) {
        in.scaleText = scale;
        return RefuseRun(*PrepareRun(in), in, objects, 330, 314);
    };
    EXPECT_FALSE(check("1e100")) << "large, but every result stays a number";
    const std::optional<Error> scale = check("1e200");
    ASSERT_TRUE(scale);
    EXPECT_EQ(ErrorText(*scale, kEnglish), "Scale Factor \"1e200\" gives results beyond the range of numbers");

    objects[3].Weight = -1e308;
    const std::optional<Error> weight = check("0.01");
    ASSERT_TRUE(weight);
    EXPECT_EQ(ErrorText(*weight, kGerman), "Wirkung \"-1E+308\" ergibt Ergebnisse außerhalb des Zahlenbereichs");
    in.ticked[3] = false;
    EXPECT_FALSE(check("0.01")) << "an unticked colour's weight plays no part";

    in.OriginX = -1e308;
    EXPECT_FALSE(check("0.01")) << "far away, yet every position from it is a number";
    in.OriginX = 1e308 * 10; // an origin column of 1e308 at a scale of 10
    EXPECT_EQ(check("0.01")->field, Field::Origin);
}
