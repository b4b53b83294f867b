// Records a Windows system plays that a planform drawing may hold besides
// lines and areas: pattern fills, single pixels, mix modes, clipping, text.

#include "metafile_expect.h"
#include "picture/metafile/wmf_player.h"

#include <gtest/gtest.h>

#include <QFontDatabase>

using namespace centrafix;
using namespace centrafix::test;

namespace {

QImage Played(const Metafile& metafile)
{
    const PictureLoad load = PlayWindowsMetafile(metafile.bytes());
    EXPECT_TRUE(load.ok()) << ErrorText(load.error(), kEnglish);
    return load.ok() ? *load : QImage();
}

// Text on a 300 x 100 picture: `font` selected as object 0, drawn blue with
// a transparent background unless the records after it say otherwise.
Metafile TextSample(int height, int weight, bool italic, const QByteArray& face = {})
{
    Metafile m;
    m.placeable(0, 0, 300, 100, 96).window(0, 0, 300, 100);
    m.font(height, weight, italic, face).select(0).textColour(kBlue).record(kSetBkMode, {1});
    return m;
}

} // namespace

TEST(MetafileRecords, PatternFillsAndPixelsPaintTheirArea)
{
    Metafile m = Sample();
    m.patBlt(kPatCopy, 10, 10, 80, 60).patBlt(kWhiteness, 30, 30, 20, 20).patBlt(kDstInvert, 120, 10, 40, 40);
    m.pixel(150, 80, kBlue).pixel(10, 90, kBlack);
    ExpectPicture(m, QSize(200, 100),
                  {{10, 10, kRed},
                   {89, 69, kRed},
                   {90, 69, kWhite},
                   {89, 70, kWhite},
                   {35, 35, kWhite},
                   {29, 29, kRed},
                   {130, 20, kBlack},
                   {160, 20, kWhite},
                   {150, 80, kBlue},
                   {151, 80, kWhite},
                   {10, 90, kBlack},
                   {10, 91, kWhite}},
                  {kWhite, kRed, kBlack, kBlue});
}

TEST(MetafileRecords, MixModesCombinePenAndBrushWithThePicture)
{
    // A blue band over the top half, then red rectangles across it in each mode.
    Metafile m = Sample();
    m.brush(kBlue).select(2).rectangle(0, 0, 200, 50).select(0);
    const struct {
        int rop2, left;
    } modes[] = {{7, 10}, {6, 50}, {1, 90}, {16, 130}, {11, 165}, {13, 180}};
    for (const auto& mode : modes)
        m.record(kSetRop2, {mode.rop2}).rectangle(mode.left, 30, mode.left + 15, 70);
    m.record(kSetRop2, {7}).record(kSetRop2, {99}).rectangle(10, 80, 30, 95); // unknown: XOR stays
    ExpectPicture(m, QSize(200, 100),
                  {// XOR: red over blue, red over white
                   {15, 40, kMagenta},
                   {15, 60, kCyan},
                   {15, 90, kCyan},
                   // NOT: the pen's colour plays no part
                   {55, 40, kYellow},
                   {55, 60, kBlack},
                   // BLACK and WHITE whatever the brush
                   {95, 40, kBlack},
                   {95, 60, kBlack},
                   {135, 40, kWhite},
                   {135, 60, kWhite},
                   // NOP draws nothing, COPYPEN draws as ever
                   {170, 40, kBlue},
                   {170, 60, kWhite},
                   {185, 40, kRed},
                   {185, 60, kRed}},
                  {kWhite, kBlue, kRed, kMagenta, kCyan, kYellow, kBlack});
}

TEST(MetafileRecords, ClippingNarrowsAndTheNullRegionLiftsIt)
{
    Metafile m = Sample();
    m.record(kSaveDc, {});
    m.record(kIntersectClipRect, {80, 100, 20, 20}).record(kExcludeClipRect, {60, 60, 40, 40});
    m.rectangle(0, 0, 200, 100);
    m.record(kRestoreDc, {-1}).brush(kBlue).select(2).rectangle(150, 0, 200, 10); // the clipping went with the state
    m.record(kIntersectClipRect, {50, 200, 0, 110})
        .record(kSelectClipRegion, {0}); // object 0 is a brush: the null region
    m.rectangle(120, 20, 190, 90);
    ExpectPicture(m, QSize(200, 100),
                  {// left and top edges inside, right and bottom outside, as Windows clips
                   {20, 20, kRed},
                   {99, 79, kRed},
                   {100, 50, kWhite},
                   {50, 80, kWhite},
                   {19, 50, kWhite},
                   {40, 40, kWhite},
                   {59, 59, kWhite},
                   {60, 60, kRed},
                   {10, 10, kWhite},
                   {160, 5, kBlue},
                   {150, 30, kBlue},
                   {150, 85, kBlue}},
                  {kWhite, kRed, kBlue});
}

