// Files that end properly but hold less than their picture, or hold it
// damaged: the libraries warn and fill the rest, and the result would be
// measured as a whole picture. Each is refused, the same way whether the
// picture is held whole (the window, an annotated picture) or measured as
// it is read (the batch command), and whether our reader or Qt's reads it.

#include "picture/formats/qt_decode.h"
#include "picture/picture_source.h"
#include "picture/streamed_sweep.h"
#include "picture_bytes.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

using namespace centrafix;
using test::TiffField;

namespace {

QImage Drawing(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(width / 8, height / 4, width * 3 / 4, height / 2, Qt::red);
    painter.fillRect(width / 3, height / 8, width / 6, height * 3 / 4, Qt::black);
    return image;
}

// A palette TIFF of 16 x 8 pixels in four colours, its colour table last.
QByteArray PaletteTiff(int colourTableValues)
{
    constexpr int kWidth = 16, kHeight = 8;
    QByteArray pixels;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            pixels += static_cast<char>(x / 4);
    QList<quint32> table(768, 0);
    const quint32 rgb[4][3] = {{0xFFFF, 0xFFFF, 0xFFFF}, {0xFFFF, 0, 0}, {0, 0, 0xFFFF}, {0, 0xFFFF, 0}};
    for (int i = 0; i < 4; ++i)
        for (int c = 0; c < 3; ++c)
            table[c * 256 + i] = rgb[i][c];
    table.resize(colourTableValues);
    QList<TiffField> fields = {
        {256, 4, {kWidth}}, {257, 4, {kHeight}}, {258, 3, {8}},
        {259, 3, {1}},      {262, 3, {3}},       {273, 4, {8}},
        {277, 3, {1}},      {278, 4, {kHeight}}, {279, 4, {static_cast<quint32>(pixels.size())}}};
    if (!table.isEmpty())
        fields.append({320, 3, table});
    return test::TiffFile(fields, pixels);
}

// An RGB TIFF whose one strip the file holds only half of.
QByteArray ShortStripTiff()
{
    constexpr int kWidth = 16, kHeight = 8;
    const QByteArray pixels = QByteArray("\xFF\x00\x00", 3).repeated(kWidth * kHeight);
    return test::TiffFile({{256, 4, {kWidth}},
                           {257, 4, {kHeight}},
                           {258, 3, {8, 8, 8}},
                           {259, 3, {1}},
                           {262, 3, {2}},
                           {273, 4, {8}},
                           {277, 3, {3}},
                           {278, 4, {kHeight}},
                           {279, 4, {static_cast<quint32>(pixels.size())}}},
                          pixels.left(pixels.size() / 2));
}

bool Written(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

struct Refusal {
    std::string english;
    std::string german;
};

Refusal Refused(const Result<QImage>& load)
{
    if (load.ok())
        return {};
    return {ErrorText(load.error(), kEnglish), ErrorText(load.error(), kGerman)};
}

// The refusal of the file read whole, and measured as read ("" when it
// was measured, "read whole" when it was left to the whole-picture path).
std::pair<Refusal, std::string> RefusalsOf(const QString& path)
{
    std::array<bool, 8> ticked{};
    ticked.fill(true);
    const Result<std::optional<SweptPicture>> swept = SweepPictureFile(path, ticked, 10.0);
    std::string streamed = swept.ok() ? (*swept ? "" : "read whole") : ErrorText(swept.error(), kEnglish);
    return {Refused(LoadPictureFile(path)), streamed};
}

} // namespace

TEST(IncompletePicture, DataEndingBeforeTheRowsIsRefusedWhicheverWayItIsRead)
{
    const QImage drawing = Drawing(171, 246);
    const QByteArray baseline = test::Encoded(drawing, "jpeg");
    const QByteArray progressive = test::Encoded(drawing, "jpeg", true);
    const QByteArray greyBaseline = test::Encoded(drawing.convertToFormat(QImage::Format_Grayscale8), "jpeg");
    // Bytes of the coded pixels overwritten (never with a marker): the
    // decoder loses step and runs into the end marker.
    QByteArray scrambled = baseline;
    const qsizetype scan = scrambled.indexOf("\xFF\xDA");
    for (qsizetype at = scan + 200; at < scan + 260; ++at) {
        if (scrambled[at] != '\xFF' && scrambled[at - 1] != '\xFF')
            scrambled[at] = static_cast<char>(at * 37 % 255);
    }
    // GIFs whose frame announces more rows than its codes hold; whose codes
    // stop after their first block, without their end code; with the
    // frame's own colours.
    const QImage indexed = drawing.convertToFormat(QImage::Format_Indexed8);
    QByteArray gif = test::GifFile(indexed);
    gif.replace(8, 2, test::Le(300, 2)).replace(788, 2, test::Le(300, 2));
    const QByteArray oneBlock = test::GifFile(indexed).left(792 + 256) + QByteArray("\0\x3B", 2);
    QByteArray localColours = test::GifFile(indexed, true);
    localColours.replace(8, 2, test::Le(300, 2)).replace(20, 2, test::Le(300, 2));
    const std::string jpegData = ": damaged or incomplete JPEG picture: its pixel data ends before the picture does";
    const std::string gifData = ": damaged or incomplete GIF picture: its pixel data ends before the picture does";
    const std::string tiffFile = ": damaged or incomplete TIFF picture: the file ends before the picture does";
    QTemporaryDir dir;
    for (const auto& [name, bytes, format, reason, german] :
         {std::tuple{"half.jpg", test::JpegEndingEarly(baseline, 0.5), "jpeg", jpegData, "seine Bilddaten enden"},
          std::tuple{"grey-half.jpg", test::JpegEndingEarly(greyBaseline, 0.5), "jpeg", jpegData, ""},
          std::tuple{"progressive-half.jpg", test::JpegEndingEarly(progressive, 0.5), "jpeg", jpegData, ""},
          std::tuple{"scrambled.jpg", scrambled, "jpeg", jpegData, ""},
          std::tuple{"rows-missing.gif", gif, "gif", gifData, ""},
          std::tuple{"one-block.gif", oneBlock, "gif", gifData, ""},
          std::tuple{"own-colours.gif", localColours, "gif", gifData, ""},
          std::tuple{"cut-table.tif", PaletteTiff(768).chopped(1), "tiff", tiffFile, "die Datei endet vor dem Bild"},
          // Once "Read error at scanline 4294967295", libtiff's words.
          std::tuple{"short-strip.tif", ShortStripTiff(), "tiff", tiffFile, ""}}) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(name);
        ASSERT_TRUE(Written(path, bytes));
        const auto [whole, streamed] = RefusalsOf(path);
        const std::string want = path.toStdString() + reason;
        EXPECT_EQ(whole.english, want);
        EXPECT_TRUE(whole.german.starts_with(path.toStdString() + ": beschädigtes oder unvollständiges") &&
                    whole.german.find(german) != std::string::npos)
            << whole.german;
        EXPECT_TRUE(streamed == want || streamed == "read whole") << streamed;

        // Qt's readers, for the kinds left to them, are held to the same.
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        EXPECT_EQ(Refused(DecodeWithQt(&buffer, format, path)).english, want);
    }

