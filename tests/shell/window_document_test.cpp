// The window and a document given the same inputs: the same run, the same
// refusals, in the words the window shows.

#include "form1_fixture.h"

#include "document/document.h"

#include <optional>

using namespace centrafix;
using test::Form1Test;

namespace {

class WindowDocument : public Form1Test {
protected:
    // The document the window's fields describe, on its working copy.
    Document documentOfFields()
    {
        Document document(form->languageIndex());
        const std::string sep = QLocale().decimalPoint().toStdString();
        document.setSeparators(sep, sep);
        document.setPicture(workingCopy().picture(), {}, {}, false);
        document.setToleranceText(field("txtTolerance")->text().toStdString());
        document.setScaleText(field("txtScale")->text().toStdString());
        document.setAltitudeText(field("txtAltitude")->text().toStdString());
        document.setMachText(field("txtMach")->text().toStdString());
        EXPECT_TRUE(document.placeOrigin(form->originColumn(), form->originRow()));
        for (int i = 1; i <= kObjectCount; ++i)
            document.setWeight(i, form->colorObjects()[static_cast<std::size_t>(i)].Weight);
        std::array<bool, 8> ticked{};
        for (int i = 1; i <= kObjectCount; ++i)
            ticked[static_cast<std::size_t>(i)] = entry(i - 1)->checkState() == Qt::Checked;
        document.setTicks(ticked);
        return document;
    }

    // What the document's own run of its picture gives.
    static std::optional<AnalysisResult> runOf(const Document& document)
    {
        const Result<PreparedRun> prepared = document.prepareRun(SmallScale::BecomesOne);
        EXPECT_TRUE(prepared.ok());
        if (!prepared.ok())
            return std::nullopt;
        PreparedRun run = *prepared; // the run fills in the objects' measures
        AnalysisObserver quiet;
        return RunAnalysis(RasterViewOf(document.picture()), run.objects, run.setup, run.inputs, quiet);
    }
};

} // namespace

TEST_F(WindowDocument, ARunPreparedByTheDocumentGivesTheWindowsTable)
{
    open();
    field("txtScale")->setText("0.5");
    field("txtTolerance")->setText("12");
    mouse(QEvent::MouseButtonPress, Qt::RightButton, {40, 120});
    form->setWeightText(2, "2.5");
    entry(3)->setCheckState(Qt::Unchecked);
    Document document = documentOfFields();
    const std::optional<AnalysisResult> expectedRun = runOf(document);
    ASSERT_TRUE(expectedRun.has_value());
    const AnalysisResult& expected = *expectedRun;

    analyze();
    ASSERT_TRUE(form->messages.isEmpty()) << form->messages.join('\n').toStdString();
    ASSERT_GE(grid()->rowCount(), 2);
    EXPECT_EQ(copyTable(), TableText(expected, kGerman));
    // The grid holds the cells as the engine made them.
    for (int r = 0; r < grid()->rowCount(); ++r)
        for (int c = 0; c < grid()->columnCount(); ++c) {
            const std::vector<std::string>& cells = expected.gridRows[static_cast<std::size_t>(r)].cells;
            const auto at = static_cast<std::size_t>(c);
            EXPECT_EQ(grid()->item(r, c)->text().toStdString(), at < cells.size() ? cells[at] : std::string());
        }
}

TEST_F(WindowDocument, TheWindowRefusesWhatTheDocumentRefusesInTheSameWords)
{
    open();
    for (const int language : {kGerman, kEnglish}) {
        get<QComboBox>("cbLanguage")->setCurrentIndex(language - 1);
        for (const auto& [name, text] :
             {std::pair{"txtTolerance", "0"}, std::pair{"txtTolerance", "1/0"}, std::pair{"txtScale", "1e300"}}) {
            const QString before = field(name)->text();
            field(name)->setText(text);
            form->messages.clear();
            analyze();
            const Result<PreparedRun> refused = documentOfFields().prepareRun(SmallScale::BecomesOne);
            ASSERT_FALSE(refused.ok()) << name << " " << text;
            ASSERT_EQ(form->messages.size(), 1) << name << " " << text;
            EXPECT_EQ(form->messages[0].toStdString(), ErrorText(refused.error(), language));
            field(name)->setText(before);
        }
    }
}

TEST_F(WindowDocument, AScaleOfZeroIsMeasuredAtOneFromTheOriginsPixelAsTheDocumentPreparesIt)
{
    open();
    field("txtScale")->setText("0.5");
    mouse(QEvent::MouseButtonPress, Qt::RightButton, {40, 120});
    Document document = documentOfFields();
    field("txtScale")->setText("0");
    document.setScaleText("0");
    const std::optional<AnalysisResult> expectedRun = runOf(document);
    ASSERT_TRUE(expectedRun.has_value());
    const AnalysisResult& expected = *expectedRun;

    analyze();
    ASSERT_TRUE(form->messages.isEmpty()) << form->messages.join('\n').toStdString();
    EXPECT_EQ(field("txtScale")->text(), "1") << "the factor measured with, where the user sees it";
    EXPECT_EQ(form->originX(), 40.0) << "the origin kept its pixel";
    EXPECT_EQ(copyTable(), TableText(expected, kGerman));
}

TEST_F(WindowDocument, TheReportKeepsTheUnitItsRunHadThroughALanguageSwitch)
{
    open();
    QTest::keyClicks(field("txtScaleUnit"), "cm");
    analyzeWithHook([&] { return status().startsWith("Analysiere rot"); },
                    [&] { QTest::keyClicks(field("txtScaleUnit"), "x"); });
    get<QComboBox>("cbLanguage")->setCurrentIndex(kEnglish - 1);
    EXPECT_TRUE(report().contains("cm\n")) << report().toStdString();
    EXPECT_FALSE(report().contains("cmx")) << "the numbers are the run's, in its unit";
    // Spaces around the same unit change nothing the results depend on.
    analyze();
    QTest::keyClicks(field("txtScaleUnit"), " ");
    EXPECT_FALSE(form->resultsOutOfDate());
}
