#include "metafile_builder.h"
#include "picture/clipboard_picture.h"
#include "picture/picture_source.h"
#include "picture_bytes.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QMimeData>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdlib>

using namespace centrafix;
using test::BitmapHeader;
using test::Le;
using test::PngHeaderOnly;

namespace {

// The refusal as the user reads it; empty when the picture loaded.
std::string Why(const PictureLoad& load, int language = kEnglish)
{
    return load.ok() ? std::string() : ErrorText(load.error(), language);
}

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

} // namespace

TEST(PictureFile, EveryFormatArrivesAsTheSameRgb32Picture)
{
    // Edges on 8-pixel boundaries, so even JPEG keeps the block interiors nearly exact.
    QImage drawing(48, 32, QImage::Format_RGB32);
    drawing.fill(Qt::red);
    QPainter(&drawing).fillRect(24, 0, 24, 32, Qt::blue);
    QPainter(&drawing).fillRect(8, 8, 8, 16, Qt::green);
    QTemporaryDir dir;
    const struct {
        const char* format;
        const char* fileName;
        QImage::Format written;
        int tolerance;
    } cases[] = {
        {"png", "a.png", QImage::Format_RGB32, 0},         {"bmp", "indexed.bmp", QImage::Format_Indexed8, 0},
        {"tiff", "a.tif", QImage::Format_RGB32, 0},        {"jpeg", "a.jpg", QImage::Format_RGB32, 24},
        {"png", "png-named.bmp", QImage::Format_RGB32, 0}, // content decides, not the name
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName);
        const QString path = dir.filePath(c.fileName);
        QImageWriter writer(path, c.format);
        ASSERT_TRUE(writer.write(drawing.convertToFormat(c.written))) << writer.errorString().toStdString();
        const PictureLoad load = LoadPictureFile(path);
        ASSERT_TRUE(load.ok()) << Why(load);
        EXPECT_EQ(load->format(), QImage::Format_RGB32);
        ASSERT_EQ(load->size(), QSize(48, 32));
        for (const QPoint p : {QPoint(3, 3), QPoint(12, 16), QPoint(36, 16), QPoint(44, 28)}) {
            const QRgb want = drawing.pixel(p), got = load->pixel(p);
            EXPECT_LE(std::abs(qRed(want) - qRed(got)) + std::abs(qGreen(want) - qGreen(got)) +
                          std::abs(qBlue(want) - qBlue(got)),
                      c.tolerance)
                << p.x() << "," << p.y() << std::hex << " want " << want << " got " << got;
        }
    }
}

TEST(PictureFile, PlainBitmapsAreReadTopDownBottomUpAndPadded)
{
    // 3 x 2 pixels: rows of 9 bytes padded to 12 in 24 bits; 32 bits stored
    // top-down (negative height) with the unused fourth byte set.
    const QRgb top[3] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(1, 2, 3)};
    const QRgb bottom[3] = {qRgb(0, 0, 255), qRgb(255, 255, 0), qRgb(250, 251, 252)};
    auto pixelBytes = [](const QRgb* row, int bytesPerPixel) {
        QByteArray out;
        for (int x = 0; x < 3; ++x) {
            const char bgrx[4] = {char(qBlue(row[x])), char(qGreen(row[x])), char(qRed(row[x])), char(0x7F)};
            out.append(bgrx, bytesPerPixel);
        }
        return out;
    };
    QByteArray bottomUp = BitmapHeader(3, 2);
    bottomUp += pixelBytes(bottom, 3) + QByteArray(3, '\xEE') + pixelBytes(top, 3) + QByteArray(3, '\xEE');
    QByteArray topDown = BitmapHeader(3, 2);
    topDown.replace(22, 4, Le(-2, 4));
    topDown.replace(28, 2, Le(32, 2));
    topDown += pixelBytes(top, 4) + pixelBytes(bottom, 4);

    QTemporaryDir dir;
    for (const auto& [name, bytes] : {std::pair{"up.bmp", bottomUp}, std::pair{"down.bmp", topDown}}) {
        SCOPED_TRACE(name);
        WriteFile(dir.filePath(name), bytes);
        const PictureLoad load = LoadPictureFile(dir.filePath(name));
        ASSERT_TRUE(load.ok()) << Why(load);
        ASSERT_EQ(load->size(), QSize(3, 2));
        EXPECT_EQ(load->format(), QImage::Format_RGB32);
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(load->pixel(x, 0), top[x] | 0xFF000000u) << x;
            EXPECT_EQ(load->pixel(x, 1), bottom[x] | 0xFF000000u) << x;
        }
    }
}

