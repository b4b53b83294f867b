#include "picture/picture_ops.h"

#include "engine/color_cleanup.h"
#include "engine/raster.h"
#include "picture/formats/working_copy.h"

#include <new>
#include <vector>

namespace centrafix {

void FlipPicture(PictureArea& picSide, PictureArea& picBackBuffer)
{
    const QImage workingCopy = picBackBuffer.image();
    picSide.setAutoRedraw(true);
    // Source and destination the same size: the picture lands at its own
    // size, mirrored and right-aligned, covering the marks of an earlier run.
    const double pw = workingCopy.width();
    const double ph = workingCopy.height();
    picSide.paintPicture(workingCopy, picSide.scaleWidth(), 0.0, -pw, ph, 0.0, 0.0, pw, ph);
    picBackBuffer.setPicture(picSide.image());
    picSide.setAutoRedraw(false);
}

QImage InvertedPicture(const QImage& picture, double tolerance)
{
    QImage inverted = ToWorkingCopy(picture);
    // Our own pixels to change: a shared picture is copied first.
    if (inverted.bits() == nullptr && !picture.isNull())
        throw std::bad_alloc();
    const int W = inverted.width();
    const int H = inverted.height();
    constexpr std::uint32_t kWhite = ToRasterWord(Rgb(255, 255, 255));
    constexpr std::uint32_t kBlack = ToRasterWord(Rgb(0, 0, 0));
    for (int y = 0; y < H; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(inverted.scanLine(y));
        for (int x = 0; x < W; ++x) {
            const std::int32_t c = FromRasterWord(row[x]);
            const double s =
                static_cast<double>(RedOf(c)) + static_cast<double>(GreenOf(c)) + static_cast<double>(BlueOf(c));
            if (s < tolerance)
                row[x] = kWhite;
            else if (s > 765.0 - tolerance)
                row[x] = kBlack;
        }
    }
    return inverted;
}

QImage CleanedUpPicture(const QImage& picture, double threshold, std::int64_t* changed)
{
    QImage cleaned = ToWorkingCopy(picture);
    // Our own pixels to change: a shared picture is copied first.
    if (cleaned.bits() == nullptr && !picture.isNull())
        throw std::bad_alloc();
    const MutableRasterView view{reinterpret_cast<std::uint32_t*>(cleaned.bits()), cleaned.width(), cleaned.height(),
                                 cleaned.bytesPerLine() / 4};
    const std::int64_t count = CleanUpColours(view, threshold);
    if (changed)
        *changed = count;
    return cleaned;
}

QImage QuarterChordImage(const QuarterChordMarks& marks)
{
    if (marks.width() <= 0 || marks.height() <= 0)
        return {};
    QImage image(marks.width(), marks.height(), QImage::Format_RGB32);
    if (image.isNull())
        throw std::bad_alloc();
    for (int y = 0; y < marks.height(); ++y) {
        const std::uint8_t* in = marks.row(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < marks.width(); ++x)
            out[x] = in[x] != 0 ? 0xFFFFFFFFu : 0xFF000000u;
    }
    return image;
}

QImage CopyBitmap(PictureArea& picSide, const QImage& quarterChord)
{
    // The marks must be in the retained image, which is what goes on the
    // clipboard, even when a flip or invert has just switched AutoRedraw off.
    const bool autoRedraw = picSide.autoRedraw();
    picSide.setAutoRedraw(true);
    const double w = quarterChord.width();
    const double h = quarterChord.height();
    picSide.paintPicture(quarterChord, 0.0, 0.0, w, h, 0.0, 0.0, w, h, PictureArea::kSourceXor);
    picSide.setAutoRedraw(autoRedraw);
    return picSide.image();
}

void PaintPassFeedback(PictureArea& picSide, const PassFeedback& feedback)
{
    if (feedback.mask == nullptr || feedback.width <= 0 || feedback.height <= 0 ||
        feedback.mask->size() < static_cast<std::size_t>(feedback.width) * static_cast<std::size_t>(feedback.height))
        return;
    picSide.paintMask(feedback.mask->data(), QRect(0, 0, feedback.width, feedback.height), feedback.tint,
                      feedback.color);
}

} // namespace centrafix
