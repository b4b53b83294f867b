#include "picture/picture_source.h"
#include "picture/wmf_player.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <set>
#include <vector>

using namespace centrafix;

namespace {

constexpr quint16 kSaveDc = 0x001E, kSetPolyFillMode = 0x0106, kRestoreDc = 0x0127,
                  kSelectObject = 0x012D, kDeleteObject = 0x01F0, kSetWindowOrg = 0x020B,
                  kSetWindowExt = 0x020C, kLineTo = 0x0213, kMoveTo = 0x0214,
                  kCreatePenIndirect = 0x02FA, kCreateBrushIndirect = 0x02FC, kPolygon = 0x0324,
                  kEllipse = 0x0418, kRectangle = 0x041B, kPolyPolygon = 0x0538, kPie = 0x081A,
                  kDibStretchBlt = 0x0B41, kStretchDib = 0x0F43;

// Builds metafile bytes record by record; every parameter is one 16-bit word.
class Metafile {
public:
    Metafile& placeable(int left, int top, int right, int bottom, int unitsPerInch)
    {
        m_placeable.clear();
        words(m_placeable, {0xCDD7, 0x9AC6, 0, left, top, right, bottom, unitsPerInch, 0, 0});
        quint16 checksum = 0;
        for (int i = 0; i < 10; ++i)
            checksum ^= qFromLittleEndian<quint16>(m_placeable.constData() + 2 * i);
        words(m_placeable, {checksum});
        return *this;
    }
    Metafile& record(quint16 function, std::initializer_list<int> params)
    {
        QByteArray bytes;
        words(bytes, params);
        return raw(function, bytes);
    }
    Metafile& raw(quint16 function, const QByteArray& params)
    {
        QByteArray head;
        const quint32 size = 3 + static_cast<quint32>(params.size() / 2);
        words(head, {int(size & 0xFFFF), int(size >> 16), function});
        m_records += head + params;
        return *this;
    }
    Metafile& brush(QRgb c) { return record(kCreateBrushIndirect, {0, Low(c), qBlue(c), 0}); }
    Metafile& pen(int style, int width, QRgb c) { return record(kCreatePenIndirect, {style, width, 0, Low(c), qBlue(c)}); }
    Metafile& select(int index) { return record(kSelectObject, {index}); }
    // Left, top, right, bottom as the caller thinks of them; the file stores them reversed.
    Metafile& rectangle(int l, int t, int r, int b) { return record(kRectangle, {b, r, t, l}); }
    Metafile& window(int x, int y, int w, int h)
    {
        record(kSetWindowOrg, {y, x});
        return record(kSetWindowExt, {h, w});
    }

    QByteArray bytes() const
    {
        QByteArray header;
        words(header, {1, 9, 0x0300, 0, 0, 8, 0, 0, 0});
        QByteArray end;
        words(end, {3, 0, 0});
        return m_placeable + header + m_records + end;
    }

    static void words(QByteArray& out, std::initializer_list<int> values)
    {
        for (const int v : values) {
            char le[2];
            qToLittleEndian(static_cast<quint16>(v), le);
            out.append(le, 2);
        }
    }

private:
    static int Low(QRgb c) { return qRed(c) | (qGreen(c) << 8); }

