#include "picture/picture_ops.h"

#include "engine/raster.h"

#include <gtest/gtest.h>

#include <vector>

using namespace centrafix;

namespace {

constexpr std::int32_t kGrey = Rgb(128, 128, 128);
constexpr std::int32_t kWhite = Rgb(255, 255, 255);
constexpr std::int32_t kBlack = Rgb(0, 0, 0);
constexpr std::int32_t kRed = Rgb(255, 0, 0);

// A picture `width` pixels wide, its colours given row by row.
QImage Picture(int width, const std::vector<std::int32_t>& colors)
{
    QImage image(width, static_cast<int>(colors.size()) / width, QImage::Format_RGB32);
    for (std::size_t i = 0; i < colors.size(); ++i)
        image.setPixel(static_cast<int>(i) % width, static_cast<int>(i) / width, ToRasterWord(colors[i]));
    return image;
}

QImage Grey(int w, int h)
{
    return Picture(w, std::vector<std::int32_t>(static_cast<std::size_t>(w * h), kGrey));
}

// The display and the working copy, both showing `picture`.
struct Areas {
    PictureArea picSide;
    PictureArea picBackBuffer;

    explicit Areas(const QImage& picture)
    {
        picBackBuffer.setPicture(picture);
        picSide.setPicture(picture);
    }
};

// One pixel as the plot draws it: a line from a point to itself.
void Dot(PictureArea& area, double x, double y, std::int32_t colour)
{
    area.ForeColor = colour;
    area.line(x, y, x, y);
}

} // namespace

TEST(FlipPicture, MirrorsTheWorkingCopyOverTheMarksAndTwiceRestoresIt)
{
    QImage original(7, 3, QImage::Format_RGB32); // every pixel different
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            original.setPixel(x, y, qRgb(x * 20, y * 40, 255 - x - y));
    Areas a(original);
    a.picSide.setAutoRedraw(true);
    Dot(a.picSide, 0, 0, kWhite); // a plotted mark

    FlipPicture(a.picSide, a.picBackBuffer);
    EXPECT_EQ(a.picBackBuffer.image(), original.mirrored(true, false));
    EXPECT_EQ(a.picSide.image(), a.picBackBuffer.image()) << "the mark is painted over";
    FlipPicture(a.picSide, a.picBackBuffer);
    EXPECT_EQ(a.picBackBuffer.image(), original);
    EXPECT_EQ(a.picSide.screen(), original);
}

TEST(InvertedPicture, SwapsOnlyPixelsWithinTheToleranceOfBlackOrWhite)
{
    const std::int32_t R = kRed, G = Rgb(0, 255, 0), B = Rgb(0, 0, 255), W = kWhite, K = kBlack;
    const std::int32_t Y = Rgb(255, 255, 0), C = Rgb(0, 255, 255), M = Rgb(255, 0, 255);
    const std::vector<std::int32_t> colors = {K, W, R, G, B, Y, C, M, Rgb(5, 2, 1), Rgb(252, 252, 252), kGrey};
    const struct {
        double tolerance;
        std::vector<std::int32_t> expected;
    } cases[] = {
        {0, colors}, // nothing is below 0 or above 765
        {10, {W, K, R, G, B, Y, C, M, W, K, kGrey}},
        // Above 382.5 the white test wins wherever both would apply.
        {400, {W, K, W, W, W, K, K, K, W, K, W}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tolerance);
        const QImage picture = Picture(11, colors);
        EXPECT_EQ(InvertedPicture(picture, c.tolerance), Picture(11, c.expected));
        // The window keeps showing and measuring the picture it gave until
        // the pass is done.
        EXPECT_EQ(picture, Picture(11, colors)) << "the picture given stays as it was";
    }
}

TEST(CopyBitmap, XorsTheQuarterChordMarksIntoTheDisplayAndTwiceRemovesThem)
{
    QuarterChordMarks marks(4, 2);
    marks.mark(1, 0);
    marks.mark(3, 1, QuarterChordMarks::bitOf(5));
    const QImage canvas = QuarterChordImage(marks);
    PictureArea picSide;
    picSide.setPicture(Grey(4, 2));

    const QImage first = CopyBitmap(picSide, canvas);
    const std::int32_t G = kGrey, X = Rgb(127, 127, 127); // any object's mark is white
    EXPECT_EQ(first, Picture(4, {G, X, G, G, G, G, G, X}));
    EXPECT_EQ(first, picSide.image()) << "what goes on the clipboard stays on the display";
    EXPECT_EQ(CopyBitmap(picSide, canvas), Grey(4, 2));
    // Before any run there are no marks: the copy is the display as it is.
    EXPECT_EQ(CopyBitmap(picSide, QuarterChordImage(QuarterChordMarks())), Grey(4, 2));
}

TEST(PaintPassFeedback, ShowsTintAndQuarterChordPointsUntilTheDisplayIsRefreshed)
{
    PictureArea picSide;
    picSide.setPicture(Grey(3, 2));
    const std::vector<std::uint8_t> mask = {1, 2, 0, //
                                            0, 1, 1};
    const std::int32_t T = Rgb(255, 171, 171);
    PassFeedback feedback{.color = kRed, .tint = T, .width = 3, .height = 2, .mask = &mask};
    PaintPassFeedback(picSide, feedback);
    EXPECT_EQ(picSide.screen(), Picture(3, {T, kRed, kGrey, kGrey, T, T}));
    EXPECT_EQ(picSide.image(), Grey(3, 2)) << "feedback is transient";
    picSide.refresh();
    EXPECT_EQ(picSide.screen(), Grey(3, 2));

    // A mask from a picture of another size (or none) must not be misread.
    feedback.width = 30;
    PaintPassFeedback(picSide, feedback);
    feedback.mask = nullptr;
    PaintPassFeedback(picSide, feedback);
    EXPECT_EQ(picSide.screen(), Grey(3, 2));
}