    // A progressive picture whose later scans are missing decodes without a
    // word, blurred and in shifted colours; our reader finds it out.
    const QString scans = dir.filePath("two-scans.jpg");
    ASSERT_TRUE(Written(scans, test::JpegWithScans(progressive, 2)));
    const auto [fewScans, fewScansStreamed] = RefusalsOf(scans);
    EXPECT_EQ(fewScans.english, scans.toStdString() + jpegData);
    EXPECT_EQ(fewScansStreamed, fewScans.english);
    ASSERT_TRUE(Written(dir.filePath("all-scans.jpg"), progressive));
    EXPECT_TRUE(LoadPictureFile(dir.filePath("all-scans.jpg")).ok());
    ASSERT_TRUE(Written(dir.filePath("own-colours.gif"), test::GifFile(indexed, true)));
    const PictureLoad ownColours = LoadPictureFile(dir.filePath("own-colours.gif"));
    ASSERT_TRUE(ownColours.ok()) << Refused(ownColours).english;
    EXPECT_EQ(ownColours->pixel(85, 120), drawing.pixel(85, 120));

    // Complete, the same files are measured.
    const QString path = dir.filePath("whole.tif");
    ASSERT_TRUE(Written(path, PaletteTiff(768)));
    const PictureLoad whole = LoadPictureFile(path);
    ASSERT_TRUE(whole.ok()) << Refused(whole).english;
    EXPECT_EQ(whole->pixel(5, 3), qRgb(255, 0, 0));
}

TEST(IncompletePicture, APaletteWithoutItsColourTableIsRefused)
{
    // One value short, libtiff drops the table with a warning, and without
    // one calls the picture grey without a word.
    QTemporaryDir dir;
    for (const auto& [name, bytes, words] :
         {std::tuple{"short-table.tif", PaletteTiff(767),
                     "damaged or unreadable TIFF picture (Incorrect count for \"ColorMap\"; tag ignored)"},
          std::tuple{"no-table.tif", PaletteTiff(0),
                     "damaged TIFF picture: the colour table of its palette is missing"}}) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(name);
        ASSERT_TRUE(Written(path, bytes));
        const auto [whole, streamed] = RefusalsOf(path);
        EXPECT_EQ(whole.english, path.toStdString() + ": " + words);
        EXPECT_EQ(streamed, whole.english);
    }
    EXPECT_EQ(Refused(LoadPictureFile(dir.filePath("no-table.tif"))).german,
              dir.filePath("no-table.tif").toStdString() +
                  ": beschädigtes TIFF-Bild: die Farbtabelle seiner Palette fehlt");

    // Qt's reader, for what is left to it, is held to the warning.
    QByteArray copy = PaletteTiff(767);
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    const std::string qt = Refused(DecodeWithQt(&buffer, "tiff", "short-table.tif")).english;
    EXPECT_TRUE(qt.starts_with("short-table.tif: damaged or unreadable TIFF picture (") &&
                qt.find("Incorrect count for \"ColorMap\"; tag ignored") != std::string::npos)
        << qt;
}
