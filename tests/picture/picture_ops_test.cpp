#include "picture/picture_ops.h"

#include "engine/raster.h"

#include <gtest/gtest.h>

#include <vector>

using namespace centrafix;

namespace {

constexpr std::int32_t kGrey = Rgb(128, 128, 128);
constexpr std::int32_t kWhite = Rgb(255, 255, 255);
constexpr std::int32_t kBlack = Rgb(0, 0, 0);

QImage Row(const std::vector<std::int32_t>& colors)
{
    QImage image(static_cast<int>(colors.size()), 1, QImage::Format_RGB32);
    for (int x = 0; x < image.width(); ++x)
        image.setPixel(x, 0, ToRasterWord(colors[static_cast<std::size_t>(x)]));
    return image;
}

std::int32_t At(const QImage& image, int x, int y)
{
    return FromRasterWord(image.pixel(x, y));
}

// Every pixel different, so a misplaced one cannot hide.
QImage Gradient(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 20, y * 40, 255 - x - y));
    return image;
}

struct Areas {
    PictureArea picSide;
    PictureArea picBackBuffer;

    explicit Areas(const QImage& picture)
    {
        picBackBuffer.setPicture(picture);
        picSide.setPicture(picture);
    }
};

} // namespace

TEST(FlipPicture, MirrorsTheWorkingCopyOverTheMarksAndTwiceRestoresIt)
{
    const QImage original = Gradient(7, 3);
    Areas a(original);
    a.picSide.setAutoRedraw(true);
    a.picSide.pset(0, 0, kWhite); // a plotted mark

    FlipPicture(a.picSide, a.picBackBuffer);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(a.picBackBuffer.image().pixel(6 - x, y), original.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(a.picSide.image(), a.picBackBuffer.image()) << "the mark is painted over";
    EXPECT_FALSE(a.picSide.autoRedraw());

    FlipPicture(a.picSide, a.picBackBuffer);
    EXPECT_EQ(a.picBackBuffer.image(), original);
    EXPECT_EQ(a.picSide.screen(), original);
}

TEST(InvertBlackWhite, SwapsOnlyPixelsWithinTheToleranceOfBlackOrWhite)
{
    const std::vector<std::int32_t> colors = {
        kBlack,           kWhite,           Rgb(255, 0, 0),   Rgb(0, 255, 0),
        Rgb(0, 0, 255),   Rgb(255, 255, 0), Rgb(0, 255, 255), Rgb(255, 0, 255),
        Rgb(5, 2, 1),     Rgb(252, 252, 252), Rgb(128, 128, 128)};
    const std::int32_t R = Rgb(255, 0, 0), G = Rgb(0, 255, 0), B = Rgb(0, 0, 255);
    const std::int32_t Y = Rgb(255, 255, 0), C = Rgb(0, 255, 255), M = Rgb(255, 0, 255);
    struct Case {
        double tolerance;
        std::vector<std::int32_t> expected;
    };
    const Case cases[] = {
        {0, colors}, // nothing is below 0 or above 765
        {10, {kWhite, kBlack, R, G, B, Y, C, M, kWhite, kBlack, kGrey}},
        // Above 382.5 the white test wins wherever both would apply.
        {400, {kWhite, kBlack, kWhite, kWhite, kWhite, kBlack, kBlack, kBlack, kWhite, kBlack, kWhite}},
    };
    for (const Case& c : cases) {
        QImage picture(static_cast<int>(colors.size()), 3, QImage::Format_RGB32);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, ToRasterWord(colors[static_cast<std::size_t>(x)]));
        Areas a(picture);
        int rows = 0;
        InvertBlackWhite(a.picSide, a.picBackBuffer, c.tolerance, [&] { ++rows; });
        EXPECT_EQ(rows, 3);
        EXPECT_FALSE(a.picSide.autoRedraw());
        EXPECT_EQ(a.picSide.image(), a.picBackBuffer.image());
        for (int y = 0; y < 3; ++y)
            for (std::size_t x = 0; x < colors.size(); ++x)
                EXPECT_EQ(At(a.picBackBuffer.image(), static_cast<int>(x), y), c.expected[x])
                    << "tolerance " << c.tolerance << ", column " << x;
    }
}

