#pragma once

#include "engine/defaults.h"
#include "engine/error.h"
#include "picture/formats/row_reader.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace centrafix {

// PDF and SVG plans: documents drawn in vectors, made into pictures at a
// chosen resolution. The page's nominal size never sets the scale (printed
// and scanned plans are rarely at their nominal scale); the scale still comes
// from a known length.

// The page of a plan document to take, and the resolution to draw it at.
struct PlanPageChoice {
    int page = defaults::kPlanPage;
    double dpi = defaults::kPlanDpi;
};

// Resolutions beyond this are typing mistakes, not plans.
inline constexpr double kMaxPlanDpi = 10'000.0;

// Whether `dpi` is a resolution a page can be drawn at: a finite number above
// zero and at most kMaxPlanDpi.
bool IsPlanDpi(double dpi);

// Whether a file with this name and these first bytes is a PDF or SVG plan.
bool IsPlanDocument(const QString& name, const QByteArray& head);

// What a plan document holds: its pages and each page's size in points
// (1/72 in). Refused, naming the file: encrypted, damaged or empty documents.
struct PlanDocumentInfo {
    std::vector<QSizeF> pageSizes; // in points
};
Result<PlanDocumentInfo> ReadPlanDocumentInfo(const QString& path);

// A page's size in pixels at `dpi`.
QSize PlanPagePixels(QSizeF points, double dpi);

// Page `page` (from 1) rendered at `dpi` as a working copy (Format_RGB32,
// on white). Refused, naming the file: a page past the end, a resolution that
// is not a finite number above zero, and a page whose picture would exceed
// the picture limit for one held whole (the message names its size and a
// resolution that fits) — before anything is rendered.
Result<QImage> RenderPlanPage(const QString& path, int page = defaults::kPlanPage, double dpi = defaults::kPlanDpi);

// Why page `page` (from 1) of `points` cannot be held whole at `dpi`: the
// refusal RenderPlanPage gives, naming its size and a resolution that fits;
// nothing when it can. For asking before anything is drawn.
std::optional<Error> PlanPageSizeProblem(const QString& path, int page, QSizeF points, double dpi);

// Small pictures of every page, at most `box` in size, for choosing a page.
Result<std::vector<QImage>> PlanThumbnails(const QString& path, QSize box);

// The page rendered in bands as it is measured, for pictures too big to hold
// whole: up to the limits of a picture measured as it is read.
Result<std::unique_ptr<RowReader>> OpenPlanRows(const QString& path, int page = defaults::kPlanPage,
                                                double dpi = defaults::kPlanDpi);

} // namespace centrafix
