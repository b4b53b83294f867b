#include "metafile_expect.h"
#include "picture/metafile/wmf_player.h"

#include <gtest/gtest.h>

#include <QtEndian>

using namespace centrafix;
using namespace centrafix::test;

namespace {

// A 2 x 2 bitmap, bottom-up as stored: red, green on top; blue, yellow below.
QByteArray FourColourDib()
{
    QByteArray dib = Words({40, 0, 2, 0, 2, 0, 1, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    dib.append(
        QByteArray("\xFF\x00\x00"
                   "\x00\xFF\xFF"
                   "\x00\x00",
                   8)); // blue, yellow
    dib.append(
        QByteArray("\x00\x00\xFF"
                   "\x00\xFF\x00"
                   "\x00\x00",
                   8)); // red, green
    return dib;
}

} // namespace

TEST(Metafile, DrawsFlatAreasInTheirExactColours)
{
    Metafile m = Sample();
    m.rectangle(10, 10, 60, 40);
    m.brush(kBlue).select(2).record(kPolygon, {3, 80, 10, 140, 10, 110, 60});
    // A new object takes the lowest free index: the green brush becomes 0.
    m.record(kDeleteObject, {0}).brush(kGreen).select(0);
    m.record(kEllipse, {90, 190, 50, 150});
    m.pen(0, kBlack).select(3).record(kMoveTo, {95, 10}).record(kLineTo, {95, 100});

    ExpectPicture(m, QSize(200, 100),
                  {{11, 11, kRed},
                   {58, 38, kRed},
                   {8, 25, kWhite},
                   {62, 25, kWhite},
                   {110, 20, kBlue},
                   {85, 50, kWhite},
                   {170, 70, kGreen},
                   {152, 52, kWhite},
                   {50, 95, kBlack},
                   {50, 97, kWhite}},
                  {kWhite, kBlack, kRed, kGreen, kBlue});
}

TEST(Metafile, WindowMapsOntoThePictureAtNinetySixDotsPerInch)
{
    // Two inches by one at 1440 units per inch, y upwards as CAD programs write.
    Metafile m;
    m.placeable(0, 0, 2880, 1440, 1440).window(0, 1440, 2880, -1440);
    m.brush(kRed).pen(5, kBlack).select(0).select(1).rectangle(0, 0, 1440, 720);
    ExpectPicture(m, QSize(192, 96), {{20, 80, kRed}, {90, 50, kRed}, {20, 20, kWhite}, {150, 80, kWhite}},
                  {kWhite, kRed});

    // Without a placeable header the window extent is the size in pixels; the default pen is black.
    Metafile plain;
    plain.window(100, 100, 50, 40).brush(kBlue).select(0).rectangle(110, 110, 130, 130);
    ExpectPicture(plain, QSize(50, 40), {{20, 20, kBlue}, {10, 20, kBlack}, {35, 20, kWhite}}, {kWhite, kBlack, kBlue});
}

TEST(Metafile, FillModesSavedStatesAndPies)
{
    Metafile m = Sample();
    m.record(kSaveDc, {}).brush(kBlue).select(2);
    // Two nested squares: alternate filling leaves the inner one a hole, winding fills it.
    m.record(kPolyPolygon, {2, 4, 4, 10, 10, 50, 10, 50, 50, 10, 50, 20, 20, 40, 20, 40, 40, 20, 40});
    m.record(kSetPolyFillMode, {2});
    m.record(kPolyPolygon, {2, 4, 4, 60, 10, 100, 10, 100, 50, 60, 50, 70, 20, 90, 20, 90, 40, 70, 40});
    m.record(kRestoreDc, {-1}); // red brush and alternate filling again
    m.rectangle(10, 60, 50, 90);
    m.record(kPolyPolygon, {2, 4, 4, 60, 60, 100, 60, 100, 99, 60, 99, 70, 70, 90, 70, 90, 90, 70, 90});
    // Pie from three o'clock counter-clockwise to twelve: the upper right quarter.
    m.record(kPie, {50, 170, 70, 190, 90, 190, 50, 150});

    ExpectPicture(m, QSize(200, 100),
                  {{15, 15, kBlue},
                   {30, 30, kWhite},
                   {80, 30, kBlue},
                   {30, 75, kRed},
                   {80, 80, kWhite},
                   {65, 65, kRed},
                   {178, 62, kRed},
                   {162, 62, kWhite},
                   {178, 78, kWhite}},
                  {kWhite, kRed, kBlue});
}

TEST(Metafile, EmbeddedBitmapsAreStretchedWithoutSmoothing)
{
    const QByteArray stretchDib = Words({0x0020, 0x00CC, 0, 2, 2, 0, 0, 40, 40, 10, 10});
    const QByteArray stretchBlt = Words({0x0020, 0x00CC, 2, 2, 0, 0, 40, 40, 10, 110});
    Metafile m;
    m.placeable(0, 0, 200, 100, 96).window(0, 0, 200, 100);
    m.raw(kStretchDib, stretchDib + FourColourDib()).raw(kDibStretchBlt, stretchBlt + FourColourDib());
    ExpectPicture(m, QSize(200, 100),
                  {{20, 20, kRed},
                   {40, 20, kGreen},
                   {20, 40, kBlue},
                   {40, 40, kYellow},
                   {120, 20, kRed},
                   {140, 20, kGreen},
                   {120, 40, kBlue},
                   {140, 40, kYellow}},
                  {kWhite, kRed, kGreen, kBlue, kYellow});
}

TEST(Metafile, BitmapsWithColourMasksStartPastTheirMasks)
{
    // 32 bits a pixel and a mask for each colour; stored bottom-up: blue,
    // white below red, green.
    const QByteArray dib = Words({40, 0, 2, 0, 2, 0, 1, 32, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}) +
                           Words({0, 0x00FF, 0xFF00, 0, 0x00FF, 0}) +
                           Words({0x00FF, 0, 0xFFFF, 0x00FF, 0, 0x00FF, 0xFF00, 0});
    Metafile m;
    m.placeable(0, 0, 200, 100, 96).window(0, 0, 200, 100);
    m.raw(kStretchDib, Words({0x0020, 0x00CC, 0, 2, 2, 0, 0, 40, 40, 10, 10}) + dib);
    ExpectPicture(m, QSize(200, 100), {{20, 20, kRed}, {40, 20, kGreen}, {20, 40, kBlue}, {40, 40, kWhite}},
                  {kWhite, kRed, kGreen, kBlue});
}

TEST(Metafile, DamagedFilesAreRefusedNeverReadPastTheirEnd)
{
    const QByteArray sample = Sample().rectangle(10, 10, 60, 40).bytes();
    ASSERT_TRUE(PlayWindowsMetafile(sample).ok());
    // Every cut loses the end record at least: refused, not half drawn.
    for (qsizetype length = 0; length < sample.size(); ++length)
        EXPECT_FALSE(PlayWindowsMetafile(QByteArrayView(sample).first(length)).ok()) << length;

    QByteArray tooBigDib = FourColourDib();
    qToLittleEndian<qint32>(100, tooBigDib.data() + 4); // claims 100 x 2 pixels
    const QByteArray blit = Words({0x0020, 0x00CC, 0, 2, 2, 0, 0, 40, 40, 10, 10});
    const qsizetype firstRecord = 22 + 18;
    QByteArray zeroSize = sample, pastEnd = sample;
    qToLittleEndian<quint32>(0, zeroSize.data() + firstRecord);
    qToLittleEndian<quint32>(0x10000000, pastEnd.data() + firstRecord);

    const struct {
        const char* what;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"record of size 0", zeroSize, "impossible size"},
        {"record past the end", pastEnd, "record 1 at byte 40 claims 536870912 bytes, but only"},
        {"polygon longer than its record", Sample().record(kPolygon, {1000, 1, 1, 5, 5}).bytes(), "polygon"},
        {"negative point count", Sample().record(kPolygon, {-3, 1, 1}).bytes(), "a polygon of -3 points"},
        {"polypolygon counts past the record", Sample().record(kPolyPolygon, {40, 3}).bytes(), "polypolygon"},
        {"polypolygon points past the record", Sample().record(kPolyPolygon, {1, 500, 1, 1}).bytes(), "polypolygon"},
        {"pen too short", Sample().record(kCreatePenIndirect, {0}).bytes(),
         "damaged Windows metafile: record 7 at byte 106: a pen needs 10 bytes, its record holds 2"},
        {"bitmap bigger than its record", Sample().raw(kStretchDib, blit + tooBigDib).bytes(),
         "its bitmap of 100 x 2 pixels needs 600 bytes, the record holds 16"},
        // Its pixels start past its colour table.
        {"colour-table bitmap short of pixels",
         Sample()
             .raw(kStretchDib, blit + Words({40, 0, 4, 0, 2, 0, 1, 8, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0}) +
                                   QByteArray(8, '\x7F') + QByteArray(4, '\0'))
             .bytes(),
         "its bitmap of 4 x 2 pixels needs 8 bytes, the record holds 4"},
        // And past its colour masks.
        {"masked bitmap short of pixels",
         Sample()
             .raw(kStretchDib, blit + Words({40, 0, 2, 0, 2, 0, 1, 32, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}) +
                                   Words({0, 0x00FF, 0xFF00, 0, 0x00FF, 0}) + QByteArray(12, '\0'))
             .bytes(),
         "its bitmap of 2 x 2 pixels needs 16 bytes, the record holds 12"},
        {"zero units per inch", Metafile().placeable(0, 0, 10, 10, 0).window(0, 0, 10, 10).bytes(), "units per inch"},
        {"no size at all", Metafile().brush(kRed).bytes(), "no size"},
        {"no area", Metafile().placeable(0, 0, 0, 10, 96).bytes(), "no pixels"},
        {"too large", Metafile().placeable(-32768, -32768, 32767, 32767, 1).bytes(),
         "6291360 x 6291360 pixels is larger than the 600-megapixel limit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PictureLoad load = PlayWindowsMetafile(c.bytes);
        ASSERT_FALSE(load.ok());
        const std::string text = ErrorText(load.error(), kEnglish);
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
    }
}