TEST(InvertBlackWhite, PlottedMarksDoNotBecomePartOfTheWorkingCopy)
{
    // A red wing with a black marker pixel plotted on it: had the mark stayed,
    // the next run would count it as part of the black object.
    const QImage picture = Row({Rgb(255, 0, 0), Rgb(255, 0, 0), kWhite});
    Areas a(picture);
    a.picSide.setAutoRedraw(true);
    a.picSide.pset(1, 0, kBlack);
    a.picSide.setAutoRedraw(false);

    InvertBlackWhite(a.picSide, a.picBackBuffer, 10);
    EXPECT_EQ(a.picBackBuffer.image(), Row({Rgb(255, 0, 0), Rgb(255, 0, 0), kBlack}));
    EXPECT_EQ(a.picSide.screen(), a.picBackBuffer.image());
}

TEST(CopyBitmap, XorsTheQuarterChordMarksIntoTheRetainedImageAndTwiceRemovesThem)
{
    QuarterChordMarks marks(4, 2);
    marks.mark(1, 0);
    marks.mark(3, 1, QuarterChordMarks::bitOf(5));
    const QImage canvas = QuarterChordImage(marks);
    ASSERT_EQ(canvas.size(), QSize(4, 2));
    EXPECT_EQ(At(canvas, 1, 0), kWhite);
    EXPECT_EQ(At(canvas, 3, 1), kWhite) << "any object's mark is white";
    EXPECT_EQ(At(canvas, 0, 0), kBlack);

    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(QColor(128, 128, 128));
    PictureArea picSide;
    picSide.setPicture(picture);
    ASSERT_FALSE(picSide.autoRedraw()); // as after a flip or invert

    const QImage first = CopyBitmap(picSide, canvas);
    EXPECT_EQ(At(first, 1, 0), Rgb(127, 127, 127));
    EXPECT_EQ(At(first, 3, 1), Rgb(127, 127, 127));
    EXPECT_EQ(At(first, 0, 0), kGrey);
    EXPECT_EQ(first, picSide.image()) << "what goes on the clipboard stays on the display";
    EXPECT_FALSE(picSide.autoRedraw());

    EXPECT_EQ(CopyBitmap(picSide, canvas), picture);

    // Before any run there are no marks: the copy is the display as it is.
    EXPECT_TRUE(QuarterChordImage(QuarterChordMarks()).isNull());
    EXPECT_EQ(CopyBitmap(picSide, QuarterChordImage(QuarterChordMarks())), picture);
}

TEST(PaintPassFeedback, ShowsTintAndQuarterChordPointsUntilTheDisplayIsRefreshed)
{
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(QColor(128, 128, 128));
    PictureArea picSide;
    picSide.setPicture(picture);

    const std::vector<std::uint8_t> mask = {1, 2, 0, //
                                            0, 1, 1};
    PassFeedback feedback;
    feedback.color = Rgb(255, 0, 0);
    feedback.tint = Rgb(255, 171, 171);
    feedback.width = 3;
    feedback.height = 2;
    feedback.mask = &mask;
    PaintPassFeedback(picSide, feedback);
    EXPECT_EQ(picSide.point(0, 0), feedback.tint);
    EXPECT_EQ(picSide.point(1, 0), feedback.color);
    EXPECT_EQ(picSide.point(2, 0), kGrey);
    EXPECT_EQ(picSide.point(2, 1), feedback.tint);
    EXPECT_EQ(picSide.image(), picture) << "feedback is transient";
    picSide.refresh();
    EXPECT_EQ(picSide.screen(), picture);

    // A mask from a picture of another size (or none) must not be misread.
    feedback.width = 30;
    PaintPassFeedback(picSide, feedback);
    feedback.mask = nullptr;
    PaintPassFeedback(picSide, feedback);
    EXPECT_EQ(picSide.screen(), picture);
}
