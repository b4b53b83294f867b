// A document as both programs use it: what it refuses and in which words,
// where its origin is, and when its results are out of date.

#include "document/change_reasons.h"
#include "document/document.h"

#include "cli/batch_options.h"
#include "cli/picture_run.h"

#include "engine/analysis_run.h"
#include "engine/results_grid.h"
#include "picture/picture_source.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace centrafix {
namespace {

QImage Picture(int width = 20, int height = 10)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 2; y < 6; ++y)
        for (int x = 3; x < 9; ++x)
            picture.setPixel(x, y, qRgb(255, 0, 0));
    return picture;
}

Document WithPicture(int languageIndex = kEnglish)
{
    Document document(languageIndex);
    document.setPicture(Picture(), "plane.png", "/pictures/plane.png", false);
    return document;
}

std::string RefusalOf(const Document& document, int languageIndex, SmallScale small = SmallScale::Refused)
{
    const Result<PreparedRun> run = document.prepareRun(small);
    return run ? std::string("(none)") : ErrorText(run.error(), languageIndex);
}

// What the batch command says to these arguments, for the built-in example.
std::string BatchRefusal(QStringList arguments)
{
    arguments.prepend("centrafix-cli");
    BatchOptions options;
    if (std::optional<Error> error = ParseBatchOptions(arguments, options))
        return ErrorText(*error, options.inputs.languageIndex);
    const Result<std::shared_ptr<PictureRun>> run = RunPicture(options, std::nullopt, ".", false);
    return run ? std::string("(none)") : ErrorText(run.error(), options.inputs.languageIndex);
}

// Runs what the document prepared as the window and the batch command do,
// and hands the outcome back.
AnalysisResult Analyze(Document& document)
{
    const Result<PreparedRun> prepared = document.prepareRun(SmallScale::BecomesOne);
    EXPECT_TRUE(prepared.ok());
    PreparedRun run = *prepared;
    document.beginRun();
    AnalysisObserver quiet;
    AnalysisResult result = RunAnalysis(RasterViewOf(document.picture()), run.objects, run.setup, run.inputs, quiet);
    LastRun last{run.inputs, document.origin().column, run.setup, run.objects, result};
    document.finishRun(result.completed ? std::optional<LastRun>(std::move(last)) : std::nullopt);
    return result;
}

TEST(DocumentRefusals, EachFieldNamedInBothLanguagesAsTheBatchCommandSaysIt)
{
    struct Case {
        const char* option;
        const char* value;
        void (*set)(Document&, const std::string&);
        const char* german;
        const char* english;
    };
    const auto tolerance = [](Document& d, const std::string& t) { d.setToleranceText(t); };
    const auto scale = [](Document& d, const std::string& t) { d.setScaleText(t); };
    const Case cases[] = {
        {"--tolerance", "1/0", tolerance, "Toleranz \"1/0\" ergibt keine endliche Zahl",
         "Tolerance \"1/0\" does not give a finite number"},
        {"--tolerance", "0", tolerance, "Toleranz \"0\" ist nicht größer als 0", "Tolerance \"0\" is not above 0"},
        {"--tolerance", "zehn", tolerance,
         "Toleranz \"zehn\" enthält an Stelle 1 \"zehn\", weder Zahl noch Rechenzeichen noch Funktion",
         "Tolerance \"zehn\" has \"zehn\" at position 1, which is no number, operator or function"},
        {"--scale", "0", scale, "Maßstabsfaktor \"0\" ist nicht größer als 0", "Scale Factor \"0\" is not above 0"},
        {"--scale", "1e-20", scale, "Maßstabsfaktor \"1e-20\" ist kleiner als 1E-16, der kleinste zulässige Wert",
         "Scale Factor \"1e-20\" is below 1E-16, the smallest value allowed"},
        {"--scale", "2+", scale, "Maßstabsfaktor \"2+\" endet, bevor der Ausdruck vollständig ist",
         "Scale Factor \"2+\" ends before the expression is complete"},
    };
    for (const Case& c : cases) {
        for (const auto& [language, name, expected] :
             {std::tuple{kGerman, "de", c.german}, std::tuple{kEnglish, "en", c.english}}) {
            Document document = WithPicture(language);
            c.set(document, c.value);
            const std::string said = RefusalOf(document, language);
            EXPECT_EQ(said, expected);
            EXPECT_EQ(said, BatchRefusal({"--language", name, c.option, c.value})) << c.option << " " << c.value;
        }
    }
}

