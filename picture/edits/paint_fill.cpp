#include "paint_fill.h"

#include "engine/color_object.h"
#include "engine/region_fill.h"
#include "picture/edits/picture_point.h"
#include "picture/formats/working_copy.h"

#include <new>
#include <string>
#include <utility>

namespace centrafix {

namespace {

constexpr Message kSeedOnLine{
    "Der Punkt (%1, %2) liegt auf einer Linie: eine Füllung beginnt auf dem Papier zwischen den Linien.",
    "The point (%1, %2) is on a line: a fill starts on the paper between the lines."};
constexpr Message kLeaked{"Der Bereich um (%1, %2) ist nicht geschlossen: die Füllung reicht bis an den Bildrand.",
                          "The region around (%1, %2) is not enclosed: the fill reaches the picture's border."};
constexpr Message kUnknownColour{"Unbekannte Füllfarbe %1: gefüllt wird mit einer der Objektfarben 1 bis 7.",
                                 "Unknown fill colour %1: a fill paints one of the object colours 1 to 7."};
constexpr Message kBadGap{"Die überbrückte Lücke %1 liegt nicht zwischen 0 und %2 Pixeln.",
                          "The bridged gap %1 is not between 0 and %2 pixels."};
constexpr Message kBadThreshold{"Die Linienschwelle %1 liegt nicht zwischen 1 und 766.",
                                "The line threshold %1 is not between 1 and 766."};
constexpr Message kFillMemory{"Für die Füllung um (%1, %2) reicht der Speicher nicht.",
                              "There is not enough memory for the fill around (%1, %2)."};

// Wider gaps are no longer breaks in a line but openings in the drawing, and
// each pixel of radius costs every pass.
constexpr int kMaxGap = 64;

std::vector<ErrorArg> PointArgs(QPoint seed)
{
    return {std::to_string(seed.x()), std::to_string(seed.y())};
}

Error OutOfMemory(QPoint seed)
{
    Error error = Described({}, kFillMemory, PointArgs(seed));
    error.kind = ErrorKind::OutOfMemory;
    return error;
}

// Works on `picture` itself when it is already a working copy, else on a
// converted copy that replaces it only once painted.
Result<std::int64_t> FillWorkingCopy(QImage& picture, QPoint seed, int colour, const FillSettings& settings)
{
    const QImage& readOnly = picture;
    const FillPlan plan = PlanFill(RasterViewOf(readOnly), seed.x(), seed.y(), settings.lineThreshold, settings.gap);
    switch (plan.outcome) {
    case FillOutcome::OnLine: return Described({}, kSeedOnLine, PointArgs(seed));
    case FillOutcome::Leaked: return Described({}, kLeaked, PointArgs(seed));
    case FillOutcome::Planned: break;
    }
    // A picture shared with another QImage is copied here: the copy may fail.
    uchar* bits = picture.bits();
    if (bits == nullptr)
        return OutOfMemory(seed);
    const MutableRasterView view{reinterpret_cast<std::uint32_t*>(bits), picture.width(), picture.height(),
                                 picture.bytesPerLine() / 4};
    return PaintPlan(plan, view, ToRasterWord(kObjectColors[static_cast<std::size_t>(colour)]));
}

} // namespace

Result<std::int64_t> FillRegion(QImage& picture, QPoint seed, int colour, const FillSettings& settings)
{
    if (std::optional<Error> outside = PointOutsidePicture(picture, seed))
        return *std::move(outside);
    if (colour < 1 || colour > kObjectCount)
        return Described({}, kUnknownColour, {std::to_string(colour)});
    if (settings.gap < 0 || settings.gap > kMaxGap)
        return Described({}, kBadGap, {std::to_string(settings.gap), std::to_string(kMaxGap)});
    if (settings.lineThreshold < 1 || settings.lineThreshold > 766)
        return Described({}, kBadThreshold, {std::to_string(settings.lineThreshold)});
    try {
        if (picture.format() == QImage::Format_RGB32)
            return FillWorkingCopy(picture, seed, colour, settings);
        QImage working = ToWorkingCopy(picture);
        if (working.isNull())
            return OutOfMemory(seed);
        Result<std::int64_t> filled = FillWorkingCopy(working, seed, colour, settings);
        if (filled)
            picture = std::move(working);
        return filled;
    } catch (const std::bad_alloc&) {
        return OutOfMemory(seed);
    }
}

} // namespace centrafix
