#pragma once

#include "picture/metafile/wmf_records.h"

#include <QRectF>
#include <QSize>

class QPainterPath;
class QPen;

namespace centrafix::wmf {

// The drawing work a metafile may cause, counted in pixel operations: one
// pixel filled with a flat colour is one, and costlier work (an edge crossing
// a row, a decoded bitmap pixel, a glyph) counts as the flat fills it takes
// as long as. The record cap bounds how many records a file has, not what
// they cost: a few kilobytes of records can each fill the whole picture.
//
// The limit is 50 times the picture's area plus a fixed allowance, enough
// for a 32-megapixel scan embedded in the smallest drawing. A real drawing
// paints each pixel a few times at most, and its text is a small part of it;
// no real drawing comes near. Beyond the limit the file is refused before the
// record that would pass it is drawn, so a refusal costs no more than the
// limit itself: some fifty fills of the whole picture, under a second for
// 64 megapixels.
class WorkBudget {
public:
    static constexpr qint64 kAreaFactor = 50;
    static constexpr qint64 kAllowance = 512'000'000;

    explicit WorkBudget(QSize canvas);

    // Counts `units` more; the problem, naming the limit, once the total
    // passes it. Everything after that is refused too.
    Problem spend(double units);
    bool exceeded() const { return m_exceeded; }
    // The canvas, in device pixels, the estimates clip to.
    const QRectF& canvas() const { return m_canvas; }

private:
    QRectF m_canvas;
    double m_limit;
    double m_spent = 0;
    bool m_exceeded = false;
};

// What one unit of each kind of work counts, timed against flat fills (about
// two thirds of a nanosecond a pixel).
namespace cost {
inline constexpr double kRecord = 16;             // any record's own handling
inline constexpr double kVertex = 64;             // a path point: mapped, stored, stroked
inline constexpr double kCrowdedRow = 4;          // a row of an area, times the square of the edges crossing it
inline constexpr double kDecodedPixel = 16;       // a bitmap pixel decoded and converted
inline constexpr double kPatternFactor = 8;       // a pixel filled from a pattern or a bitmap
inline constexpr double kGlyph = 8'000;           // laying out and placing one character
inline constexpr double kFontResolve = 2'000'000; // finding a font for a description not met lately
inline constexpr double kClipRect = 256;          // one rectangle of a clipping region
} // namespace cost

// The pixels of `box` inside `canvas`.
double ClippedArea(const QRectF& box, const QRectF& canvas);

// Filling and outlining `path` with a pen `penWidth` pixels wide (0 for
// none); `patterned` when the fill repeats a bitmap or hatch.
double PathCost(const QPainterPath& path, double penWidth, bool filled, bool patterned, const QRectF& canvas);

} // namespace centrafix::wmf