TEST(DocumentRefusals, ResultsThatWouldNotBeFiniteNameTheFieldThatMakesThem)
{
    Document scale = WithPicture(kGerman);
    scale.setScaleText("1e300");
    EXPECT_EQ(RefusalOf(scale, kGerman).rfind("Maßstabsfaktor \"1e300\"", 0), 0u) << RefusalOf(scale, kGerman);
    EXPECT_EQ(RefusalOf(scale, kEnglish).rfind("Scale Factor \"1e300\"", 0), 0u);
    EXPECT_EQ(RefusalOf(scale, kEnglish), BatchRefusal({"--scale", "1e300"}));

    Document origin = WithPicture();
    origin.setScaleText("1e300");
    origin.setScaleText("10");
    ASSERT_TRUE(origin.placeOrigin(1e308, 0));
    EXPECT_NE(RefusalOf(origin, kEnglish).find("Origin"), std::string::npos) << RefusalOf(origin, kEnglish);
    EXPECT_EQ(RefusalOf(origin, kEnglish), BatchRefusal({"--scale", "10", "--origin", "1e308,0"}));

    Document weight = WithPicture(kGerman);
    weight.setWeight(2, 1e308);
    EXPECT_NE(RefusalOf(weight, kGerman).find("Wirkung"), std::string::npos) << RefusalOf(weight, kGerman);
    EXPECT_EQ(RefusalOf(weight, kGerman), BatchRefusal({"--language", "de", "--weights", "1,1e308,1,1,1,1,1"}));
    // A colour that is not looked for cannot make anything infinite.
    std::array<bool, 8> others{false, true, false, true, true, true, true, true};
    weight.setTicks(others);
    EXPECT_EQ(RefusalOf(weight, kGerman), "(none)");
}

TEST(DocumentRefusals, NothingTickedAndTheWindowsOwnScaleReplacement)
{
    Document none = WithPicture();
    none.setTicks({});
    EXPECT_EQ(RefusalOf(none, kEnglish), "No color is ticked: there would be nothing to analyze.");
    EXPECT_EQ(RefusalOf(none, kGerman), "Keine Farbe ist angekreuzt: es gäbe nichts zu analysieren.");

    // The window measures a scale of 0 at 1, from the origin's pixel.
    Document replaced = WithPicture();
    replaced.setScaleText("2");
    ASSERT_TRUE(replaced.placeOrigin(4, 3));
    replaced.setScaleText("0");
    const Result<PreparedRun> run = replaced.prepareRun(SmallScale::BecomesOne);
    ASSERT_TRUE(run.ok());
    EXPECT_TRUE(run->setup.scaleReplaced);
    EXPECT_EQ(run->setup.ScaleFactor, 1.0);
    EXPECT_EQ(run->inputs.OriginX, 4.0);
    EXPECT_EQ(run->inputs.OriginY, 3.0);
    EXPECT_EQ(run->originColumn, 4.0) << "the saved results name the pixel";
}

TEST(DocumentRefusals, AltitudeAndMachAreRefusedOnlyWhereNobodyReadsTheReport)
{
    // The window's report says why there is no drag estimate; the batch
    // command refuses the field, in the reader's words.
    Document document = WithPicture();
    document.setAltitudeText("hoch");
    EXPECT_EQ(RefusalOf(document, kEnglish), "(none)");
    const std::optional<Error> refused = document.refuseDragFields();
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(ErrorText(*refused, kEnglish), BatchRefusal({"--altitude", "hoch"}));
    document.setAltitudeText("10000");
    document.setMachText("x");
    ASSERT_TRUE(document.refuseDragFields().has_value());
    EXPECT_EQ(ErrorText(*document.refuseDragFields(), kGerman), BatchRefusal({"--language", "de", "--mach", "x"}));
}

