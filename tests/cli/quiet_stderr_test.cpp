// Standard error carries our own one-line refusals and nothing else: no
// remarks of Qt, libpng, libjpeg or libtiff, whether the picture is refused
// or loads despite them, and a picture too big for the machine is told from
// a damaged one.

#include "cli_runner.h"
#include "picture_bytes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

namespace {

using centrafix::test::CliLimits;
using centrafix::test::RunCli;

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QImage Drawing()
{
    QImage image(160, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(16, 16, 128, 88, Qt::red);
    return image;
}

// A PNG with a text chunk whose checksum is wrong: libpng skips it and warns.
QByteArray PngWithBadTextChunk()
{
    const QByteArray png = centrafix::test::Encoded(Drawing(), "png");
    constexpr qsizetype kAfterHeader = 8 + 25;
    return png.left(kAfterHeader) + QByteArray("\0\0\0\x05tEXtab\0cd\0\0\0\0", 17) + png.mid(kAfterHeader);
}

// A JPEG with stray bytes before its end marker: libjpeg warns of them, and
// the picture is whole. (Spoilt pixels are refused as damaged.)
QByteArray JpegWithStrayBytes()
{
    const QByteArray jpeg = centrafix::test::Encoded(Drawing(), "jpeg");
    return jpeg.chopped(2) + QByteArray("\x12\x34\x56", 3) + jpeg.right(2);
}

} // namespace

TEST(BatchStderr, ARefusedPictureIsOneLineOfOurOwn)
{
    QTemporaryDir dir;
    const QImage drawing = Drawing();
    QByteArray tiff = centrafix::test::Encoded(drawing, "tiff");
    const QByteArray whole = tiff;
    tiff.replace(qFromLittleEndian<quint32>(tiff.constData() + 4) + 2, 36, QByteArray(36, '\xFF'));
    QByteArray png = centrafix::test::Encoded(drawing, "png");
    png.replace(png.indexOf("IDAT") + 6, 10, QByteArray(10, '\0'));
    const QByteArray jpeg = centrafix::test::Encoded(drawing, "jpeg");
    const QByteArray gif = centrafix::test::GifFile(drawing.convertToFormat(QImage::Format_Indexed8));
    const std::pair<const char*, QByteArray> cases[] = {
        {"damaged.tif", tiff},
        {"cut.tif", whole.left(whole.size() / 2)},
        {"damaged.png", png},
        {"cut.png", png.left(png.size() / 2)},
        {"cut.jpg", jpeg.left(jpeg.size() / 2)},
        {"header.jpg", jpeg.left(jpeg.size() / 10)},
        {"cut.gif", gif.left(gif.size() / 2)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(name);
        WriteFile(path, bytes);
        const auto o = RunCli({path});
        EXPECT_EQ(o.exitCode, 2);
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_TRUE(o.err.startsWith("centrafix-cli: " + path + ": ")) << o.err.toStdString();
        EXPECT_EQ(o.err.count('\n'), 1) << o.err.toStdString();
    }
    // What libtiff found goes into that line.
    EXPECT_TRUE(RunCli({dir.filePath("damaged.tif")}).err.contains("\"ImageLength\""));
}

TEST(BatchStderr, AGoodRunSaysNothingEvenWithoutARuntimeDirectory)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain.png"), warnsPng = dir.filePath("warns.png");
    const QString warnsJpeg = dir.filePath("warns.jpg"), annotated = dir.filePath("annotated.png");
    WriteFile(plain, centrafix::test::Encoded(Drawing(), "png"));
    WriteFile(warnsPng, PngWithBadTextChunk());
    WriteFile(warnsJpeg, JpegWithStrayBytes());
    for (const QString& picture : {plain, warnsPng, warnsJpeg}) {
        for (const QStringList& extra : {QStringList{}, QStringList{"--annotated", annotated}}) {
            SCOPED_TRACE((picture + " " + extra.join(' ')).toStdString());
            const auto o = RunCli(QStringList{picture} + extra, "C", {}, {"XDG_RUNTIME_DIR"});
            EXPECT_EQ(o.exitCode, 0);
            EXPECT_EQ(o.err.toStdString(), "");
            EXPECT_TRUE(o.out.contains("Pixels: 160 x 120")) << "and it was measured";
        }
    }
}

TEST(BatchStderr, APictureTooBigForTheMachineIsNotCalledDamaged)
{
    if (!centrafix::test::kAddressLimitsWork)
        GTEST_SKIP() << "the address sanitizer cannot run under an address-space limit";
    QTemporaryDir dir;
    const QString small = dir.filePath("small.png"), big = dir.filePath("big.png");
    WriteFile(small, centrafix::test::Encoded(Drawing(), "png"));
    QImage picture(6000, 6000, QImage::Format_RGB32); // 144 MB once decoded
    picture.fill(Qt::red);
    WriteFile(big, centrafix::test::Encoded(picture, "png"));
    const long long enough = centrafix::test::SmallestAddressSpace({small});
    // The annotated picture needs the picture whole; without it, it would be
    // measured as it is read, in a few megabytes.
    const auto o =
        RunCli({big, "--annotated", dir.filePath("annotated.png")}, "C", CliLimits{-1, enough + (64ll << 20)});
    EXPECT_EQ(o.exitCode, 1) << "as when the analysis runs out of memory";
    EXPECT_EQ(o.err.toStdString(), "centrafix-cli: " + big.toStdString() + ": not enough memory to read the picture\n");
}
