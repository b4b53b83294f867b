// --report and --paper as a user meets them: the PDF read back (its pages,
// its texts in either language, its check bar and a wing's span measured
// on the paper), the paper the locale chooses, and every refusal in one
// line that leaves the files as they were.

#include "cli_runner.h"
#include "pdf_reading.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPdfDocument>
#include <QTemporaryDir>

using centrafix::test::BlueBox;
using centrafix::test::BlueRunMiddles;
using centrafix::test::CanDrawPdfRegions;
using centrafix::test::CliOutcome;
using centrafix::test::LongestDarkRun;
using centrafix::test::PdfPageCount;
using centrafix::test::PdfPageText;
using centrafix::test::PdfRegion;
using centrafix::test::ReadBytes;
using centrafix::test::RunCli;
using centrafix::test::WriteBytes;

namespace {

// A red wing of 1200 pixels span and 200 chord, a black fuselage across
// its middle: at --scale 0.1 --unit mm a wing of 120 mm span.
QString WritePlan(const QTemporaryDir& dir)
{
    QImage picture(600, 1400, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.fillRect(QRect(200, 100, 200, 1200), Qt::red);
    painter.fillRect(QRect(50, 680, 530, 40), Qt::black);
    painter.end();
    const QString path = dir.filePath(QStringLiteral("wing.png"));
    picture.save(path);
    return path;
}

class ReportOption : public ::testing::Test {
protected:
    void SetUp() override { plan = WritePlan(dir); }

    CliOutcome run(const QStringList& arguments, const QString& locale = QStringLiteral("C"))
    {
        return RunCli(QStringList{"--scale", "0.1", "--unit", "mm"} + arguments + QStringList{plan}, locale);
    }

    QTemporaryDir dir;
    QString plan;
    const QString report = dir.filePath(QStringLiteral("wing.pdf"));
};

constexpr int kDpi = 1200;

} // namespace

TEST_F(ReportOption, ThePdfHoldsThePageOneTextsAndThePlanAtTrueSize)
{
    const CliOutcome o = run({"--report", report, "--paper", "a4"});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
    EXPECT_TRUE(o.out.contains("Neutral point x =")) << "the results are printed as ever";
    ASSERT_EQ(PdfPageCount(report), 2);
    const QString first = PdfPageText(report, 0).simplified();
    for (const char* said : {"Centrafix – report: wing.png", "Results", "Neutral point x =", "textbook estimate x =",
                             "C.G. range x =", "Page 2 shows the planform at true size (1:1)."})
        EXPECT_TRUE(first.contains(QString::fromUtf8(said))) << said << "\nin\n" << first.toStdString();
    QPdfDocument pdf;
    ASSERT_EQ(pdf.load(report), QPdfDocument::Error::None);
    EXPECT_NEAR(pdf.pagePointSize(1).width(), 595.3, 0.5) << "A4";

    if (!CanDrawPdfRegions())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is needed to measure the page";
    const QImage foot = PdfRegion(report, 1, QRectF(5.0, 297.0 - 24.0, 125.0, 10.0), kDpi);
    ASSERT_FALSE(foot.isNull());
    EXPECT_NEAR(LongestDarkRun(foot, kDpi), 100.0, 0.1);
    // Where the wing is, from the page drawn coarsely; then its outline's
    // ends down a column 1 mm behind its leading edge, finely.
    constexpr int kCoarse = 150;
    const QImage page = PdfRegion(report, 1, QRectF(0.0, 0.0, 210.0, 297.0), kCoarse);
    const QRect wing = BlueBox(page);
    ASSERT_FALSE(wing.isEmpty());
    const double column = (wing.left() + 0.5) * 25.4 / kCoarse + 1.0;
    const QImage strip = PdfRegion(report, 1, QRectF(column - 0.5, 0.0, 1.0, 297.0), kDpi);
    const std::vector<double> ends = BlueRunMiddles(strip, strip.width() / 2, kDpi);
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_NEAR(ends[1] - ends[0], 120.0, 0.1) << "the wing's span";
}

TEST_F(ReportOption, GermanOnLetterAsTheLocaleOrTheOptionSays)
{
    const CliOutcome o = run({"--report", report, "--language", "de"}, QStringLiteral("en_US.UTF-8"));
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    QPdfDocument pdf;
    ASSERT_EQ(pdf.load(report), QPdfDocument::Error::None);
    EXPECT_NEAR(pdf.pagePointSize(0).width(), 612.0, 0.5) << "Letter in the US";
    EXPECT_NEAR(pdf.pagePointSize(0).height(), 792.0, 0.5);
    const QString first = PdfPageText(report, 0).simplified();
    for (const char* said : {"Centrafix – Bericht: wing.png", "Ergebnisse", "Neutralpunkt x =",
                             "Lehrbuch-Schätzung x =", "Seite 2 zeigt den Grundriss in wahrer Größe (1:1)."})
        EXPECT_TRUE(first.contains(QString::fromUtf8(said))) << said << "\nin\n" << first.toStdString();
    EXPECT_TRUE(PdfPageText(report, 1).simplified().contains(QString::fromUtf8("Prüfstrecke 4 in")));

    ASSERT_EQ(run({"--report", report, "--paper", "A4"}, QStringLiteral("en_US.UTF-8")).exitCode, 0);
    ASSERT_EQ(pdf.load(report), QPdfDocument::Error::None);
    EXPECT_NEAR(pdf.pagePointSize(0).width(), 595.3, 0.5) << "--paper over the locale; the old report replaced";
    ASSERT_EQ(run({"--report", report}, QStringLiteral("de_DE.UTF-8")).exitCode, 0);
    ASSERT_EQ(pdf.load(report), QPdfDocument::Error::None);
    EXPECT_NEAR(pdf.pagePointSize(0).width(), 595.3, 0.5) << "A4 in Germany";

    if (!CanDrawPdfRegions())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is needed to measure the page";
    ASSERT_EQ(run({"--report", report, "--paper", "letter"}).exitCode, 0);
    const QImage foot = PdfRegion(report, 1, QRectF(5.0, 279.4 - 24.0, 125.0, 10.0), kDpi);
    EXPECT_NEAR(LongestDarkRun(foot, kDpi), 101.6, 0.1) << "4 in";
}

TEST_F(ReportOption, AUnitWithoutLengthGivesPageOneAloneAndSaysWhy)
{
    const CliOutcome o =
        RunCli({"--scale", "0.1", "--unit", "px", "--language", "de", "--report", report, plan}, "C");
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_EQ(PdfPageCount(report), 1);
    EXPECT_TRUE(PdfPageText(report, 0).simplified().contains(
        QString::fromUtf8("Keine Seiten in wahrer Größe (1:1): die Einheit „px“ ist keine Länge")));
}

TEST_F(ReportOption, EachRefusalIsOneLineAndWritesNothing)
{
    const QString other = dir.filePath(QStringLiteral("other.png"));
    ASSERT_TRUE(QImage(plan).save(other));
    const QByteArray otherBytes = ReadBytes(other);
    const QString missing = dir.filePath(QStringLiteral("no/folder/wing.pdf"));
    const struct {
        QStringList arguments;
        QString said;
    } cases[] = {
        {{"--report", ""}, "--report needs a file name."},
        {{"--report", report, "--paper", "a5"}, "--paper must be a4 or letter, not \"a5\"."},
        {{"--report", report, other}, "--report is for one picture, not several (one report a run)."},
        {{"--report", missing}, missing + ": cannot write the report ("},
        {{"--report", plan}, plan + ": is read in this run; --report would write over it"},
        {{"--report", other}, other + ": is a picture; --report does not write over a picture"},
        {{"--language", "de", "--report", ""}, "--report braucht einen Dateinamen."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliOutcome o = run(c.arguments);
        EXPECT_EQ(o.exitCode, 2);
        EXPECT_TRUE(o.err.contains(c.said)) << o.err.toStdString();
        EXPECT_EQ(o.err.trimmed().count('\n'), 0) << o.err.toStdString();
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_FALSE(QFile::exists(report));
        EXPECT_FALSE(QFile::exists(missing));
        EXPECT_EQ(ReadBytes(other), otherBytes);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "nothing left behind";
}

// A mass list saved in a project is weighed again as saved: the same C.G.
// and advice in the JSON, the weighing's lines on the report's first page,
// and an advice option on the command line choosing anew.
TEST_F(ReportOption, AProjectsMassListIsWeighedAsSavedAndPrinted)
{
    const QString masses = dir.filePath(QStringLiteral("m.csv"));
    ASSERT_TRUE(WriteBytes(masses, "motor,50,0\nbattery,100,10\nwing,80,30\n"));
    const QString project = dir.filePath(QStringLiteral("plane.cfx"));
    const CliOutcome saved = run({"--json", "--masses", masses, "--move-item", "motor", "--save-project", project});
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    const QJsonObject first = QJsonDocument::fromJson(saved.out.toUtf8()).object()["balance"].toObject();
    // (50*0 + 100*10 + 80*30) / 230, far ahead of the range around 22.6 mm.
    EXPECT_DOUBLE_EQ(first["cg_x"].toDouble(), 3400.0 / 230.0);
    EXPECT_EQ(first["advice"]["item"].toString(), QStringLiteral("motor"));

    const CliOutcome again = RunCli({"--json", project});
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    const QJsonObject reopened = QJsonDocument::fromJson(again.out.toUtf8()).object()["balance"].toObject();
    for (const char* key : {"cg_x", "cg_static_margin", "total_mass"})
        EXPECT_EQ(reopened[key].toDouble(), first[key].toDouble()) << key;
    EXPECT_EQ(reopened["advice"].toObject(), first["advice"].toObject());

    const CliOutcome ballast = RunCli({"--json", "--ballast-at", "5", project});
    ASSERT_EQ(ballast.exitCode, 0) << ballast.err.toStdString();
    const QJsonObject advice =
        QJsonDocument::fromJson(ballast.out.toUtf8()).object()["balance"].toObject()["advice"].toObject();
    EXPECT_EQ(advice["ballast_x"].toDouble(), 5.0);
    EXPECT_FALSE(advice.contains("item"));

    const CliOutcome printed = RunCli({"--report", report, project});
    ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    EXPECT_TRUE(printed.out.contains("Weight and balance: total mass 230.00")) << printed.out.toStdString();
    const QString page = PdfPageText(report, 0).simplified();
    EXPECT_TRUE(page.contains("Weight and balance: total mass 230.00")) << page.toStdString();
    EXPECT_TRUE(page.contains("C.G. range x =")) << page.toStdString();
}
