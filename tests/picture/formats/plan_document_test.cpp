#include "picture/formats/plan_document.h"
#include "picture/picture_source.h"
#include "plan_files.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include <cmath>
#include <limits>

using namespace centrafix;
using namespace centrafix::test;

namespace {

// 7.5 x 10 inches: whole points, which Qt's PDF writer needs to place a
// drawing exactly (it rounds a page to whole points).
constexpr QSizeF kExact{190.5, 254.0};
constexpr QSizeF kA4{210.0, 297.0};
constexpr QSizeF kA3Across{420.0, 297.0};
constexpr QSizeF kA5{148.0, 210.0};

std::string Why(const Error& error, int language = kEnglish)
{
    return ErrorText(error, language);
}

template <class T>
std::string Why(const Result<T>& result, int language = kEnglish)
{
    return result ? std::string() : Why(result.error(), language);
}

class PlanDocumentTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    QString write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path(name);
    }

    // Three pages of different sizes: red on the first, blue on the second.
    QString threePages() const
    {
        const QString pdf = path("plan.pdf");
        EXPECT_TRUE(
            WritePlanPdf(pdf, {PlanPage{kExact, Qt::red}, PlanPage{kA3Across, Qt::blue}, PlanPage{kA5, Qt::green}}));
        return pdf;
    }

    QString svg() const { return write("plan.svg", PlanSvg(PlanPage{kExact, Qt::red})); }

private:
    QTemporaryDir m_dir;
};

double Points(double mm)
{
    return mm / 25.4 * 72.0;
}

// The middle of the run of dark pixels crossing row `y` (or column `x`
// when `across` is false) nearest `near`; NaN when there is none.
double DarkMiddle(const QImage& image, int at, double near, bool along)
{
    const int length = along ? image.width() : image.height();
    const auto dark = [&](int i) {
        const QRgb p = along ? image.pixel(i, at) : image.pixel(at, i);
        return qRed(p) + qGreen(p) + qBlue(p) < 384;
    };
    double best = std::numeric_limits<double>::quiet_NaN();
    for (int i = 0; i < length;) {
        if (!dark(i)) {
            ++i;
            continue;
        }
        int end = i;
        while (end < length && dark(end))
            ++end;
        const double middle = (i + end) / 2.0;
        if (std::isnan(best) || std::abs(middle - near) < std::abs(best - near))
            best = middle;
        i = end;
    }
    return best;
}

// Where a length in millimetres lands in pixels at `dpi`.
double Pixel(double mm, double dpi)
{
    return mm / 25.4 * dpi;
}

QImage ReadAllRows(RowReader& reader, int chunk)
{
    QImage image(reader.width(), reader.height(), QImage::Format_RGB32);
    for (int top = 0; top < reader.height(); top += chunk) {
        const int rows = std::min(chunk, reader.height() - top);
        auto* bits = reinterpret_cast<std::uint32_t*>(image.scanLine(top));
        EXPECT_FALSE(reader.readRows(bits, image.bytesPerLine() / 4, rows));
    }
    return image;
}

TEST_F(PlanDocumentTest, PagesAndTheirSizesInPoints)
{
    const Result<PlanDocumentInfo> pdf = ReadPlanDocumentInfo(threePages());
    ASSERT_TRUE(pdf) << Why(pdf);
    ASSERT_EQ(pdf->pageSizes.size(), 3u);
    const QSizeF expected[] = {kExact, kA3Across, kA5};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(pdf->pageSizes[i].width(), Points(expected[i].width()), 1.0) << i;
        EXPECT_NEAR(pdf->pageSizes[i].height(), Points(expected[i].height()), 1.0) << i;
    }
    const Result<PlanDocumentInfo> drawing = ReadPlanDocumentInfo(svg());
    ASSERT_TRUE(drawing) << Why(drawing);
    ASSERT_EQ(drawing->pageSizes.size(), 1u);
    EXPECT_NEAR(drawing->pageSizes[0].width(), 540.0, 0.01);
    EXPECT_NEAR(drawing->pageSizes[0].height(), 720.0, 0.01);
    const QByteArray inches = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"2in\" height=\"144pt\"/>";
    const Result<PlanDocumentInfo> twoInches = ReadPlanDocumentInfo(write("inches.svg", inches));
    ASSERT_TRUE(twoInches) << Why(twoInches);
    EXPECT_NEAR(twoInches->pageSizes[0].width(), 144.0, 0.01);
    EXPECT_NEAR(twoInches->pageSizes[0].height(), 144.0, 0.01);

    EXPECT_EQ(PlanPagePixels(QSizeF(Points(210.0), Points(297.0)), 150.0), QSize(1240, 1754));
    EXPECT_EQ(PlanPagePixels(QSizeF(72.0, 36.0), 300.0), QSize(300, 150));
}

