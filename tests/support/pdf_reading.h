#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

#include <vector>

namespace centrafix::test {

// A PDF read back as a reader sees it: with Qt's own PDF support for the
// pages and their text, with poppler (pdftoppm) for pixels at a known
// resolution of a part of a page, so lengths on the paper can be measured.
int PdfPageCount(const QString& path);
QString PdfPageText(const QString& path, int page); // page from 0

// The part `millimetres` (from the page's top left corner) of page `page`
// (from 0) drawn at `dpi`; null when it cannot be drawn.
QImage PdfRegion(const QString& path, int page, const QRectF& millimetres, int dpi);

// Whether pdftoppm is there to draw with.
bool CanDrawPdfRegions();

// Lengths found in a region drawn at `dpi`, in millimetres: the longest run
// of dark pixels along any row (a check bar), and the middles of the runs
// of outline-blue pixels down column `x`, from the image's top (the ends of
// a surface's outline).
double LongestDarkRun(const QImage& image, int dpi);
std::vector<double> BlueRunMiddles(const QImage& image, int x, int dpi);

// The rectangle of outline-blue pixels, in pixels; empty when none.
QRect BlueBox(const QImage& image);

} // namespace centrafix::test
