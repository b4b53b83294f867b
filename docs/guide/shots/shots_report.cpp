// The printed report of the filled plan, exported through File › Export
// PDF and drawn page by page as a PDF reader shows it.

#include "shots.h"
#include "stage.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfDocument>
#include <QTemporaryDir>

#include <algorithm>

namespace centrafix::guide {

namespace {

// Pages are drawn at 100 dpi: an A4 page is 827 x 1169 pixels.
constexpr double kPageDpi = 100.0;

QImage DrawPage(Stage& stage, QPdfDocument& pdf, int page)
{
    const QSizeF points = pdf.pagePointSize(page);
    const QSize pixels((points * kPageDpi / 72.0).toSize());
    const QImage drawn = pdf.render(page, pixels);
    if (drawn.isNull())
        stage.fail(QStringLiteral("page %1 of the report cannot be drawn").arg(page + 1));
    // On white, as on paper, with a thin border where the sheet ends.
    QImage sheet(drawn.size(), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.drawImage(0, 0, drawn);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(sheet.rect().adjusted(0, 0, -1, -1));
    return sheet;
}

// The true-size page that shows most of the painted planform: the one with
// the most coloured pixels, drawn small (grey leftovers of a drawing, the
// crosses and the check bar do not count). The first such page in order
// wins a tie, so the choice stays the same.
int MostPaintedPage(QPdfDocument& pdf)
{
    int best = 1;
    int bestCount = -1;
    for (int page = 1; page < pdf.pageCount(); ++page) {
        const QImage small = pdf.render(page, QSize(84, 119)).convertToFormat(QImage::Format_RGB32);
        int count = 0;
        for (int y = 0; y < small.height(); ++y)
            for (int x = 0; x < small.width(); ++x) {
                const QRgb c = small.pixel(x, y);
                const int high = std::max({qRed(c), qGreen(c), qBlue(c)});
                const int low = std::min({qRed(c), qGreen(c), qBlue(c)});
                count += high - low > 96 ? 1 : 0;
            }
        if (count > bestCount) {
            bestCount = count;
            best = page;
        }
    }
    return best;
}

} // namespace

void ShootReport(Stage& stage)
{
    stage.step("report-first-page");
    QTemporaryDir scratch;
    if (!scratch.isValid())
        stage.fail(QStringLiteral("no temporary folder"));
    const QString path = scratch.filePath(QStringLiteral("report.pdf"));
    stage.window().fileToSave = path;
    stage.trigger("actExportPdf");
    stage.waitForWork();
    stage.waitUntil([&] { return QFileInfo(path).size() > 0; }, 30'000, QStringLiteral("the report file"));
    stage.expectNoMessage();

    QPdfDocument pdf;
    if (pdf.load(path) != QPdfDocument::Error::None)
        stage.fail(QStringLiteral("the exported report cannot be read"));
    // Page 1, then the true-size pages; the millimetre unit makes at least one.
    if (pdf.pageCount() < 2)
        stage.fail(QStringLiteral("the report has %1 pages, no true-size page").arg(pdf.pageCount()));
    stage.save("report-first-page", DrawPage(stage, pdf, 0));
    stage.step("report-true-size");
    stage.save("report-true-size", DrawPage(stage, pdf, MostPaintedPage(pdf)));
}

} // namespace centrafix::guide
