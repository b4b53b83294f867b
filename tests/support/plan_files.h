#pragma once

#include <QByteArray>
#include <QColor>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

namespace centrafix::test {

// Plans as users get them, drawn by the tests: line drawings of a wing and a
// tail with text, a dimension line and hatching beside them, and one area
// filled in a flat colour whose size is known. Sizes in millimetres.
struct PlanPage {
    QSizeF size{210.0, 297.0};
    QColor fill = Qt::red;
    QRectF filled{10.0, 60.0, 30.0, 20.0};
};

// Every page has a vertical line 0.5 mm wide whose middle is this far from
// the left edge, between these two heights, and a horizontal one whose
// middle is this far from the top, between these two distances from the left.
inline constexpr double kUprightX = 50.0;
inline constexpr double kUprightFromY = 20.0;
inline constexpr double kUprightToY = 40.0;
inline constexpr double kLevelY = 30.0;
inline constexpr double kLevelFromX = 60.0;
inline constexpr double kLevelToX = 90.0;

// A PDF of these pages, written by Qt's PDF writer; false when it cannot be.
bool WritePlanPdf(const QString& path, const std::vector<PlanPage>& pages);

// The same drawing as an SVG whose width and height are in millimetres.
QByteArray PlanSvg(const PlanPage& page = {});

// A PDF of `objects` (numbered from 1; the first is the catalogue) with a
// correct cross-reference table, and `trailer` added to the trailer's entries.
QByteArray HandMadePdf(const std::vector<QByteArray>& objects, const QByteArray& trailer = {});

// A PDF whose pages open only with a password.
QByteArray EncryptedPdf();

// A well-formed PDF without any page.
QByteArray PdfWithoutPages();

} // namespace centrafix::test