TEST(DocumentOrigin, KeepsItsPixelWhenTheScaleChangesAndATypedPositionAsTyped)
{
    Document document = WithPicture();
    document.setScaleText("0.5");
    ASSERT_TRUE(document.placeOrigin(10, 4));
    EXPECT_EQ(document.origin().x, 5.0);
    EXPECT_EQ(document.origin().y, 2.0);
    document.setScaleText("2");
    EXPECT_EQ(document.origin().x, 20.0);
    EXPECT_EQ(document.origin().row, 4.0);
    // On the way to "1/50", the leading number stands in.
    document.setScaleText("3/");
    EXPECT_EQ(document.origin().x, 30.0);
    document.setScaleText("0");
    EXPECT_FALSE(document.placeOrigin(1, 1)) << "no scaled position without a factor";
    EXPECT_EQ(document.origin().column, 10.0);

    document.setScaleText("4");
    ASSERT_EQ(document.typeOrigin("6", "2"), std::nullopt);
    EXPECT_EQ(document.origin().column, 1.5);
    EXPECT_EQ(document.origin().row, 0.5);
    EXPECT_EQ(document.origin().x, 6.0);
    const std::optional<Error> word = document.typeOrigin("links", "2");
    ASSERT_TRUE(word.has_value());
    EXPECT_EQ(word->field, Field::Origin);
    EXPECT_EQ(document.origin().x, 6.0) << "a refused origin changes nothing";
    document.setScaleText("0");
    ASSERT_TRUE(document.typeOrigin("1", "1").has_value());
    EXPECT_EQ(document.typeOrigin("1", "1")->field, Field::ScaleFactor);
}

TEST(DocumentOutOfDate, ChangesAfterARunAreKeptInOrderOnceEach)
{
    Document document = WithPicture();
    document.setToleranceText("20");
    EXPECT_FALSE(document.outOfDate()) << "before any result nothing is out of date";
    Analyze(document);
    ASSERT_TRUE(document.lastRun().has_value());
    EXPECT_FALSE(document.outOfDate());

    document.setToleranceText("20");
    document.setWeight(2, 1.0);
    document.setTicked(2, true);
    EXPECT_FALSE(document.outOfDate()) << "the same value is no change";
    document.setScaleText("2");
    document.setUnit("mm");
    document.setScaleText("3");
    document.setWeight(2, 0.5);
    document.setAltitudeText("5000");
    document.setMachText("0.3");
    ASSERT_TRUE(document.placeOrigin(1, 1));
    document.setTicked(2, false);
    document.changePicture(Picture());
    document.setToleranceText("30");
    const std::vector<const Message*> expected{&kChangedScale,    &kChangedUnit,    &kChangedWeights,
                                               &kChangedAltitude, &kChangedMach,    &kChangedOrigin,
                                               &kChangedColors,   &kChangedPicture, &kChangedTolerance};
    EXPECT_EQ(document.staleReasons(), expected);
    EXPECT_TRUE(document.lastRun().has_value()) << "the numbers stay for the exports";

    Analyze(document);
    EXPECT_FALSE(document.outOfDate());
    document.setPicture(Picture(), "other.png", {}, false);
    EXPECT_FALSE(document.lastRun().has_value()) << "a new picture starts over";
    EXPECT_FALSE(document.outOfDate());
}

TEST(DocumentOutOfDate, TheOriginMovesWithEitherCoordinateAndOnlyColoursHaveWeights)
{
    Document document = WithPicture();
    ASSERT_TRUE(document.placeOrigin(3, 4));
    Analyze(document);
    ASSERT_TRUE(document.placeOrigin(3, 4));
    EXPECT_FALSE(document.outOfDate()) << "the same pixel again";
    ASSERT_TRUE(document.placeOrigin(5, 4));
    EXPECT_EQ(document.staleReasons(), std::vector<const Message*>{&kChangedOrigin}) << "a new column alone";

    Analyze(document);
    ASSERT_TRUE(document.placeOrigin(5, 6));
    EXPECT_EQ(document.staleReasons(), std::vector<const Message*>{&kChangedOrigin}) << "a new row alone";

    // The total and anything past the seventh colour have no weight to set.
    Analyze(document);
    const double total = document.colorObjects()[0].Weight;
    document.setWeight(0, total + 1.0);
    document.setWeight(kObjectCount + 1, 2.0);
    EXPECT_EQ(document.colorObjects()[0].Weight, total);
    EXPECT_FALSE(document.outOfDate());
}

