// The printed report read back as its reader sees it: how many pages, what
// page 1 says in either language, what the 1:1 pages are labelled, and that
// their check bar and a wing of known span measure true on the paper.

#include "pdf_reading.h"

#include "aero/cg_range.h"
#include "aero/surface_geometry.h"
#include "engine/balance_report.h"
#include "engine/results_grid.h"
#include "picture/report/page_tiles.h"
#include "picture/report/report_composer.h"
#include "picture/report/true_size_pages.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QTemporaryDir>

using namespace centrafix;
using namespace centrafix::test;

namespace {

constexpr double kMmPerPixel = 0.1;
constexpr int kWingLead = 200, kWingTrail = 400, kWingTop = 100, kWingBottom = 1300; // 20 mm by 120 mm

// A red wing of 120 mm span and 20 mm chord at 0.1 mm a pixel, a black
// fuselage across its middle.
QImage PlanPicture()
{
    QImage picture(600, 1400, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.fillRect(QRect(QPoint(kWingLead, kWingTop), QPoint(kWingTrail - 1, kWingBottom - 1)), Qt::red);
    painter.fillRect(QRect(QPoint(50, 680), QPoint(579, 719)), Qt::black);
    return picture;
}

aero::Balance WingBalance(double scale)
{
    aero::SurfaceBalance wing;
    wing.objects = {2};
    wing.outline.firstRow = kWingTop;
    wing.outline.rows.assign(kWingBottom - kWingTop, aero::OutlineRow{double(kWingLead), double(kWingTrail)});
    wing.geometry = aero::MeasureSurface(wing.outline, aero::PlanformScale{scale, 0.0, 0.0});
    aero::Balance balance;
    balance.surfaces = {wing};
    const aero::SurfaceGeometry& g = wing.geometry;
    balance.neutralPointX = g.macLeadX + 0.25 * g.mac;
    balance.estimate.neutralPointX = g.macLeadX + 0.26 * g.mac;
    balance.panels = 400;
    balance.marginLow = 5.0;
    balance.marginHigh = 15.0;
    balance.range = aero::RangeOfCg(balance.neutralPointX, g.mac, g.rootLeadX, 5.0, 15.0);
    return balance;
}

ReportContent Content(int language, const std::string& unit, double scale = kMmPerPixel)
{
    ReportContent content;
    content.title = QStringLiteral("wing.png");
    content.plain = PlanPicture();
    content.annotated = content.plain;
    content.header = GridHeader(language);
    content.rows = {GridRow{{"Rot", "2400", "100", "1", "2", "3", "4", "5", "6"}},
                    GridRow{{"Total", "2400", "100", "1", "2", "3"}}};
    content.balance = WingBalance(scale);
    content.placement.ScaleFactor = scale;
    content.unit = unit;
    content.languageIndex = language;
    content.report = "Picture 600 x 1400\r\n" + BalanceLines(content.balance, nullptr, language, ".", unit);
    return content;
}

class Report : public ::testing::Test {
protected:
    QString write(const ReportContent& content, Paper paper = Paper::A4)
    {
        const QString path = dir.filePath(QStringLiteral("report.pdf"));
        const std::optional<Error> error = WriteReportPdf(path, content, paper, kCannotWrite);
        EXPECT_FALSE(error) << (error ? ErrorText(*error, kEnglish) : "");
        return path;
    }

    static constexpr Message kCannotWrite{"kann nicht schreiben (%1)", "cannot write (%1)"};
    QTemporaryDir dir;
};

constexpr int kDpi = 1200;

} // namespace

TEST(ReportTiles, APlanIsCutIntoTheFewestOverlappingPages)
{
    // A window of 186 mm with 10 mm overlap: each further page adds 176 mm.
    EXPECT_EQ(TilesAlong(100.0, 186.0, 10.0), 1);
    EXPECT_EQ(TilesAlong(186.0, 186.0, 10.0), 1);
    EXPECT_EQ(TilesAlong(186.5, 186.0, 10.0), 2);
    EXPECT_EQ(TilesAlong(362.0, 186.0, 10.0), 2);
    EXPECT_EQ(TilesAlong(362.0 + 1e-12, 186.0, 10.0), 2) << "a rounding hair needs no page";
    EXPECT_EQ(TilesAlong(362.5, 186.0, 10.0), 3);
    EXPECT_EQ(TilesAlong(1000.0, 186.0, 10.0), 6);
    const TileGrid grid = TilesFor(400.0, 600.0, 186.0, 247.0, 10.0);
    EXPECT_EQ(grid.columns, 3);
    EXPECT_EQ(grid.rows, 3);
    EXPECT_EQ(grid.pages(), 9);
    EXPECT_DOUBLE_EQ(grid.stepX, 176.0);
    EXPECT_DOUBLE_EQ(grid.stepY, 237.0);
    // The crosses sit in the middle of each shared strip: 176..186, 352..362.
    EXPECT_EQ(OverlapMiddles(3, 176.0, 186.0), (std::vector<double>{181.0, 357.0}));
    EXPECT_TRUE(OverlapMiddles(1, 176.0, 186.0).empty());
}

TEST(ReportPaper, TheLocaleChoosesAndANameOverrides)
{
    EXPECT_EQ(PaperForLocale(QLocale(QLocale::English, QLocale::UnitedStates)), Paper::Letter);
    EXPECT_EQ(PaperForLocale(QLocale(QLocale::French, QLocale::Canada)), Paper::Letter);
    EXPECT_EQ(PaperForLocale(QLocale(QLocale::German, QLocale::Germany)), Paper::A4);
    EXPECT_EQ(PaperForLocale(QLocale(QLocale::English, QLocale::UnitedKingdom)), Paper::A4);
    EXPECT_EQ(PaperForLocale(QLocale(QLocale::English, QLocale::Australia)), Paper::A4);
    EXPECT_EQ(PaperNamed(QStringLiteral(" A4 ")), Paper::A4);
    EXPECT_EQ(PaperNamed(QStringLiteral("Letter")), Paper::Letter);
    EXPECT_EQ(PaperNamed(QStringLiteral("a5")), std::nullopt);
    EXPECT_EQ(PaperNamed(QString()), std::nullopt);
    EXPECT_EQ(PaperNamed(PaperName(Paper::Letter)), Paper::Letter);
    EXPECT_EQ(PaperNamed(PaperName(Paper::A4)), Paper::A4);
    EXPECT_DOUBLE_EQ(CheckBarMillimetres(Paper::A4), 100.0);
    EXPECT_DOUBLE_EQ(CheckBarMillimetres(Paper::Letter), 101.6);
}

TEST_F(Report, PageOneSaysEverythingInTheChosenLanguage)
{
    struct Case {
        int language;
        QStringList said;
    } cases[] = {
        {kEnglish,
         {"Centrafix – report: wing.png", "Results", "Report", "Neutral point and C.G. range", "Picture 600 x 1400",
          "Neutral point x =", "textbook estimate x =", "C.G. range x =", "Page 2 shows the planform at true size",
          "W&B: C.G. x = 42 mm"}},
        {kGerman,
         {"Centrafix – Bericht: wing.png", "Ergebnisse", "Bericht", "Neutralpunkt und Schwerpunktbereich",
          "Neutralpunkt x =", "Lehrbuch-Schätzung x =", "Schwerpunktbereich x =",
          "Seite 2 zeigt den Grundriss in wahrer Größe", "W&B: C.G. x = 42 mm"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        ReportContent content = Content(c.language, "mm");
        content.extraLines = {QStringLiteral("W&B: C.G. x = 42 mm")};
        const QString path = write(content);
        ASSERT_EQ(PdfPageCount(path), 2);
        const QString text = PdfPageText(path, 0).simplified();
        for (const QString& said : c.said)
            EXPECT_TRUE(text.contains(said)) << said.toStdString() << "\nin\n" << text.toStdString();
        for (const std::string& title : GridHeader(c.language).cells)
            EXPECT_TRUE(text.contains(QString::fromStdString(title).simplified())) << title;
        // The balance lines stand once, in their own column, not again in
        // the report's.
        EXPECT_EQ(text.count(c.language == kEnglish ? "Neutral point x =" : "Neutralpunkt x ="), 1);
        const QString page2 = PdfPageText(path, 1).simplified();
        EXPECT_TRUE(page2.contains(c.language == kEnglish ? "Row 1, column 1 – page 2 of 2"
                                                          : "Zeile 1, Spalte 1 – Seite 2 von 2"))
            << page2.toStdString();
        EXPECT_TRUE(page2.contains(c.language == kEnglish ? "Check bar 100 mm" : "Prüfstrecke 100 mm"));
    }
}

TEST_F(Report, AUnitWithoutLengthLeavesOutTheTrueSizePagesAndSaysWhy)
{
    const struct {
        std::string unit;
        int language;
        QString said;
    } cases[] = {
        {"px", kEnglish, "No pages at true size (1:1): the unit \"px\" is no length"},
        {"Einheiten", kGerman, "Keine Seiten in wahrer Größe (1:1): die Einheit „Einheiten“ ist keine Länge"},
        {"", kEnglish, "No pages at true size (1:1): the scale names no unit of length"},
        {"  ", kGerman, "der Maßstab nennt keine Längeneinheit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unit);
        const ReportContent content = Content(c.language, c.unit);
        EXPECT_EQ(ReportPageCount(content, Paper::A4), 1);
        const QString path = write(content);
        EXPECT_EQ(PdfPageCount(path), 1);
        EXPECT_TRUE(PdfPageText(path, 0).simplified().contains(c.said)) << PdfPageText(path, 0).toStdString();
    }
    // A scale that is no length either: none at all.
    ReportContent zero = Content(kEnglish, "mm");
    zero.placement.ScaleFactor = 0.0;
    EXPECT_FALSE(MillimetresPerPixel(zero));
}

TEST_F(Report, ALargePlanIsTiledAndEveryPageNamesItsPlace)
{
    // At 0.5 mm a pixel the wing spans 600 mm: three rows of pages on A4,
    // two columns for the fuselage's 265 mm and the room round it.
    const ReportContent content = Content(kEnglish, "mm", 0.5);
    const std::optional<TrueSizeLayout> layout = LayOutTrueSize(content, Paper::A4);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->grid.rows, 3);
    EXPECT_EQ(layout->grid.columns, 2);
    const QString path = write(content);
    ASSERT_EQ(PdfPageCount(path), 7);
    EXPECT_TRUE(PdfPageText(path, 0).simplified().contains("Pages 2 to 7 show the planform at true size (1:1) on 6 "
                                                           "sheets, 3 × 2 (rows × columns)."));
    EXPECT_TRUE(PdfPageText(path, 2).simplified().contains("Row 1, column 2 – page 3 of 7"));
    EXPECT_TRUE(PdfPageText(path, 6).simplified().contains("Row 3, column 2 – page 7 of 7"));
    EXPECT_TRUE(PdfPageText(path, 6).simplified().contains("Overlap 10 mm"));
    // Letter is shorter but wider: still three rows of two.
    EXPECT_EQ(ReportPageCount(content, Paper::Letter), 1 + 2 * 3);
    EXPECT_EQ(ReportPageCount(Content(kEnglish, "cm", 0.05), Paper::A4), 7) << "0.05 cm is 0.5 mm";
}

TEST_F(Report, TheCheckBarAndTheSpanMeasureTrueOnPaper)
{
    if (!CanDrawPdfRegions())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is needed to draw the page";
    for (const Paper paper : {Paper::A4, Paper::Letter}) {
        SCOPED_TRACE(PaperName(paper).toStdString());
        const ReportContent content = Content(kEnglish, "mm");
        const QString path = write(content, paper);
        ASSERT_EQ(PdfPageCount(path), 2);
        const double paperHeight = paper == Paper::A4 ? 297.0 : 279.4;

        // The bar lies in the band at the page's foot.
        const QImage foot = PdfRegion(path, 1, QRectF(5.0, paperHeight - 24.0, 125.0, 10.0), kDpi);
        ASSERT_FALSE(foot.isNull());
        EXPECT_NEAR(LongestDarkRun(foot, kDpi), CheckBarMillimetres(paper), 0.1);

        // The outline's ends down a column 1 mm behind the leading edge.
        const std::optional<TrueSizeLayout> layout = LayOutTrueSize(content, paper);
        ASSERT_TRUE(layout);
        const double columnMm =
            layout->window.left() + (kWingLead + 10 - layout->region.left()) * layout->mmPerPixel;
        const QImage strip = PdfRegion(path, 1, QRectF(columnMm - 0.5, 0.0, 1.0, paperHeight), kDpi);
        ASSERT_FALSE(strip.isNull());
        const std::vector<double> ends = BlueRunMiddles(strip, strip.width() / 2, kDpi);
        ASSERT_EQ(ends.size(), 2u);
        EXPECT_NEAR(ends[1] - ends[0], (kWingBottom - kWingTop) * kMmPerPixel, 0.1) << "the span, 120 mm";
    }
}

TEST_F(Report, AReportThatCannotBeWrittenSaysSoAndLeavesTheOldFile)
{
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/report.pdf"));
    const std::optional<Error> error = WriteReportPdf(missing, Content(kEnglish, "mm"), Paper::A4, kCannotWrite);
    ASSERT_TRUE(error);
    EXPECT_NE(ErrorText(*error, kEnglish).find("cannot write"), std::string::npos);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(Report, ALongReportIsPrintedSmallerButWholeWithinTheMargins)
{
    // Either column the longer: the report's, or the balance's with the
    // extra lines.
    for (const bool longBalance : {false, true}) {
    SCOPED_TRACE(longBalance);
    ReportContent content = Content(kEnglish, "mm");
    std::string lines;
    for (int i = 1; i <= 120; ++i) {
        lines += "Line " + std::to_string(i) + " of a long report\r\n";
        if (longBalance)
            content.extraLines << QStringLiteral("Extra %1").arg(i);
    }
    if (!longBalance)
        content.report = lines + content.report;
    const QString path = write(content);
    QPdfDocument pdf;
    ASSERT_EQ(pdf.load(path), QPdfDocument::Error::None);
    const QPdfSelection all = pdf.getAllText(0);
    EXPECT_TRUE(all.text().contains(longBalance ? "Extra 120" : "Line 120 of a long report"));
    EXPECT_TRUE(all.text().contains("Page 2 shows the planform"));
    // Every text between the margins: 12 mm, in points.
    const double margin = 12.0 / 25.4 * 72.0;
    const QSizeF page = pdf.pagePointSize(0);
    for (const QPolygonF& bound : all.bounds()) {
        const QRectF box = bound.boundingRect();
        EXPECT_GE(box.top(), margin - 1.0);
        EXPECT_LE(box.bottom(), page.height() - margin + 1.0) << box.bottom();
        EXPECT_LE(box.right(), page.width() - margin + 1.0) << box.right();
    }
    }
}

TEST_F(Report, PageOneShowsThePictureInItsOwnProportions)
{
    if (!CanDrawPdfRegions())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is needed to draw the page";
    const QString path = write(Content(kEnglish, "mm"));
    constexpr int kCoarse = 100;
    const QImage page = PdfRegion(path, 0, QRectF(0.0, 0.0, 210.0, 297.0), kCoarse);
    ASSERT_FALSE(page.isNull());
    QRect red;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (const QRgb p = page.pixel(x, y); qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60)
                red |= QRect(x, y, 1, 1);
    ASSERT_FALSE(red.isEmpty());
    // The wing is 200 by 1200 pixels: six times as tall as wide.
    EXPECT_NEAR(double(red.height()) / red.width(), 6.0, 0.25);
    EXPECT_GT(red.height() * 25.4 / kCoarse, 60.0) << "drawn large enough to read";
}

TEST_F(Report, NeighbouringPagesShowTheirAlignmentCrossAtTheSamePlaceOfThePlan)
{
    if (!CanDrawPdfRegions())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is needed to draw the page";
    const ReportContent content = Content(kEnglish, "mm", 0.5);
    const std::optional<TrueSizeLayout> layout = LayOutTrueSize(content, Paper::A4);
    ASSERT_TRUE(layout);
    ASSERT_EQ(layout->grid.columns, 2);
    const QString path = write(content);
    const QRectF& w = layout->window;
    // 3 mm below the first cross's middle only its upright arm is black.
    const double y = w.top() + 0.15 * w.height() + 3.0;
    constexpr int kFine = 600;
    // The middles of the runs of black (the cross's arm) and of outline
    // blue (the wing's edges) across the strip, millimetres on the paper.
    const auto middles = [&](int page, bool blue) {
        const QImage strip = PdfRegion(path, page, QRectF(w.left(), y, w.width(), 0.5), kFine);
        std::vector<double> found;
        int start = -1;
        for (int x = 0; x <= strip.width(); ++x) {
            const QRgb p = x < strip.width() ? strip.pixel(x, strip.height() / 2) : qRgb(255, 255, 255);
            const bool hit = blue ? qBlue(p) > 100 && qRed(p) < 90 && qGreen(p) < 90
                                  : qRed(p) < 80 && qGreen(p) < 80 && qBlue(p) < 80;
            if (hit && start < 0)
                start = x;
            if (!hit && start >= 0) {
                found.push_back(w.left() + (start + x) / 2.0 * 25.4 / kFine);
                start = -1;
            }
        }
        return found;
    };
    const auto blackMiddle = [&](int page) {
        const std::vector<double> found = middles(page, false);
        return found.size() == 1 ? found.front() : -1.0;
    };
    // Row 1: page 2 is column 1, page 3 column 2; the overlap is 176 to 186 mm
    // of the plan, its middle 181 mm.
    const double left = blackMiddle(1);
    const double right = blackMiddle(2);
    EXPECT_NEAR(left, w.left() + 181.0, 0.1);
    EXPECT_NEAR(right, w.left() + 5.0, 0.1);
    EXPECT_NEAR(left - right, layout->grid.stepX, 0.1) << "one step of plan apart";
    // The plan under them moved by the same step: the wing's edges lie 80
    // and 180 mm into the plan (columns 200 and 400 at 0.5 mm, the printed
    // part starting 20 mm in), the trailing edge 4 mm into the second page.
    const std::vector<double> first = middles(1, true);
    const std::vector<double> second = middles(2, true);
    ASSERT_EQ(first.size(), 2u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_NEAR(first[0], w.left() + 80.0, 0.1);
    EXPECT_NEAR(first[1], w.left() + 180.0, 0.1);
    EXPECT_NEAR(second[0], w.left() + 4.0, 0.1);
}
