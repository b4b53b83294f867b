#pragma once

#include "engine/error.h"

#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <memory>
#include <optional>

namespace centrafix {

// An open PDF or SVG document as the plan readers see it: pages with their
// sizes, and any band of rows of a page drawn at a given whole-page size.
//
// Every picture of a page, held whole or read in bands, is drawn in the same
// bands from the top (PlanBandRows): PDF's renderer anti-aliases an edge a
// little differently depending on the part of the page it is asked for, so a
// page drawn in one piece would not equal the same page drawn in pieces. Drawn
// alike, the window and the batch command measure the very same pixels.
class PlanPages {
public:
    virtual ~PlanPages() = default;

    virtual int count() const = 0;
    // In points (1/72 in); `index` from 0.
    virtual QSizeF pointSize(int index) const = 0;
    // Draws rows [top, top + band.height()) of page `index` scaled to `full`
    // pixels into `band` (Format_RGB32, as wide as the page), on white.
    virtual std::optional<Error> drawBand(int index, QSize full, int top, QImage& band) = 0;
};

// Opens the document at `path` (a PDF by its content, otherwise an SVG).
// Refused, naming the file: unreadable, encrypted, damaged, or an SVG that
// would make us read another file.
Result<std::unique_ptr<PlanPages>> OpenPlanPages(const QString& path);
Result<std::unique_ptr<PlanPages>> OpenPdfPages(const QString& path);
Result<std::unique_ptr<PlanPages>> OpenSvgPages(const QString& path);

// Whether these first bytes are a PDF's.
bool LooksLikePdf(const QByteArray& head);

// The rows of one band of a page this wide: a few megabytes whatever the width.
int PlanBandRows(int width);

} // namespace centrafix
