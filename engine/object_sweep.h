#pragma once

#include "pixel_classes.h"
#include "quarter_chord_marks.h"
#include "raster.h"
#include "row_sweep.h"

#include <array>
#include <cstdint>
#include <vector>

namespace centrafix {

// What one object's pixel scan and edge search add up to, in whole numbers so
// that rows can be summed in any order, or in parallel, with the same result.
// A picture has at most 2^31 - 1 pixels a side and 2e9 in all, so none of
// these can overflow: the largest, fourQ, is at most 2 x H x W^2 <= 2 x 2e9 x
// (2^31 - 1) < 2^63, and every other sum is smaller.
struct ObjectTotals {
    std::int64_t count = 0;            // matching pixels
    std::int64_t twiceSx = 0;          // 2 x sum of (x + 0.5)
    std::int64_t twiceSy = 0;          // 2 x sum of (y + 0.5)
    std::int64_t fourQ = 0;            // 4 x sum over runs of chord x quarter-chord x
    std::int64_t sumSquaredChords = 0; // sum over rows of (row chord)^2
    std::int64_t verticalPairs = 0;    // inner pairs (x - 1, y), (x, y)
    std::int64_t horizontalPairs = 0;  // inner pairs (x, y - 1), (x, y)

    bool operator==(const ObjectTotals&) const = default;
};

// The objects of one measuring read of the picture.
struct SweepResult {
    std::array<ObjectTotals, 8> objects{};              // entries 1 to 7
    std::array<std::vector<std::int32_t>, 8> rowChords; // per measured object: matching pixels of every row swept
    std::int64_t strayPixels = 0;                       // IsStrayPixel words, where the classes asked for them
};

// How rows are walked: with the processor's vector instructions where it has
// them, or one pixel at a time, the reference both must agree with.
enum class SweepMethod { Vector, Scalar };

// True when no pixel can match two object colours at once (the tolerance is
// at most half the smallest distance between two object colours, 255): every
// pixel then belongs to the object of its nearest colour corner or to none,
// and one sweep can serve all objects.
bool CanSweepAllObjectsAtOnce(double Tolerance);

// Measures a picture band by band, as its rows arrive from the top: a row
// needs only itself and the row above it. Each band's rows are split into
// strips over `threads` threads (0: one per core); the result does not depend
// on the number of threads nor on how the rows are cut into bands.
class ObjectSweep {
public:
    // marks: the quarter-chord canvas (width x height) to mark with each
    // object's bit, or null when nobody will look at it.
    ObjectSweep(int width, int height, const PixelClasses& classes, const std::array<bool, 8>& measured,
                QuarterChordMarks* marks, int threads, SweepMethod method = SweepMethod::Vector);

    // Rows firstRow to firstRow + band.height - 1, band.width wide; `above`
    // is row firstRow - 1 (null for the first band). Bands come in order.
    void addBand(const RasterView& band, int firstRow, const std::uint32_t* above);

    // The totals once every row has been added; the row chords have an entry
    // for every row added.
    SweepResult take() { return std::move(m_result); }

private:
    // What one strip of a band adds up to.
    struct StripTotals {
        std::array<ObjectTotals, 8> objects{};
        std::int64_t stray = 0;
    };

    void sweepRows(const RasterView& band, int firstRow, int from, int to, const std::uint32_t* above,
                   RowScratch& scratch, StripTotals& totals);

    int m_width;
    int m_height;
    std::array<bool, 8> m_measured;
    PixelClasses m_classes;
    QuarterChordMarks* m_marks;
    int m_threads;
    SweepMethod m_method;
    SweepResult m_result;
    // One per strip, kept from band to band: a streamed picture comes in
    // hundreds of bands.
    std::vector<RowScratch> m_scratch;
};

// Measures every ticked object in one read of the raster. Marks every run
// that ends inside the picture on `marks` with the object's own bit.
// Requires CanSweepAllObjectsAtOnce.
SweepResult SweepAllObjects(const RasterView& raster, const std::array<bool, 8>& ticked, double Tolerance,
                            QuarterChordMarks& marks, int threads, SweepMethod method = SweepMethod::Vector);

// The same for one object (1 to 7) alone, for any tolerance: a pixel that
// also matches another colour still counts for this one. The stray pixels
// are counted only where `countStray` asks for them: a run needs them once.
SweepResult SweepOneObject(const RasterView& raster, int object, double Tolerance, QuarterChordMarks& marks,
                           int threads, SweepMethod method = SweepMethod::Vector, bool countStray = false);

} // namespace centrafix
