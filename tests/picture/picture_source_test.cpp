#include "picture/clipboard_picture.h"
#include "picture/picture_source.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QMimeData>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <array>
#include <cstdlib>
#include <vector>

using namespace centrafix;

namespace {

QRgb Rgb(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFFu;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Le16(int value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(static_cast<quint16>(value), bytes.data());
    return bytes;
}

QByteArray Le32(qint64 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(static_cast<quint32>(value), bytes.data());
    return bytes;
}

QByteArray Be32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

quint32 Crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<quint8>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray PngChunk(const QByteArray& type, const QByteArray& data)
{
    return Be32(static_cast<quint32>(data.size())) + type + data + Be32(Crc32(type + data));
}

// A PNG that is nothing but a header announcing `width` x `height` pixels.
QByteArray PngHeaderOnly(quint32 width, quint32 height)
{
    QByteArray ihdr = Be32(width) + Be32(height);
    ihdr.append(char(8)).append(char(2)).append(char(0)).append(char(0)).append(char(0));
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", ihdr) +
           PngChunk("IDAT", QByteArray("\x78\x9c\x03\x00\x00\x00\x00\x01", 8)) + PngChunk("IEND", {});
}

// Header of an uncompressed 24-bit bitmap; the rows follow bottom-up.
QByteArray BitmapHeader(qint64 width, qint64 height)
{
    const qint64 rowBytes = (width * 3 + 3) / 4 * 4;
    return "BM" + Le32(54 + rowBytes * height) + Le32(0) + Le32(54) + Le32(40) + Le32(width) +
           Le32(height) + Le16(1) + Le16(24) + Le32(0) + Le32(rowBytes * height) + Le32(2835) +
           Le32(2835) + Le32(0) + Le32(0);
}

// A GIF with a four-colour palette. The LZW stream clears the table before
// every pixel, so each code stays three bits wide: no compressor needed.
QByteArray Gif(int width, int height, const std::array<QRgb, 4>& palette,
               const std::vector<std::vector<int>>& frames, int transparentIndex = -1)
{
    QByteArray gif = "GIF89a" + Le16(width) + Le16(height);
    gif.append(char(0x80 | 0x10 | 0x01)).append(char(0)).append(char(0));
    for (const QRgb c : palette)
        gif.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    for (const std::vector<int>& indices : frames) {
        gif.append("\x21\xF9\x04", 3);
        gif.append(char(transparentIndex >= 0 ? 0x01 : 0x00)).append(Le16(10));
        gif.append(char(std::max(transparentIndex, 0))).append(char(0));
        gif.append(char(0x2C)).append(Le16(0)).append(Le16(0)).append(Le16(width)).append(Le16(height));
        gif.append(char(0)).append(char(2)); // no local palette; minimum code size 2
        QByteArray data;
        quint32 buffer = 0;
        int bits = 0;
        auto put = [&](int code) {
            buffer |= static_cast<quint32>(code) << bits;
            bits += 3;
            while (bits >= 8) {
                data.append(char(buffer & 0xFF));
                buffer >>= 8;
                bits -= 8;
            }
        };
        for (const int index : indices) {
            put(4); // clear
            put(index);
        }
        put(5); // end of information
        if (bits > 0)
            data.append(char(buffer & 0xFF));
        for (qsizetype at = 0; at < data.size(); at += 255) {
            const QByteArray block = data.mid(at, 255);
            gif.append(char(block.size())).append(block);
        }
        gif.append(char(0));
    }
    gif.append(char(0x3B));
    return gif;
}

// A flat-colour drawing with edges on 8-pixel boundaries, so even JPEG keeps
// the block interiors nearly exact.
QImage Drawing()
{
    QImage image(48, 32, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    for (int y = 0; y < 32; ++y)
        for (int x = 24; x < 48; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    for (int y = 8; y < 24; ++y)
        for (int x = 8; x < 16; ++x)
            image.setPixel(x, y, qRgb(0, 255, 0));
    return image;
}

qint64 PeakResidentKilobytes()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

} // namespace

TEST(PictureFile, EveryFormatArrivesAsTheSameRgb32Picture)
{
    QTemporaryDir dir;
    const QImage drawing = Drawing();
    struct Case {
        const char* format;
        const char* fileName;
        QImage::Format written;
        int tolerance;
    };
    const Case cases[] = {
        {"png", "a.png", QImage::Format_RGB32, 0},
        {"bmp", "a.bmp", QImage::Format_RGB32, 0},
        {"bmp", "indexed.bmp", QImage::Format_Indexed8, 0},
        {"tiff", "a.tif", QImage::Format_RGB32, 0},
        {"jpeg", "a.jpg", QImage::Format_RGB32, 24},
        {"png", "png-named.bmp", QImage::Format_RGB32, 0}, // content decides, not the name
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName);
        const QString path = dir.filePath(c.fileName);
        QImageWriter writer(path, c.format);
        ASSERT_TRUE(writer.write(drawing.convertToFormat(c.written))) << writer.errorString().toStdString();
        const PictureLoad load = LoadPictureFile(path);
        ASSERT_TRUE(load.ok()) << load.error.toStdString();
        EXPECT_EQ(load.image.format(), QImage::Format_RGB32);
        ASSERT_EQ(load.image.size(), QSize(48, 32));
        for (const QPoint p : {QPoint(3, 3), QPoint(12, 16), QPoint(36, 16), QPoint(44, 28)}) {
            const QRgb want = drawing.pixel(p), got = load.image.pixel(p);
            EXPECT_LE(std::abs(qRed(want) - qRed(got)) + std::abs(qGreen(want) - qGreen(got)) +
                          std::abs(qBlue(want) - qBlue(got)),
                      c.tolerance)
                << p.x() << "," << p.y() << std::hex << " want " << want << " got " << got;
        }
    }
}

TEST(PictureFile, GifFirstFrameIsExpandedAndTransparencyBecomesWhite)
{
    QTemporaryDir dir;
    const std::array<QRgb, 4> palette{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(0, 0, 0)};
    const std::vector<int> first{0, 1, 2, 3, 3, 2, 1, 0}; // 4 x 2
    const std::vector<int> second(8, 3);
    const QString path = dir.filePath("two-frames.gif");
    WriteFile(path, Gif(4, 2, palette, {first, second}));
    const PictureLoad load = LoadPictureFile(path);
    ASSERT_TRUE(load.ok()) << load.error.toStdString();
    EXPECT_EQ(load.image.format(), QImage::Format_RGB32);
    ASSERT_EQ(load.image.size(), QSize(4, 2));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Rgb(load.image, i % 4, i / 4), palette[static_cast<std::size_t>(first[static_cast<std::size_t>(i)])] & 0xFFFFFFu) << i;

    const QString transparent = dir.filePath("transparent.gif");
    WriteFile(transparent, Gif(4, 2, palette, {first}, 3));
    const PictureLoad clear = LoadPictureFile(transparent);
    ASSERT_TRUE(clear.ok()) << clear.error.toStdString();
    EXPECT_EQ(Rgb(clear.image, 3, 0), 0xFFFFFFu) << "transparent index composited onto white";
    EXPECT_EQ(Rgb(clear.image, 0, 0), 0xFF0000u);
}

TEST(PictureFile, AlphaIsCompositedOntoWhite)
{
    QTemporaryDir dir;
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));       // fully transparent black
    image.setPixel(1, 0, qRgba(255, 0, 0, 128));   // half-transparent red
    image.setPixel(2, 0, qRgba(0, 0, 255, 255));   // opaque blue
    const QString path = dir.filePath("alpha.png");
    ASSERT_TRUE(image.save(path, "PNG"));
    const PictureLoad load = LoadPictureFile(path);
    ASSERT_TRUE(load.ok()) << load.error.toStdString();
    EXPECT_EQ(load.image.format(), QImage::Format_RGB32);
    EXPECT_EQ(Rgb(load.image, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(qRed(load.image.pixel(1, 0)), 255);
    EXPECT_NEAR(qGreen(load.image.pixel(1, 0)), 127, 1);
    EXPECT_NEAR(qBlue(load.image.pixel(1, 0)), 127, 1);
    EXPECT_EQ(Rgb(load.image, 2, 0), 0x0000FFu);

    // Premultiplied pixels give the same result as straight ones.
    const QImage premultiplied = ToWorkingCopy(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    EXPECT_EQ(premultiplied.format(), QImage::Format_RGB32);
    for (int x = 0; x < 3; ++x)
        EXPECT_NEAR(qGreen(premultiplied.pixel(x, 0)), qGreen(load.image.pixel(x, 0)), 1) << x;
    EXPECT_EQ(Rgb(premultiplied, 0, 0), 0xFFFFFFu);

    // A working copy handed in again is shared, not copied.
    const QImage again = ToWorkingCopy(load.image);
    EXPECT_EQ(again.constBits(), load.image.constBits());
}

TEST(PictureFile, RefusalsNameTheFileAndTheProblem)
{
    QTemporaryDir dir;
    QByteArray random(4096, '\0');
    QRandomGenerator generator(7);
    for (char& c : random)
        c = static_cast<char>(generator.bounded(256));
    QImage small(64, 64, QImage::Format_RGB32);
    small.fill(Qt::red);
    const QString whole = dir.filePath("whole.png");
    ASSERT_TRUE(small.save(whole, "PNG"));
    const QString wholeBmp = dir.filePath("whole.bmp");
    ASSERT_TRUE(small.save(wholeBmp, "BMP"));
    const QByteArray png = ReadFile(whole), bmp = ReadFile(wholeBmp);

    struct Case {
        const char* fileName;
        QByteArray bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"empty.bmp", {}, "empty"},
        {"noise.jpg", random, "not a bitmap, JPEG, GIF, PNG or TIFF picture"},
        {"cut.png", png.left(png.size() * 2 / 3), "damaged or unreadable PNG"},
        {"cut.bmp", bmp.left(bmp.size() * 2 / 3), "truncated"},
        {"no-width.bmp", BitmapHeader(0, 10), "no pixels (0 x 10)"},
        // Qt reads no bitmap above 16384 x 16384; the user is told what to do.
        {"vast.bmp", BitmapHeader(20000, 20000), "save the picture as PNG or TIFF"},
        {"noise.wmf", random, "not a Windows metafile"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName);
        const QString path = dir.filePath(c.fileName);
        WriteFile(path, c.bytes);
        const PictureLoad load = LoadPictureFile(path);
        EXPECT_FALSE(load.ok());
        EXPECT_TRUE(load.image.isNull());
        EXPECT_TRUE(load.error.startsWith(path + ": ")) << load.error.toStdString();
        EXPECT_TRUE(load.error.contains(c.reason)) << load.error.toStdString();
    }
    const QString missing = dir.filePath("missing.png");
    EXPECT_EQ(LoadPictureFile(missing).error, missing + ": no such file");
    EXPECT_FALSE(LoadPictureFile(dir.path()).ok()) << "a folder is not a picture";
}

TEST(PictureFile, OversizedHeaderIsRefusedBeforeDecoding)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("huge.png");
    WriteFile(png, PngHeaderOnly(100000, 100000));
    const QString bmp = dir.filePath("huge.bmp");
    WriteFile(bmp, BitmapHeader(100000, 100000));
    for (const QString& path : {png, bmp}) {
        QElapsedTimer clock;
        clock.start();
        const PictureLoad load = LoadPictureFile(path);
        EXPECT_LT(clock.elapsed(), 1000) << "refused from the header, nothing decoded";
        EXPECT_EQ(load.error.toStdString(),
                  (path + ": 100000 x 100000 pixels is larger than the 600-megapixel limit").toStdString());
        EXPECT_TRUE(load.image.isNull());
    }
    // The limit leaves room for a 500-megapixel scan.
    EXPECT_TRUE(PictureSizeProblem(QSize(25000, 20000)).isEmpty());
    EXPECT_TRUE(PictureSizeProblem(QSize(30000, 20000)).isEmpty());
    EXPECT_FALSE(PictureSizeProblem(QSize(30000, 20001)).isEmpty());
    EXPECT_FALSE(PictureSizeProblem(QSize(0, 5)).isEmpty());
}