TEST(DocumentOutOfDate, ChangesDuringARunMakeItsResultsOutOfDateAndAnEndedRunLeavesNone)
{
    Document document = WithPicture();
    const Result<PreparedRun> prepared = document.prepareRun(SmallScale::BecomesOne);
    ASSERT_TRUE(prepared.ok());
    document.beginRun();
    document.setMachText("0.5");
    document.setWeight(3, 2.0);
    EXPECT_TRUE(document.runUnderWay());
    document.finishRun(LastRun{prepared->inputs, 0.0, prepared->setup, prepared->objects, {}});
    EXPECT_EQ(document.staleReasons(), (std::vector<const Message*>{&kChangedMach, &kChangedWeights}));
    EXPECT_EQ(document.colorObjects()[3].Weight, 2.0) << "a weight set while the run went stays";

    document.beginRun();
    EXPECT_FALSE(document.lastRun().has_value()) << "a new run's results replace the shown ones";
    document.setMachText("0.6");
    document.finishRun(std::nullopt);
    EXPECT_FALSE(document.outOfDate()) << "Esc: nothing shown that could be out of date";
    EXPECT_FALSE(document.runUnderWay());
}

TEST(DocumentOutOfDate, ARunEndedByEscLeavesWhatItMeasuredAndTheUsersWeightsAndTicks)
{
    Document document = WithPicture();
    document.setScaleText("2");
    ASSERT_TRUE(document.placeOrigin(7, 5));
    const Result<PreparedRun> prepared = document.prepareRun(SmallScale::BecomesOne);
    ASSERT_TRUE(prepared.ok());
    EXPECT_EQ(prepared->originColumn, 7.0);
    EXPECT_EQ(prepared->inputs.OriginX, 14.0);
    EXPECT_EQ(prepared->inputs.OriginRow, 5.0);
    document.beginRun();
    document.setWeight(2, 3.0);
    document.setLanguage(kGerman);
    // The run reached red and stopped before green.
    ColorObjectTable measured = prepared->objects;
    measured[2].Found = true;
    measured[2].Area = 24.0;
    document.takeMeasures(measured);
    document.finishRun(std::nullopt);
    EXPECT_EQ(document.colorObjects()[2].Area, 24.0);
    EXPECT_TRUE(document.colorObjects()[2].Found);
    EXPECT_EQ(document.colorObjects()[2].Weight, 3.0) << "the weight typed meanwhile";
    EXPECT_EQ(document.colorObjects()[2].Name, "rot") << "named in the document's language";
    EXPECT_FALSE(document.colorObjects()[3].Found);
    EXPECT_EQ(document.ticks()[3], true) << "an ended run unticks nothing";
    EXPECT_FALSE(document.lastRun().has_value());
}

TEST(DocumentColors, ColoursNotFoundLoseTheirTickUntilTheyHaveANewChance)
{
    Document document = WithPicture();
    Analyze(document);
    const std::array<bool, 8> onlyRed{false, false, true, false, false, false, false, false};
    EXPECT_EQ(document.ticks(), onlyRed);
    std::array<bool, 8> others{true, true, false, true, true, true, true, true};
    others[0] = false;
    EXPECT_EQ(document.notFound(), others);
    EXPECT_GT(document.colorObjects()[2].Area, 0.0) << "the measures come back to the document";

    // Another tolerance may find them.
    document.setToleranceText("20");
    std::array<bool, 8> all{};
    all.fill(true);
    all[0] = false;
    EXPECT_EQ(document.ticks(), all);
    EXPECT_EQ(document.notFound(), (std::array<bool, 8>{}));

    Analyze(document);
    document.setTicked(2, false); // one tick taken away: the rest get their chance
    std::array<bool, 8> allButRed = all;
    allButRed[2] = false;
    EXPECT_EQ(document.ticks(), allButRed);

    // A tick the user sets while the run goes stands against its findings.
    document.setTicks(all);
    const Result<PreparedRun> prepared = document.prepareRun(SmallScale::BecomesOne);
    PreparedRun run = *prepared;
    document.beginRun();
    document.setTicks(all);
    AnalysisObserver quiet;
    AnalysisResult result = RunAnalysis(RasterViewOf(document.picture()), run.objects, run.setup, run.inputs, quiet);
    document.finishRun(LastRun{run.inputs, 0.0, run.setup, run.objects, result});
    EXPECT_EQ(document.ticks(), all);
}