    QByteArray m_placeable;
    QByteArray m_records;
};

constexpr QRgb kWhite = 0xFFFFFF, kBlack = 0x000000, kRed = 0xFF0000, kGreen = 0x00FF00,
               kBlue = 0x0000FF, kYellow = 0xFFFF00;

QRgb At(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFFu;
}

std::set<QRgb> Colours(const QImage& image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(At(image, x, y));
    return colours;
}

QImage Play(const Metafile& metafile)
{
    const PictureLoad load = PlayWindowsMetafile(metafile.bytes());
    EXPECT_TRUE(load.ok()) << load.error.toStdString();
    return load.image;
}

// A 2 x 2 bitmap, bottom-up as stored: red, green on top; blue, yellow below.
QByteArray FourColourDib()
{
    QByteArray dib;
    Metafile::words(dib, {40, 0, 2, 0, 2, 0, 1, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    dib.append(QByteArray("\xFF\x00\x00" "\x00\xFF\xFF" "\x00\x00", 8)); // blue, yellow
    dib.append(QByteArray("\x00\x00\xFF" "\x00\xFF\x00" "\x00\x00", 8)); // red, green
    return dib;
}

// A small drawing that the damage cases below start from.
Metafile Sample()
{
    Metafile m;
    m.placeable(0, 0, 200, 100, 96).window(0, 0, 200, 100);
    m.brush(kRed).pen(5, 0, kBlack).select(0).select(1).rectangle(10, 10, 60, 40);
    m.record(kPolygon, {3, 80, 10, 140, 10, 110, 60});
    return m;
}

} // namespace

TEST(Metafile, DrawsFlatAreasInTheirExactColours)
{
    Metafile m;
    m.placeable(0, 0, 200, 100, 96).window(0, 0, 200, 100);
    m.brush(kRed).pen(5, 0, kBlack).select(0).select(1); // objects 0 and 1
    m.rectangle(10, 10, 60, 40);
    m.brush(kBlue).select(2);
    m.record(kPolygon, {3, 80, 10, 140, 10, 110, 60});
    // A new object takes the lowest free index: the green brush becomes 0.
    m.record(kDeleteObject, {0}).brush(kGreen).select(0);
    m.record(kEllipse, {90, 190, 50, 150});
    m.pen(0, 0, kBlack).select(3);
    m.record(kMoveTo, {95, 10}).record(kLineTo, {95, 100});

    const QImage image = Play(m);
    ASSERT_EQ(image.size(), QSize(200, 100));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(At(image, 35, 25), kRed);
    EXPECT_EQ(At(image, 11, 11), kRed);
    EXPECT_EQ(At(image, 58, 38), kRed);
    EXPECT_EQ(At(image, 8, 25), kWhite);
    EXPECT_EQ(At(image, 62, 25), kWhite);
    EXPECT_EQ(At(image, 110, 20), kBlue);
    EXPECT_EQ(At(image, 85, 50), kWhite) << "outside the triangle";
    EXPECT_EQ(At(image, 170, 70), kGreen);
    EXPECT_EQ(At(image, 152, 52), kWhite) << "box corner outside the ellipse";
    EXPECT_EQ(At(image, 50, 95), kBlack);
    EXPECT_EQ(At(image, 50, 97), kWhite);
    EXPECT_EQ(Colours(image), (std::set<QRgb>{kWhite, kBlack, kRed, kGreen, kBlue}))
        << "no blended edge shades";
}

TEST(Metafile, WindowMapsOntoThePictureAtNinetySixDotsPerInch)
{
    // Two inches by one at 1440 units per inch, y upwards as CAD programs write.
    Metafile m;
    m.placeable(0, 0, 2880, 1440, 1440).window(0, 1440, 2880, -1440);
    m.brush(kRed).pen(5, 0, kBlack).select(0).select(1).rectangle(0, 0, 1440, 720);
    const QImage image = Play(m);
    ASSERT_EQ(image.size(), QSize(192, 96));
    EXPECT_EQ(At(image, 20, 80), kRed) << "lower left quarter";
    EXPECT_EQ(At(image, 90, 50), kRed);
    EXPECT_EQ(At(image, 20, 20), kWhite);
    EXPECT_EQ(At(image, 150, 80), kWhite);

    // Without a placeable header the window extent is the size in pixels.
    Metafile plain;
    plain.window(100, 100, 50, 40).brush(kBlue).select(0).rectangle(110, 110, 130, 130);
    const QImage small = Play(plain);
    ASSERT_EQ(small.size(), QSize(50, 40));
    EXPECT_EQ(At(small, 20, 20), kBlue);
    EXPECT_EQ(At(small, 35, 20), kWhite);
}

TEST(Metafile, FillModesSavedStatesAndPies)
{
    Metafile m;
    m.placeable(0, 0, 200, 100, 96).window(0, 0, 200, 100);
    m.brush(kRed).pen(5, 0, kBlack).select(0).select(1);
    m.record(kSaveDc, {});
    m.brush(kBlue).select(2);
    const std::initializer_list<int> frameAt0 = {2, 4, 4, 10, 10, 50, 10, 50, 50, 10, 50,
                                                 20, 20, 40, 20, 40, 40, 20, 40};
    m.record(kPolyPolygon, frameAt0); // alternate: the inner square is a hole
    m.record(kSetPolyFillMode, {2});
    m.record(kPolyPolygon, {2, 4, 4, 60, 10, 100, 10, 100, 50, 60, 50, 70, 20, 90, 20, 90, 40, 70, 40});
    m.record(kRestoreDc, {-1}); // red brush and alternate filling again
    m.rectangle(10, 60, 50, 90);
    m.record(kPolyPolygon, {2, 4, 4, 60, 60, 100, 60, 100, 99, 60, 99, 70, 70, 90, 70, 90, 90, 70, 90});
    // Pie from three o'clock counter-clockwise to twelve: the upper right quarter.
    m.record(kPie, {50, 170, 70, 190, 90, 190, 50, 150});

    const QImage image = Play(m);
    EXPECT_EQ(At(image, 15, 15), kBlue);
    EXPECT_EQ(At(image, 30, 30), kWhite) << "alternate filling leaves the hole";
    EXPECT_EQ(At(image, 80, 30), kBlue) << "winding filling fills it";
    EXPECT_EQ(At(image, 30, 75), kRed) << "restored brush";
    EXPECT_EQ(At(image, 80, 80), kWhite) << "restored fill mode";
    EXPECT_EQ(At(image, 65, 65), kRed);
    EXPECT_EQ(At(image, 178, 62), kRed);
    EXPECT_EQ(At(image, 162, 62), kWhite);
    EXPECT_EQ(At(image, 178, 78), kWhite);
    EXPECT_EQ(Colours(image), (std::set<QRgb>{kWhite, kRed, kBlue}));
}

TEST(Metafile, EmbeddedBitmapsAreStretchedWithoutSmoothing)
{
    QByteArray stretchDib;
    Metafile::words(stretchDib, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 40, 40, 10, 10});
    QByteArray stretchBlt;
    Metafile::words(stretchBlt, {0x0020, 0x00CC, 2, 2, 0, 0, 40, 40, 10, 110});
    Metafile m;
    m.placeable(0, 0, 200, 100, 96).window(0, 0, 200, 100);
    m.raw(kStretchDib, stretchDib + FourColourDib());
    m.raw(kDibStretchBlt, stretchBlt + FourColourDib());
    const QImage image = Play(m);
    for (const int left : {10, 110}) {
        EXPECT_EQ(At(image, left + 10, 20), kRed) << left;
        EXPECT_EQ(At(image, left + 30, 20), kGreen) << left;
        EXPECT_EQ(At(image, left + 10, 40), kBlue) << left;
        EXPECT_EQ(At(image, left + 30, 40), kYellow) << left;
    }
    EXPECT_EQ(Colours(image), (std::set<QRgb>{kWhite, kRed, kGreen, kBlue, kYellow}));
}

TEST(Metafile, DamagedFilesAreRefusedNeverReadPastTheirEnd)
{
    const QByteArray sample = Sample().bytes();
    ASSERT_TRUE(PlayWindowsMetafile(sample).ok());
    // Every cut loses the end record at least: refused, not half drawn.
    for (qsizetype length = 0; length < sample.size(); ++length) {
        const PictureLoad cut = PlayWindowsMetafile(QByteArrayView(sample).first(length));
        EXPECT_FALSE(cut.ok()) << length;
        EXPECT_TRUE(cut.image.isNull()) << length;
    }

    QByteArray tooBigDib = FourColourDib();
    qToLittleEndian<qint32>(100, tooBigDib.data() + 4); // claims 100 x 2 pixels
    QByteArray blit;
    Metafile::words(blit, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 40, 40, 10, 10});
    QByteArray zeroSize = Sample().bytes();
    const qsizetype firstRecord = 22 + 18;
    qToLittleEndian<quint32>(0, zeroSize.data() + firstRecord);
    QByteArray pastEnd = Sample().bytes();
    qToLittleEndian<quint32>(0x10000000, pastEnd.data() + firstRecord);

