// Metafiles made to hurt: too costly to draw, bitmaps no decoder takes, a
// tiny file on a machine short of memory, an enhanced metafile under the
// older kind's name.

#include "address_space_limit.h"
#include "metafile_expect.h"
#include "picture/metafile/wmf_player.h"
#include "picture/picture_source.h"
#include "picture_bytes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <cmath>

using namespace centrafix;
using namespace centrafix::test;

namespace {

std::string Why(const PictureLoad& load)
{
    return load.ok() ? std::string() : ErrorText(load.error(), kEnglish);
}

constexpr int kSide = 2000;

// A kSide x kSide picture with a red brush and no outline selected.
Metafile Canvas()
{
    Metafile m;
    m.placeable(0, 0, kSide, kSide, 96).window(0, 0, kSide, kSide).brush(kRed).pen(5, kBlack).select(0).select(1);
    return m;
}

// StretchDIB of `dib` from its whole `width` x `height` onto the whole canvas.
Metafile& Stretched(Metafile& m, const QByteArray& dib, int width, int height)
{
    return m.raw(kStretchDib, Words({0x0020, 0x00CC, 0, height, width, 0, 0, kSide, kSide, 0, 0}) + dib);
}

// A closed zigzag of `points` points from the top edge to the bottom and back.
QByteArray Zigzag(int points)
{
    QByteArray words = Words({points});
    for (int i = 0; i < points; ++i)
        words += Words({i % kSide, (i % 2) * (kSide - 1)});
    return words;
}

// A closed outline of `points` points around the canvas's centre, as a
// finely drawn planform has.
QByteArray Outline(int points)
{
    QByteArray words = Words({points});
    for (int i = 0; i < points; ++i) {
        const double angle = 2 * M_PI * i / points;
        words += Words({int(kSide * (0.5 + 0.45 * std::cos(angle))), int(kSide * (0.5 + 0.25 * std::sin(angle)))});
    }
    return words;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

} // namespace

TEST(HostileMetafile, CostBombsAreRefusedAtTheWorkLimit)
{
    Metafile rectangles = Canvas(), patterns = Canvas(), blowUps = Canvas(), stretches = Canvas(), polygons = Canvas(),
             text = Canvas(), fills = Canvas(), clipping = Canvas();
    for (int i = 0; i < 1000; ++i)
        rectangles.rectangle(0, 0, kSide, kSide);
    for (int i = 0; i < 100; ++i) {
        patterns.raw(kDibCreatePatternBrush, Words({5, 0}) + RunLengthDib(5000, 5000)).select(2 + i);
        patterns.rectangle(0, 0, 10, 10);
        Stretched(blowUps, RunLengthDib(5000, 5000), 5000, 5000);
        Stretched(stretches, RunLengthDib(4, 4), 4, 4);
    }
    for (int i = 0; i < 10; ++i)
        polygons.raw(kPolygon, Zigzag(32000));
    text.font(-kSide, 400, false, {}).select(2);
    for (int i = 0; i < 100; ++i)
        text.text(0, 0, QByteArray(1000, 'W'));
    fills.record(kCreateBrushIndirect, {2, 0, 0, 5}).select(2); // a cross-hatched brush
    for (int i = 0; i < 1000; ++i)
        fills.patBlt(kPatCopy, 0, 0, kSide, kSide);
    for (int y = 0; y < 200; ++y)
        for (int x = y % 2; x < 200; x += 2)
            clipping.record(kExcludeClipRect, {y * 10 + 1, x * 10 + 1, y * 10, x * 10});

    const struct {
        const char* what;
        const Metafile& metafile;
    } bombs[] = {
        {"full-picture rectangles", rectangles}, {"run-length pattern brushes", patterns},
        {"run-length bitmaps", blowUps},         {"small bitmaps stretched", stretches},
        {"zigzag polygons", polygons},           {"huge letters", text},
        {"hatched pattern fills", fills},        {"a chequered clipping region", clipping},
    };
    for (const auto& bomb : bombs) {
        SCOPED_TRACE(bomb.what);
        const std::string why = Why(PlayWindowsMetafile(bomb.metafile.bytes()));
        EXPECT_NE(why.find("Windows metafile too costly to draw: record "), std::string::npos) << why;
        EXPECT_NE(why.find("passes the limit of 712000000 pixel operations (50 times the picture's area plus "
                           "512000000)"),
                  std::string::npos)
            << why;
    }

    // A busy drawing of the same size, far beyond any real one, still plays.
    Metafile busy = Canvas();
    for (int i = 0; i < 20; ++i)
        busy.rectangle(0, 0, kSide, kSide);
    busy.raw(kPolygon, Outline(2000));
    Stretched(busy, RunLengthDib(1000, 1000), 1000, 1000);
    busy.font(-200, 700, false, {}).select(2).text(100, 100, "Fl\xFCgel Flosse Rumpf");
    for (int i = 0; i < 50; ++i)
        busy.record(kExcludeClipRect, {i * 20 + 1, i * 20 + 1, i * 20, i * 20});
    busy.patBlt(kPatCopy, 0, 0, kSide, kSide);
    const PictureLoad played = PlayWindowsMetafile(busy.bytes());
    EXPECT_TRUE(played.ok()) << Why(played);
}

TEST(HostileMetafile, BitmapsNoDecoderTakesRefuseTheFileNamingTheRecord)
{
    Metafile blit = Sample(), brush = Sample(), overLimit = Sample();
    blit.raw(kStretchDib, Words({0x0020, 0x00CC, 0, 2, 2, 0, 0, 40, 40, 10, 10}) + RunLengthDib(2, 2, 24));
    brush.raw(kDibCreatePatternBrush, Words({5, 0}) + RunLengthDib(2, 2, 24));
    // 16 bits a pixel, which Qt's reader decodes.
    const QByteArray highColour = Le(40, 4) + Le(2000, 4) + Le(1000, 4) + Le(1, 2) + Le(16, 2) + QByteArray(24, '\0') +
                                  QByteArray(2000 * 1000 * 2, '\x1F');
    overLimit.raw(kStretchDib, Words({0x0020, 0x00CC, 0, 1000, 2000, 0, 0, 40, 40, 10, 10}) + highColour);
    EXPECT_NE(Why(PlayWindowsMetafile(blit.bytes()))
                  .find("record 7 at byte 106: a bitmap transfer: its bitmap of 2 x 2 pixels cannot be decoded"),
              std::string::npos)
        << Why(PlayWindowsMetafile(blit.bytes()));
    EXPECT_NE(
        Why(PlayWindowsMetafile(brush.bytes())).find("a pattern brush: its bitmap of 2 x 2 pixels cannot be decoded"),
        std::string::npos)
        << Why(PlayWindowsMetafile(brush.bytes()));

    // Qt's own allocation limit refuses what ours allows: refused all the same, never dropped.
    ASSERT_TRUE(PlayWindowsMetafile(overLimit.bytes()).ok());
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1);
    const std::string why = Why(PlayWindowsMetafile(overLimit.bytes()));
    QImageReader::setAllocationLimit(limit);
    EXPECT_NE(why.find("its bitmap of 2000 x 1000 pixels cannot be decoded"), std::string::npos) << why;
}

TEST(HostileMetafile, ATinyFileNeedsLittleMemoryAndAnEnhancedOneSaysWhatItIs)
{
    QTemporaryDir dir;
    const QString tiny = dir.filePath("tiny.wmf");
    WriteFile(tiny, Sample().rectangle(10, 10, 60, 40).bytes());
    if (AddressSpaceLimit::kAvailable) {
        // Room for the picture and the file many times over, not for a read of the largest metafile.
        const AddressSpaceLimit limit(64u << 20);
        PictureLoad load = QImage();
        EXPECT_NO_THROW(load = LoadPictureFile(tiny));
        EXPECT_TRUE(load.ok()) << Why(load);
    }

    QByteArray emf(88, '\0');
    emf[0] = 1;
    emf.replace(40, 4, " EMF");
    const QString named = dir.filePath("drawing.wmf");
    WriteFile(named, emf);
    EXPECT_EQ(Why(LoadPictureFile(named)),
              named.toStdString() +
                  ": an enhanced metafile (EMF), which cannot be read; save it as a Windows "
                  "metafile (WMF) or a bitmap");
}
