#include "colour_map.h"

#include "engine/color_match.h"
#include "engine/color_object.h"
#include "engine/raster.h"
#include "engine/row_strips.h"
#include "picture/edits/picture_point.h"
#include "picture/formats/working_copy.h"

#include <atomic>
#include <new>

namespace centrafix {

std::int64_t MapColour(QImage& picture, QRgb from, int target, double tolerance)
{
    // The target is checked where it is read (a colour name, a list entry):
    // an index outside the table maps nothing.
    if (picture.isNull() || target < 0 || target >= static_cast<int>(kObjectColors.size()))
        return 0;
    if (picture.format() != QImage::Format_RGB32) {
        QImage working = ToWorkingCopy(picture);
        if (working.isNull())
            throw std::bad_alloc();
        picture = std::move(working);
    }
    // Our own pixels to change: a shared picture is copied first.
    uchar* bits = picture.bits();
    if (bits == nullptr)
        throw std::bad_alloc();
    const MutableRasterView view{reinterpret_cast<std::uint32_t*>(bits), picture.width(), picture.height(),
                                 picture.bytesPerLine() / 4};
    const ColorMatcher matcher(FromRasterWord(from), tolerance);
    const std::uint32_t word = ToRasterWord(kObjectColors[static_cast<std::size_t>(target)]);
    std::atomic<std::int64_t> changed{0};
    const int strips = EffectiveThreads(0, view.height);
    RunStrips(strips, [&](int k) {
        const int y0 = static_cast<int>(static_cast<std::int64_t>(view.height) * k / strips);
        const int y1 = static_cast<int>(static_cast<std::int64_t>(view.height) * (k + 1) / strips);
        std::int64_t count = 0;
        for (int y = y0; y < y1; ++y) {
            std::uint32_t* row = view.row(y);
            for (int x = 0; x < view.width; ++x) {
                if (matcher.matches(row[x])) {
                    count += ((row[x] ^ word) & 0xFFFFFFu) != 0 ? 1 : 0;
                    row[x] = word;
                }
            }
        }
        changed += count;
    });
    return changed;
}

Result<QRgb> PickColour(const QImage& picture, QPoint pixel)
{
    if (std::optional<Error> outside = PointOutsidePicture(picture, pixel))
        return *std::move(outside);
    return picture.pixel(pixel) | 0xFF000000u;
}

} // namespace centrafix