    struct Case {
        const char* what;
        QByteArray bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"record of size 0", zeroSize, "impossible size"},
        {"record past the end", pastEnd, "only"},
        {"polygon longer than its record", Metafile(Sample()).record(kPolygon, {1000, 1, 1, 5, 5}).bytes(), "polygon"},
        {"negative point count", Metafile(Sample()).record(kPolygon, {-3, 1, 1}).bytes(), "polygon"},
        {"polypolygon counts past the record", Metafile(Sample()).record(kPolyPolygon, {40, 3}).bytes(), "polypolygon"},
        {"polypolygon points past the record", Metafile(Sample()).record(kPolyPolygon, {1, 500, 1, 1}).bytes(), "polypolygon"},
        {"pen too short", Metafile(Sample()).record(kCreatePenIndirect, {0}).bytes(), "pen"},
        {"bitmap bigger than its record", Metafile(Sample()).raw(kStretchDib, blit + tooBigDib).bytes(), "bitmap"},
        {"zero units per inch", Metafile().placeable(0, 0, 10, 10, 0).window(0, 0, 10, 10).bytes(), "units per inch"},
        {"no size at all", Metafile().brush(kRed).bytes(), "no size"},
        {"no area", Metafile().placeable(0, 0, 0, 10, 96).bytes(), "no pixels"},
        {"too large", Metafile().placeable(-32768, -32768, 32767, 32767, 1).bytes(),
         "6291360 x 6291360 pixels is larger than the 600-megapixel limit"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QElapsedTimer clock;
        clock.start();
        const PictureLoad load = PlayWindowsMetafile(c.bytes);
        EXPECT_LT(clock.elapsed(), 1000);
        EXPECT_FALSE(load.ok());
        EXPECT_TRUE(load.image.isNull());
        EXPECT_TRUE(load.error.contains(c.reason)) << load.error.toStdString();
    }
}

TEST(Metafile, FilesAreRecognisedByContent)
{
    QTemporaryDir dir;
    const QByteArray bytes = Sample().bytes();
    const QImage direct = PlayWindowsMetafile(bytes).image;
    for (const char* name : {"drawing.wmf", "drawing.WMF", "drawing.bmp"}) {
        const QString path = dir.filePath(name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const PictureLoad load = LoadPictureFile(path);
        ASSERT_TRUE(load.ok()) << name << ": " << load.error.toStdString();
        EXPECT_EQ(load.image, direct) << name;
    }
    const QString damaged = dir.filePath("damaged.wmf");
    QFile cut(damaged);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() - 10));
    cut.close();
    const PictureLoad refused = LoadPictureFile(damaged);
    EXPECT_TRUE(refused.error.startsWith(damaged + ": damaged Windows metafile: ")) << refused.error.toStdString();
}