TEST(MetafileRecords, TextIsDrawnInItsFontColourAndAlignmentWithoutSmoothing)
{
    // Only the text colour and the white page: no blended edge pixels.
    const QImage top =
        ExpectPicture(TextSample(-40, 400, false).text(20, 20, "HHH"), QSize(300, 100), {}, {kWhite, kBlue});
    const QRect ink = Ink(top, kBlue);
    ASSERT_FALSE(ink.isEmpty());
    // TA_TOP: the letters hang below the reference point, capitals of about 70% of 40 pixels.
    EXPECT_GT(ink.top(), 20);
    EXPECT_NEAR(ink.height(), 29, 5);
    EXPECT_NEAR(ink.left(), 22, 4);

    Metafile baseline = TextSample(-40, 400, false);
    baseline.record(kSetTextAlign, {kTaBaseline}).text(20, 60, "HHH");
    const QRect onBaseline = Ink(Played(baseline), kBlue);
    EXPECT_NEAR(onBaseline.bottom(), 59, 1); // H has no descender: it stands on the line
    EXPECT_EQ(onBaseline.height(), ink.height());

    Metafile right = TextSample(-40, 400, false);
    right.record(kSetTextAlign, {kTaRight | kTaBottom}).text(280, 90, "HHH");
    const QRect onRight = Ink(Played(right), kBlue);
    EXPECT_NEAR(onRight.right(), 278, 4);
    EXPECT_LT(onRight.bottom(), 90);
    EXPECT_NEAR(onRight.width(), ink.width(), 1);

    // A positive height is the cell's, letters and the leading above them: smaller letters.
    EXPECT_LT(Ink(Played(TextSample(40, 400, false).text(20, 20, "HHH")), kBlue).height(), ink.height());
}

TEST(MetafileRecords, FontWeightSlantAndFaceShowInTheText)
{
    const QImage regular = Played(TextSample(-40, 400, false).text(20, 20, "HHH"));
    const QImage bold = Played(TextSample(-40, 700, false).text(20, 20, "HHH"));
    const QImage italic = Played(TextSample(-40, 400, true).text(20, 20, "HHH"));
    EXPECT_GT(InkCount(bold, kBlue), InkCount(regular, kBlue) * 5 / 4);
    EXPECT_NE(italic, regular);
    // An upright H's left edge is one column from top to bottom; a slanted one leans right.
    const QRect upright = Ink(regular, kBlue), slanted = Ink(italic, kBlue);
    auto leftmost = [](const QImage& image, int y) {
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) == kBlue)
                return x;
        return -1;
    };
    EXPECT_EQ(leftmost(regular, upright.top()), leftmost(regular, upright.bottom()));
    EXPECT_GT(leftmost(italic, slanted.top()), leftmost(italic, slanted.bottom()) + 3);

    const QStringList families = QFontDatabase::families();
    QStringList fixed, proportional;
    for (const QString& family : families)
        (QFontDatabase::isFixedPitch(family) ? fixed : proportional) << family;
    if (fixed.isEmpty() || proportional.isEmpty())
        GTEST_SKIP() << "needs a fixed-pitch and a proportional font installed";
    const QImage narrow = Played(TextSample(-40, 400, false, proportional.first().toLatin1()).text(20, 20, "iii"));
    const QImage even = Played(TextSample(-40, 400, false, fixed.first().toLatin1()).text(20, 20, "iii"));
    EXPECT_GT(Ink(even, kBlue).width(), Ink(narrow, kBlue).width());
}

TEST(MetafileRecords, TextBackgroundsBoxesAndSpacing)
{
    // The default opaque background fills the text's cells in the background colour.
    Metafile opaque = TextSample(-40, 400, false);
    opaque.record(kSetBkMode, {2}).background(kYellow).text(20, 20, "HHH");
    const QImage cells = ExpectPicture(opaque, QSize(300, 100), {{21, 21, kYellow}}, {kWhite, kBlue, kYellow});
    EXPECT_TRUE(Ink(cells, kYellow).contains(Ink(cells, kBlue)));

    // ExtTextOut: an opaque box in the background colour, the text clipped
    // to it, and each character where its width says.
    Metafile boxed = TextSample(-40, 400, false);
    boxed.background(kGreen).extText(10, 20, "IHI", kEtoOpaque | kEtoClipped, {5, 10, 150, 45}, {60, 60, 60});
    const QImage box = ExpectPicture(boxed, QSize(300, 100), {{5, 10, kGreen}, {149, 44, kGreen}, {150, 44, kWhite}},
                                     {kWhite, kBlue, kGreen});
    const QRect text = Ink(box, kBlue);
    EXPECT_EQ(text.bottom(), 44); // cut at the box's bottom edge
    EXPECT_GT(text.width(), 120); // three characters 60 pixels apart
    EXPECT_LT(text.right(), 150);
}
