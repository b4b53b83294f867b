// Pictures as an unlucky download or a hostile sender delivers them: cut
// short, damaged, or no files at all. Each is refused with a reason that
// says which; a complete file of each kind still loads.

#include "picture/picture_source.h"
#include "picture_bytes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace centrafix;

namespace {

std::string Why(const PictureLoad& load, int language = kEnglish)
{
    return load.ok() ? std::string() : ErrorText(load.error(), language);
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// White with a red wing and a blue tail, in the three colours the indexed
// formats keep exactly.
QImage Drawing()
{
    QImage image(160, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(16, 16, 128, 88, Qt::red);
    painter.fillRect(48, 40, 32, 40, Qt::blue);
    return image;
}

QImage Indexed(const QImage& drawing)
{
    return drawing.convertToFormat(QImage::Format_Indexed8, {qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 0, 255)},
                                   Qt::ThresholdDither | Qt::AvoidDither);
}

struct PictureCase {
    const char* fileName;
    const char* format; // as the refusal names it
    QByteArray bytes;
};

std::vector<PictureCase> EveryCompressedKind()
{
    const QImage drawing = Drawing();
    const QImage indexed = Indexed(drawing);
    return {
        {"baseline.jpg", "JPEG", test::Encoded(drawing, "jpeg")},
        {"progressive.jpg", "JPEG", test::Encoded(drawing, "jpeg", true)},
        {"picture.gif", "GIF", test::GifFile(indexed)},
        {"rle8.bmp", "BMP", test::RleBitmap(indexed, 8)},
        {"rle4.bmp", "BMP", test::RleBitmap(indexed, 4)},
        {"picture.png", "PNG", test::Encoded(drawing, "png")},
        {"picture.tif", "TIFF", test::Encoded(drawing, "tiff")},
    };
}

bool Near(QRgb got, QRgb want)
{
    return std::abs(qRed(got) - qRed(want)) + std::abs(qGreen(got) - qGreen(want)) +
               std::abs(qBlue(got) - qBlue(want)) <=
           24;
}

} // namespace

TEST(HostilePicture, ACutFileIsRefusedWhereQtWouldFillTheRest)
{
    QTemporaryDir dir;
    for (const PictureCase& c : EveryCompressedKind()) {
        SCOPED_TRACE(c.fileName);
        const QString whole = dir.filePath(c.fileName);
        WriteFile(whole, c.bytes);
        const PictureLoad load = LoadPictureFile(whole);
        ASSERT_TRUE(load.ok()) << Why(load);
        ASSERT_EQ(load->size(), QSize(160, 120));
        EXPECT_TRUE(Near(load->pixel(20, 20), qRgb(255, 0, 0)) && Near(load->pixel(60, 60), qRgb(0, 0, 255)) &&
                    Near(load->pixel(150, 110), qRgb(255, 255, 255)));

        // In the header, early in the pixels, and just before the end.
        for (const double part : {0.3, 0.6, 0.9}) {
            SCOPED_TRACE(part);
            const QString cut = dir.filePath(QStringLiteral("cut-%1").arg(c.fileName));
            WriteFile(cut, c.bytes.left(static_cast<qsizetype>(c.bytes.size() * part)));
            const std::string why = Why(LoadPictureFile(cut));
            EXPECT_EQ(why, cut.toStdString() + ": damaged or incomplete " + c.format +
                               " picture: the file ends before the picture does");
        }
    }
    const QString cut = dir.filePath("cut.gif");
    WriteFile(cut, test::GifFile(Indexed(Drawing())).chopped(100));
    EXPECT_EQ(Why(LoadPictureFile(cut), kGerman),
              cut.toStdString() + ": beschädigtes oder unvollständiges GIF-Bild: die Datei endet vor dem Bild");
}

TEST(HostilePicture, WhatIsNoFileIsSaidSoAndNeverReadFrom)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.png"), socketPath = dir.filePath("socket.png");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(socketPath).constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

    // Opening the FIFO would wait for a writer for ever; /dev/zero never ends.
    const std::pair<QString, std::string> cases[] = {
        {fifo, "is a FIFO (named pipe), not a picture file"}, {socketPath, "is a socket, not a picture file"},
        {dir.path(), "is a folder, not a picture file"},      {"/dev/zero", "is a device, not a picture file"},
        {dir.filePath("missing.png"), "no such file"},
    };
    for (const auto& [path, reason] : cases)
        EXPECT_EQ(Why(LoadPictureFile(path)), path.toStdString() + ": " + reason);
    EXPECT_EQ(Why(LoadPictureFile(fifo), kGerman),
              fifo.toStdString() + ": ist eine FIFO (benannte Pipe), keine Bilddatei");
    EXPECT_EQ(Why(LoadPictureFile(QString())), "the picture's file name is empty");
    ::close(listener);
}

TEST(HostilePicture, ADamagedFileIsRefusedInTheLibrarysWordsOnOneLine)
{
    const QImage drawing = Drawing();
    // The first entries of the TIFF's directory overwritten: libtiff misses
    // the picture's height, and says so.
    QByteArray tiff = test::Encoded(drawing, "tiff");
    const qsizetype directory = qFromLittleEndian<quint32>(tiff.constData() + 4);
    tiff.replace(directory + 2, 36, QByteArray(36, '\xFF'));
    // The compressed pixels of the PNG zeroed.
    QByteArray png = test::Encoded(drawing, "png");
    png.replace(png.indexOf("IDAT") + 6, 10, QByteArray(10, '\0'));

    // Found by fuzzing: a JPEG header Qt fails on without saying its format.
    const QByteArray jpeg(
        "\xFF\xD8\xFF\xE0\x00\x10\x4A\x46\x11\x49\x46\x00\x01\x00\x01\x00\x00\x00\x00\x00\x00\x00"
        "\x01\x11\x31\x41\x51\x61\xC1\xFF\xD8\xA2\xF4\x1A\xFF\x29\x2C\x30\x31\x34\x34\x34\x11\x00",
        44);

    QTemporaryDir dir;
    for (const auto& [name, bytes, words] :
         {std::tuple{"damaged.tif", tiff, "damaged or unreadable TIFF picture (" /* then libtiff's */},
          std::tuple{"damaged.png", png, "damaged or unreadable PNG picture ("},
          std::tuple{"damaged.jpg", jpeg, "damaged or unreadable JPEG picture ("}}) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(name);
        WriteFile(path, bytes);
        const std::string why = Why(LoadPictureFile(path));
        EXPECT_TRUE(why.starts_with(path.toStdString() + ": " + words)) << why;
        EXPECT_EQ(why.find('\n'), std::string::npos) << why;
        EXPECT_EQ(why.find("Unable to read image data"), std::string::npos) << "Qt's words say nothing: " << why;
    }
    EXPECT_NE(Why(LoadPictureFile(dir.filePath("damaged.tif"))).find("ImageLength"), std::string::npos);
}