TEST(PictureFile, TransparencyIsCompositedOntoWhite)
{
    QTemporaryDir dir;
    // Fully transparent black, half-transparent red, opaque blue; once with
    // alpha per pixel, once as GIFs arrive: a palette with transparent entries.
    const QList<QRgb> colours = {qRgba(0, 0, 0, 0), qRgba(255, 0, 0, 128), qRgba(0, 0, 255, 255)};
    QImage image(3, 1, QImage::Format_ARGB32), palette(3, 1, QImage::Format_Indexed8);
    palette.setColorTable(colours);
    for (int x = 0; x < 3; ++x) {
        image.setPixel(x, 0, colours[x]);
        palette.setPixel(x, 0, static_cast<uint>(x));
    }
    const QString straight = dir.filePath("alpha.png"), indexed = dir.filePath("palette.png");
    ASSERT_TRUE(image.save(straight, "PNG"));
    ASSERT_TRUE(palette.save(indexed, "PNG"));
    const QImage premultiplied = ToWorkingCopy(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    for (const QImage& got : {LoadPictureFile(straight).value(), LoadPictureFile(indexed).value(), premultiplied}) {
        ASSERT_EQ(got.format(), QImage::Format_RGB32);
        EXPECT_EQ(Rgb(got, 0, 0), 0xFFFFFFu);
        EXPECT_EQ(qRed(got.pixel(1, 0)), 255);
        EXPECT_NEAR(qGreen(got.pixel(1, 0)), 127, 1);
        EXPECT_NEAR(qBlue(got.pixel(1, 0)), 127, 1);
        EXPECT_EQ(Rgb(got, 2, 0), 0x0000FFu);
    }
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
    QByteArray png, bmp;
    {
        QBuffer pngBuffer(&png), bmpBuffer(&bmp);
        ASSERT_TRUE(small.save(&pngBuffer, "PNG") && small.save(&bmpBuffer, "BMP"));
    }
    const char* const huge = "100000 x 100000 pixels is larger than the 600-megapixel limit";
    // Within that limit, but with colour masks, so Qt's reader would have to take it.
    QByteArray bigMasks = BitmapHeader(20000, 20000);
    bigMasks.replace(28, 2, test::Le(16, 2)).replace(30, 4, test::Le(3, 4));
    // Run lengths are read here, and their end is not known before it comes.
    QByteArray bigRle = BitmapHeader(20000, 20000);
    bigRle.replace(28, 2, test::Le(8, 2)).replace(30, 4, test::Le(1, 4));
    const struct {
        const char* fileName;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"empty.bmp", {}, "empty"},
        {"noise.jpg", random, "not a bitmap, JPEG, GIF, PNG or TIFF picture"},
        {"noise.wmf", random, "not a Windows metafile"},
        {"cut.png", png.left(png.size() * 2 / 3), "damaged or incomplete PNG"},
        {"cut.bmp", bmp.left(bmp.size() * 2 / 3), "truncated"},
        {"no-width.bmp", BitmapHeader(0, 10), "no pixels (0 x 10)"},
        // Refused from the header, before any pixel memory exists.
        {"huge.png", PngHeaderOnly(100000, 100000), huge},
        {"huge.bmp", BitmapHeader(100000, 100000), huge},
        {"big-masks.bmp", bigMasks, "20000 x 20000 pixels is more than the bitmap reader handles (268 megapixels)"},
        {"big-rle.bmp", bigRle, "damaged or incomplete BMP picture: the file ends before the picture does"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName);
        const QString path = dir.filePath(c.fileName);
        WriteFile(path, c.bytes);
        const PictureLoad load = LoadPictureFile(path);
        ASSERT_FALSE(load.ok());
        const QString text = QString::fromStdString(Why(load));
        EXPECT_TRUE(text.startsWith(path + ": ") && text.contains(c.reason)) << text.toStdString();
    }
    // The limit leaves room for a 600-megapixel scan, and no more.
    EXPECT_FALSE(PictureSizeProblem({}, 30000, 20000));
    EXPECT_TRUE(PictureSizeProblem({}, 30000, 20001));
}