TEST(DocumentColors, ALanguageSwitchWritesTheLastRunAnew)
{
    Document document = WithPicture(kGerman);
    document.setSeparators(",", ",");
    document.setScaleText("0,5");
    Analyze(document);
    ASSERT_TRUE(document.lastRun().has_value());
    EXPECT_EQ(document.lastRun()->result.gridRows.front().cells.at(0), "rot");
    EXPECT_NE(document.lastRun()->result.report.find("je Pixel"), std::string::npos)
        << document.lastRun()->result.report;
    document.setLanguage(kEnglish);
    EXPECT_EQ(document.colorObjects()[2].Name, "red");
    EXPECT_EQ(document.lastRun()->result.gridRows.front().cells.at(0), "red");
    EXPECT_EQ(document.lastRun()->result.gridRows.back().cells.at(0), "total");
    EXPECT_EQ(document.lastRun()->result.gridRows.front().cells.at(4), "6,000") << "the run's separator stays";
    EXPECT_EQ(document.lastRun()->result.report.find("je Pixel"), std::string::npos)
        << document.lastRun()->result.report;
}

TEST(DocumentRun, APreparedRunGivesWhatTheBatchCommandGivesForTheSameOptions)
{
    BatchOptions options;
    ASSERT_EQ(ParseBatchOptions({"centrafix-cli", "--scale", "0.25", "--origin", "100,40", "--weights",
                                 "1,2,0.5,1,1,1,3", "--colors", "red,blue,yellow", "--unit", "cm"},
                                options),
              std::nullopt);
    const Result<std::shared_ptr<PictureRun>> batch = RunPicture(options, std::nullopt, ".", false);
    ASSERT_TRUE(batch.ok());

    Document document(kEnglish);
    document.setPicture(ExamplePicture(), {}, {}, false);
    document.setSeparators(".", QLocale().decimalPoint().toStdString());
    document.setScaleText("0.25");
    document.setUnit("cm");
    ASSERT_TRUE(document.placeOrigin(100, 40));
    const double weights[] = {1, 2, 0.5, 1, 1, 1, 3};
    for (int i = 1; i <= kObjectCount; ++i)
        document.setWeight(i, weights[i - 1]);
    document.setTicks({false, false, true, false, true, true, false, false});
    const AnalysisResult result = Analyze(document);

    const PictureRun& expected = **batch;
    EXPECT_EQ(document.lastRun()->inputs.OriginX, expected.inputs.OriginX);
    EXPECT_EQ(document.lastRun()->inputs.OriginY, expected.inputs.OriginY);
    EXPECT_EQ(result.gridRows, expected.result.gridRows);
    EXPECT_EQ(result.report, expected.result.report);
    ASSERT_GE(result.gridRows.size(), 2u);
}

} // namespace
TEST(DocumentColors, ALanguageSwitchWritesTheBalanceLineAnew)
{
    Document document = WithPicture(kGerman);
    aero::BalanceSettings balance;
    balance.roles.fill(aero::SurfaceRole::Other);
    balance.roles[2] = aero::SurfaceRole::Tail; // red lifts, but nothing is the wing
    document.setBalanceSettings(balance);
    Analyze(document);
    ASSERT_TRUE(document.lastRun().has_value());
    const std::string german = document.lastRun()->result.report;
    EXPECT_NE(german.find("\r\nSchwerpunktlage: keine gefundene Farbe hat die Rolle Flügel.\r\n"), std::string::npos)
        << german;
    document.setLanguage(kEnglish);
    const std::string english = document.lastRun()->result.report;
    EXPECT_TRUE(english.ends_with("\r\nBalance: no found color has the role wing.\r\n")) << english;
    EXPECT_EQ(english.find("Schwerpunktlage"), std::string::npos);
}

} // namespace centrafix