// 64 megapixels is twice what Qt decodes by default, and a needless
// conversion would hold the picture twice.
TEST(PictureFile, SixtyFourMegapixelBitmapLoadsWithoutASecondCopy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("big.bmp");
    constexpr int kSide = 8000;
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(BitmapHeader(kSide, kSide));
        QByteArray row;
        for (int x = 0; x < kSide; ++x)
            row.append(x < kSide / 2 ? QByteArray("\x00\x00\xFF", 3) : QByteArray("\xFF\x00\x00", 3));
        for (int y = 0; y < kSide; ++y)
            ASSERT_EQ(file.write(row), row.size());
    }
    const qint64 before = PeakResidentKilobytes();
    const PictureLoad load = LoadPictureFile(path);
    const qint64 after = PeakResidentKilobytes();
    ASSERT_TRUE(load.ok()) << load.error.toStdString();
    ASSERT_EQ(load.image.size(), QSize(kSide, kSide));
    EXPECT_EQ(load.image.format(), QImage::Format_RGB32);
    EXPECT_EQ(Rgb(load.image, 0, 0), 0xFF0000u);
    EXPECT_EQ(Rgb(load.image, kSide - 1, kSide - 1), 0x0000FFu);
    if (before > 0 && after > 0) {
        const qint64 pictureKb = qint64(kSide) * kSide * 4 / 1024;
        EXPECT_LT(after - before, pictureKb * 3 / 2) << "peak grew by " << (after - before) << " kB";
    }
}

TEST(ClipboardPicture, NeedsAnImageAndConvertsItLikeAFile)
{
    EXPECT_FALSE(PictureFromMimeData(nullptr).ok());
    QMimeData text;
    text.setText("not a picture");
    const PictureLoad refused = PictureFromMimeData(&text);
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.image.isNull());

    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(0, 255, 0, 255));
    QMimeData picture;
    picture.setImageData(image);
    const PictureLoad load = PictureFromMimeData(&picture);
    ASSERT_TRUE(load.ok()) << load.error.toStdString();
    EXPECT_EQ(load.image.format(), QImage::Format_RGB32);
    EXPECT_EQ(Rgb(load.image, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(Rgb(load.image, 1, 0), 0x00FF00u);

    QMimeData empty;
    empty.setImageData(QImage());
    EXPECT_FALSE(PictureFromMimeData(&empty).ok());
}