// Lines far from the top left corner, where a scale a little off shows most.
constexpr double kFarX = 180.0, kFarY = 230.0;

// The lines and the filled area of PlanPage drawn straight in PDF's own
// operators (Qt's PDF writer places a drawing a third of a point too high),
// and a line of each kind far down and far right.
QByteArray ExactLinesPdf()
{
    const auto pt = [](double mm) { return QByteArray::number(Points(mm), 'f', 4); };
    const auto fromTop = [&](double mm) { return QByteArray::number(720.0 - Points(mm), 'f', 4); };
    const PlanPage page;
    const QByteArray content = pt(0.5) + " w 0 0 0 RG " + pt(kUprightX) + " " + fromTop(kUprightFromY) + " m " +
                               pt(kUprightX) + " " + fromTop(kUprightToY) + " l S " + pt(kLevelFromX) + " " +
                               fromTop(kLevelY) + " m " + pt(kLevelToX) + " " + fromTop(kLevelY) + " l S " + pt(kFarX) +
                               " " + fromTop(kUprightFromY) + " m " + pt(kFarX) + " " + fromTop(kUprightToY) + " l S " +
                               pt(kLevelFromX) + " " + fromTop(kFarY) + " m " + pt(kLevelToX) + " " + fromTop(kFarY) +
                               " l S 1 0 0 rg " + pt(page.filled.x()) + " " + fromTop(page.filled.bottom()) + " " +
                               pt(page.filled.width()) + " " + pt(page.filled.height()) + " re f";
    return HandMadePdf(
        {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 540 720] /Contents 4 0 R >>",
         "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content + "\nendstream"});
}

TEST_F(PlanDocumentTest, LinesLandWhereTheyWereDrawn)
{
    const QString pdf = write("exact.pdf", ExactLinesPdf()), drawing = svg();
    for (const QString& file : {pdf, drawing}) {
        for (const double dpi : {150.0, 300.0}) {
            const Result<QImage> page = RenderPlanPage(file, 1, dpi);
            ASSERT_TRUE(page) << Why(page);
            EXPECT_EQ(page->format(), QImage::Format_RGB32);
            EXPECT_EQ(page->size(), PlanPagePixels(QSizeF(Points(kExact.width()), Points(kExact.height())), dpi));
            EXPECT_EQ(page->pixel(2, 2), 0xFFFFFFFFu) << "the paper is white";
            const int row = static_cast<int>(Pixel((kUprightFromY + kUprightToY) / 2, dpi));
            const int column = static_cast<int>(Pixel((kLevelFromX + kLevelToX) / 2, dpi));
            EXPECT_NEAR(DarkMiddle(*page, row, Pixel(kUprightX, dpi), true), Pixel(kUprightX, dpi), 1.0)
                << file.toStdString() << " at " << dpi;
            EXPECT_NEAR(DarkMiddle(*page, column, Pixel(kLevelY, dpi), false), Pixel(kLevelY, dpi), 1.0)
                << file.toStdString() << " at " << dpi;
            if (file == pdf) {
                EXPECT_NEAR(DarkMiddle(*page, row, Pixel(kFarX, dpi), true), Pixel(kFarX, dpi), 1.0) << dpi;
                EXPECT_NEAR(DarkMiddle(*page, column, Pixel(kFarY, dpi), false), Pixel(kFarY, dpi), 1.0) << dpi;
            }
            // The filled area in its flat colour, a pixel row inside its edge.
            const QRgb inside = page->pixel(static_cast<int>(Pixel(25.0, dpi)), static_cast<int>(Pixel(70.0, dpi)));
            EXPECT_EQ(inside, 0xFFFF0000u) << file.toStdString();
        }
    }
}

TEST_F(PlanDocumentTest, OtherPagesAtOtherResolutions)
{
    const QString pdf = threePages();
    const Result<QImage> second = RenderPlanPage(pdf, 2, 100.0);
    ASSERT_TRUE(second) << Why(second);
    EXPECT_EQ(second->size(), PlanPagePixels(QSizeF(Points(420.0), Points(297.0)), 100.0));
    EXPECT_EQ(second->pixel(static_cast<int>(Pixel(25.0, 100.0)), static_cast<int>(Pixel(70.0, 100.0))), 0xFF0000FFu);

    // What every way of opening a picture file gives: page 1 at 150 dpi
    // without a choice, the page and resolution asked for with one.
    const PictureLoad plain = LoadPictureFile(pdf);
    ASSERT_TRUE(plain) << Why(plain);
    EXPECT_EQ(*plain, *RenderPlanPage(pdf, 1, 150.0));
    const PictureLoad chosen = LoadPictureFile(pdf, PlanPageChoice{2, 100.0});
    ASSERT_TRUE(chosen) << Why(chosen);
    EXPECT_EQ(*chosen, *second);
}

TEST_F(PlanDocumentTest, BandsEqualTheWholePageBitForBit)
{
    const QString pdf = threePages(), drawing = svg();
    // A page wide enough for bands of fewer rows than the usual.
    for (const auto& [file, page, dpi] :
         {std::tuple{pdf, 1, 150.0}, std::tuple{pdf, 2, 300.0}, std::tuple{drawing, 1, 123.0}}) {
        const Result<QImage> whole = RenderPlanPage(file, page, dpi);
        ASSERT_TRUE(whole) << Why(whole);
        for (const int chunk : {1000, 77}) {
            Result<std::unique_ptr<RowReader>> rows = OpenPlanRows(file, page, dpi);
            ASSERT_TRUE(rows) << Why(rows);
            ASSERT_EQ(QSize((*rows)->width(), (*rows)->height()), whole->size());
            EXPECT_TRUE(ReadAllRows(**rows, chunk) == *whole) << file.toStdString() << " page " << page;
        }
    }
}

TEST_F(PlanDocumentTest, ThumbnailsOfEveryPageWithinTheBox)
{
    const Result<std::vector<QImage>> thumbnails = PlanThumbnails(threePages(), QSize(120, 90));
    ASSERT_TRUE(thumbnails) << Why(thumbnails);
    ASSERT_EQ(thumbnails->size(), 3u);
    for (const QImage& thumbnail : *thumbnails) {
        EXPECT_FALSE(thumbnail.isNull());
        EXPECT_LE(thumbnail.width(), 120);
        EXPECT_LE(thumbnail.height(), 90);
        EXPECT_TRUE(thumbnail.width() >= 119 || thumbnail.height() >= 89) << "as large as the box allows";
    }
    EXPECT_GT((*thumbnails)[1].width(), (*thumbnails)[1].height()) << "the second page lies across";
    EXPECT_NE((*thumbnails)[0], (*thumbnails)[2]);
}

TEST_F(PlanDocumentTest, KnownByContentThenByName)
{
    const QByteArray pdf = "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n", svgHead = "\xEF\xBB\xBF  <?xml version=\"1.0\"?>\n<svg ";
    const QByteArray png("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
    EXPECT_TRUE(IsPlanDocument("drawing.bin", pdf));
    EXPECT_TRUE(IsPlanDocument("drawing", svgHead));
    EXPECT_TRUE(IsPlanDocument("drawing.PDF", "garbage"));
    EXPECT_TRUE(IsPlanDocument("drawing.svg", "garbage"));
    EXPECT_FALSE(IsPlanDocument("drawing.pdf", png)) << "a picture named as a plan is the picture it is";
    EXPECT_FALSE(IsPlanDocument("drawing.png", png));
    EXPECT_FALSE(IsPlanDocument("notes.txt", "<html><body>svg</body></html>"));
}

TEST_F(PlanDocumentTest, EachRefusalNamesTheFileAndItsReason)
{
    const QString pdf = threePages();
    QFile whole(pdf);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    struct Case {
        const char* what;
        QString file;
        int page;
        double dpi;
        const char* english;
        const char* german;
    };
    const Case cases[] = {
        {"encrypted", write("locked.pdf", EncryptedPdf()), 1, 150.0, "password-protected", "Kennwort"},
        {"no pages", write("empty.pdf", PdfWithoutPages()), 1, 150.0, "no pages", "keine Seiten"},
        {"truncated", write("cut.pdf", bytes.left(bytes.size() / 3)), 1, 150.0, "damaged", "beschädigt"},
        {"random bytes", write("noise.pdf", QByteArray(4000, '\x17')), 1, 150.0, "damaged", "beschädigt"},
        {"past the end", pdf, 4, 150.0, "there is no page 4: the document has 3 page", "Seite 4 gibt es nicht"},
        {"page 0", pdf, 0, 150.0, "there is no page 0", "Seite 0"},
        {"zero dpi", pdf, 1, 0.0, "resolution of 0 dpi", "Auflösung 0 dpi"},
        {"negative dpi", pdf, 1, -150.0, "resolution of -150 dpi", "Auflösung -150 dpi"},
        {"no number", pdf, 1, std::nan(""), "resolution of nan dpi", "Auflösung nan dpi"},
        {"infinite", pdf, 1, HUGE_VAL, "resolution of inf dpi", "Auflösung inf dpi"},
        {"absurd", pdf, 1, 1e6, "at most 10000", "höchstens 10000"},
    };
    for (const Case& c : cases) {
        const Result<QImage> page = RenderPlanPage(c.file, c.page, c.dpi);
        ASSERT_FALSE(page) << c.what;
        EXPECT_NE(Why(page).find(c.file.toStdString()), std::string::npos) << c.what;
        EXPECT_NE(Why(page).find(c.english), std::string::npos) << c.what << ": " << Why(page);
        EXPECT_NE(Why(page, kGerman).find(c.german), std::string::npos) << c.what << ": " << Why(page, kGerman);
        // The batch command's way in refuses alike.
        const Result<std::unique_ptr<RowReader>> rows = OpenPlanRows(c.file, c.page, c.dpi);
        ASSERT_FALSE(rows) << c.what;
        EXPECT_EQ(Why(rows), Why(page)) << c.what;
    }
}

TEST_F(PlanDocumentTest, APageTooLargeToHoldIsRefusedWithAResolutionThatFits)
{
    // A0 at 700 dpi: 759 megapixels, more than a picture held whole, within
    // what is measured in bands.
    const QString pdf = path("a0.pdf");
    ASSERT_TRUE(WritePlanPdf(pdf, {PlanPage{QSizeF(841.0, 1189.0)}}));
    const Result<QImage> page = RenderPlanPage(pdf, 1, 700.0);
    ASSERT_FALSE(page);
    const QSizeF points = ReadPlanDocumentInfo(pdf)->pageSizes.at(0);
    const QSize pixels = PlanPagePixels(points, 700.0);
    const std::string size = std::to_string(pixels.width()) + " x " + std::to_string(pixels.height());
    EXPECT_NE(Why(page).find(size), std::string::npos) << Why(page);
    // The largest whole resolution under the limit, named in both languages.
    int fits = 700;
    while (qint64{PlanPagePixels(points, fits).width()} * PlanPagePixels(points, fits).height() > kMaxPicturePixels)
        --fits;
    EXPECT_NE(Why(page).find("at " + std::to_string(fits) + " dpi it fits"), std::string::npos) << Why(page);
    EXPECT_NE(Why(page, kGerman).find("bei " + std::to_string(fits) + " dpi passt"), std::string::npos);

    const Result<std::unique_ptr<RowReader>> rows = OpenPlanRows(pdf, 1, 700.0);
    ASSERT_TRUE(rows) << Why(rows);
    EXPECT_EQ(QSize((*rows)->width(), (*rows)->height()), pixels);
    // Past what bands take, the same kind of advice.
    const Result<std::unique_ptr<RowReader>> tooMany = OpenPlanRows(pdf, 1, 2000.0);
    ASSERT_FALSE(tooMany);
    EXPECT_NE(Why(tooMany).find("dpi it fits"), std::string::npos) << Why(tooMany);
}

TEST_F(PlanDocumentTest, HostileDrawingsAreRefusedAndNothingIsFetched)
{
    // A file the drawing names, that must never be read.
    QImage secret(8, 8, QImage::Format_RGB32);
    secret.fill(Qt::red);
    ASSERT_TRUE(secret.save(path("secret.png")));
    const QByteArray start = "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" ";
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* english;
    };
    const Case cases[] = {
        {"enormous view box", start + "viewBox=\"0 0 1e300 1e300\"><rect width=\"5\" height=\"5\"/></svg>", "pixels"},
        {"a billion wide", start + "width=\"1e9\" height=\"10\"><rect width=\"5\" height=\"5\"/></svg>", "pixels"},
        {"negative size", start + "width=\"-5\" height=\"10\"/>", "damaged"},
        {"an image from a file",
         start + "width=\"10\" height=\"10\"><image xlink:href=\"secret.png\" width=\"10\" "
                 "height=\"10\"/></svg>",
         "refers to another file (\"secret.png\")"},
        {"an image by URL", start + "width=\"10\" height=\"10\"><image href=\"file:///etc/passwd\"/></svg>",
         "refers to another file"},
        {"an external entity",
         "<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>" + start +
             "width=\"10\" height=\"10\"><text>&x;</text></svg>",
         "refers to another file"},
        {"entities without end",
         "<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
         "\"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
         "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
         "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">]>" +
             start + "width=\"10\" height=\"10\"><text>&e;&e;&e;&e;&e;&e;&e;&e;&e;</text></svg>",
         "damaged"},
        {"cut short", start + "width=\"10\" height=\"10\"><rect width=\"5\"", "damaged"},
        {"not SVG", "<?xml version=\"1.0\"?><html><body/></html>", "not an SVG drawing"},
        {"random bytes", QByteArray(3000, '\x03'), "damaged"},
    };
    for (const Case& c : cases) {
        const QString file = write("hostile.svg", c.bytes);
        const Result<QImage> page = RenderPlanPage(file, 1, 150.0);
        ASSERT_FALSE(page) << c.what;
        EXPECT_NE(Why(page).find(c.english), std::string::npos) << c.what << ": " << Why(page);
        EXPECT_FALSE(OpenPlanRows(file, 1, 150.0)) << c.what;
        EXPECT_FALSE(LoadPictureFile(file)) << c.what;
    }
    // A picture embedded in the drawing itself is its own.
    const QString embedded = write("embedded.svg", start +
                                                       "width=\"10\" height=\"10\"><image width=\"10\" "
                                                       "height=\"10\" xlink:href=\"data:image/png;base64,\"/>"
                                                       "<use xlink:href=\"#none\"/></svg>");
    EXPECT_TRUE(RenderPlanPage(embedded, 1, 72.0)) << Why(RenderPlanPage(embedded, 1, 72.0));
}

} // namespace