TEST(PictureFile, ThePictureHeldWholeLimitNamesTheBatchCommandOnlyForKindsItMeasuresAsRead)
{
    constexpr quint32 kWidth = 30000, kHeight = 25000; // 750 megapixels
    // Data enough that the file could hold the picture, never decoded.
    QByteArray ihdr(13, '\0');
    qToBigEndian(kWidth, ihdr.data());
    qToBigEndian(kHeight, ihdr.data() + 4);
    ihdr.replace(8, 5, QByteArray("\x08\x02\x00\x00\x01", 5)); // interlaced
    const QByteArray interlaced = QByteArray("\x89PNG\r\n\x1a\n", 8) + test::PngChunk("IHDR", ihdr) +
                                  test::PngChunk("IDAT", QByteArray(2'200'000, '\0')) + test::PngChunk("IEND", {});
    const QList<quint32> noColours;
    QImage dot(1, 1, QImage::Format_Indexed8);
    dot.setColorTable({qRgb(255, 0, 0)});
    dot.fill(0);
    const QByteArray rle = test::RleBitmap(dot, 8).replace(18, 8, Le(kWidth, 4) + Le(kHeight, 4));
    QByteArray masks = BitmapHeader(kWidth, kHeight);
    masks.replace(28, 2, Le(16, 2)).replace(30, 4, Le(3, 4));
    QList<quint32> table(768, 0);
    const QByteArray paletteTiff = test::TiffFile({{256, 4, {kWidth}},
                                                   {257, 4, {kHeight}},
                                                   {258, 3, {8}},
                                                   {259, 3, {8}},
                                                   {262, 3, {3}},
                                                   {273, 4, {8}},
                                                   {277, 3, {1}},
                                                   {278, 4, {kHeight}},
                                                   {279, 4, {800'000}},
                                                   {320, 3, table}},
                                                  QByteArray(800'000, '\0'));
    const std::string streamed =
        "the batch command (centrafix-cli) without --annotated measures this picture as it "
        "is read, up to 2000 megapixels";
    const std::string heldWhole =
        "pictures of this kind are always held whole; saved as a 24-bit bitmap or 24-bit "
        "PNG, the batch command (centrafix-cli) without --annotated measures it as it is "
        "read, up to 2000 megapixels";
    const struct {
        const char* fileName;
        QByteArray bytes;
        const std::string& says;
    } cases[] = {
        {"colour.bmp", BitmapHeader(kWidth, kHeight), streamed},
        {"colour-table.bmp", test::PaletteBitmap(kWidth, kHeight, 8, 0, noColours, {}), streamed},
        {"run-lengths.bmp", rle, heldWhole},
        {"colour-masks.bmp", masks, heldWhole},
        {"colour.png", PngHeaderOnly(kWidth, kHeight), streamed},
        {"interlaced.png", interlaced, heldWhole},
        {"palette.tif", paletteTiff, heldWhole},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName);
        const QString path = dir.filePath(c.fileName);
        WriteFile(path, c.bytes);
        const std::string why = Why(LoadPictureFile(path));
        EXPECT_EQ(why, path.toStdString() +
                           ": 30000 x 25000 pixels is larger than the 600-megapixel limit for a "
                           "picture held whole" +
                           (&c.says == &streamed ? "; " : ", and ") + c.says);
    }
    EXPECT_NE(Why(LoadPictureFile(dir.filePath("colour-table.bmp")), kGerman)
                  .find("die Stapelverarbeitung (centrafix-cli) ohne --annotated misst dieses Bild beim Lesen"),
              std::string::npos);
}

TEST(PictureFile, RefusalsReadInEitherLanguage)
{
    QTemporaryDir dir;
    const std::string missing = dir.filePath("missing.png").toStdString();
    EXPECT_EQ(Why(LoadPictureFile(QString::fromStdString(missing)), kEnglish), missing + ": no such file");
    EXPECT_EQ(Why(LoadPictureFile(QString::fromStdString(missing)), kGerman), missing + ": Datei nicht gefunden");

    // A reason within a reason: the damaged record, and what it was to hold.
    const QString cut = dir.filePath("cut.wmf");
    test::Metafile metafile;
    metafile.placeable(0, 0, 200, 100, 96).window(0, 0, 200, 100).brush(0xFF0000).pen(5, 0);
    WriteFile(cut, metafile.select(0).select(1).record(test::kCreatePenIndirect, {0}).bytes());
    const PictureLoad load = LoadPictureFile(cut);
    EXPECT_EQ(Why(load, kEnglish), cut.toStdString() +
                                       ": damaged Windows metafile: record 7 at byte 106: "
                                       "a pen needs 10 bytes, its record holds 2");
    EXPECT_EQ(Why(load, kGerman), cut.toStdString() +
                                      ": beschädigte Windows-Metadatei: Datensatz 7 bei Byte 106: "
                                      "Stift: 10 Bytes nötig, der Datensatz enthält 2");
}

TEST(ClipboardPicture, NeedsAnImageAndConvertsItLikeAFile)
{
    QMimeData text, empty, picture;
    text.setText("not a picture");
    empty.setImageData(QImage());
    for (const QMimeData* refused : std::initializer_list<const QMimeData*>{nullptr, &text, &empty})
        EXPECT_FALSE(PictureFromMimeData(refused).ok());
    EXPECT_EQ(Why(PictureFromMimeData(&text), kEnglish), "Clipboard: holds no picture");
    EXPECT_EQ(Why(PictureFromMimeData(&text), kGerman), "Zwischenablage: enthält kein Bild");
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(0, 255, 0, 255));
    picture.setImageData(image);
    const PictureLoad load = PictureFromMimeData(&picture);
    ASSERT_TRUE(load.ok()) << Why(load);
    EXPECT_EQ(load->format(), QImage::Format_RGB32);
    EXPECT_EQ(Rgb(*load, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(Rgb(*load, 1, 0), 0x00FF00u);
}
