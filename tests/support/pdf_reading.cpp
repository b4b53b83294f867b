#include "pdf_reading.h"

#include <QPdfDocument>
#include <QPdfSelection>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

namespace centrafix::test {

int PdfPageCount(const QString& path)
{
    QPdfDocument document;
    if (document.load(path) != QPdfDocument::Error::None)
        return -1;
    return document.pageCount();
}

QString PdfPageText(const QString& path, int page)
{
    QPdfDocument document;
    if (document.load(path) != QPdfDocument::Error::None)
        return {};
    return document.getAllText(page).text();
}

bool CanDrawPdfRegions()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

QImage PdfRegion(const QString& path, int page, const QRectF& millimetres, int dpi)
{
    QTemporaryDir dir;
    const auto px = [dpi](double mm) { return QString::number(std::lround(mm / 25.4 * dpi)); };
    const QString out = dir.filePath(QStringLiteral("region"));
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), QString::number(page + 1),
                   QStringLiteral("-l"), QString::number(page + 1), QStringLiteral("-x"), px(millimetres.left()),
                   QStringLiteral("-y"), px(millimetres.top()), QStringLiteral("-W"), px(millimetres.width()),
                   QStringLiteral("-H"), px(millimetres.height()), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), path, out});
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return {};
    return QImage(out + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

namespace {

bool IsOutlineBlue(QRgb p)
{
    return qBlue(p) > 100 && qRed(p) < 90 && qGreen(p) < 90;
}

} // namespace

double LongestDarkRun(const QImage& image, int dpi)
{
    int longest = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            run = qRed(p) + qGreen(p) + qBlue(p) < 3 * 100 ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest * 25.4 / dpi;
}

std::vector<double> BlueRunMiddles(const QImage& image, int x, int dpi)
{
    std::vector<double> middles;
    int start = -1;
    for (int y = 0; y <= image.height(); ++y) {
        const bool blue = y < image.height() && IsOutlineBlue(image.pixel(x, y));
        if (blue && start < 0)
            start = y;
        if (!blue && start >= 0) {
            middles.push_back((start + y) / 2.0 * 25.4 / dpi);
            start = -1;
        }
    }
    return middles;
}

QRect BlueBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsOutlineBlue(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace centrafix::test
