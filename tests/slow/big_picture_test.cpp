// Big pictures: minutes of memory traffic and hundreds of megabytes, so they
// run with "ctest --preset slow", not in every test run.

#include "picture/picture_source.h"
#include "picture_bytes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace centrafix;
using test::BitmapHeader;
using test::PeakResidentKilobytes;

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
        const QByteArray row =
            QByteArray("\x00\x00\xFF", 3).repeated(kSide / 2) + QByteArray("\xFF\x00\x00", 3).repeated(kSide / 2);
        for (int y = 0; y < kSide; ++y)
            ASSERT_EQ(file.write(row), row.size());
    }
    const qint64 before = PeakResidentKilobytes();
    const PictureLoad load = LoadPictureFile(path);
    const qint64 after = PeakResidentKilobytes();
    ASSERT_TRUE(load.ok()) << ErrorText(load.error(), kEnglish);
    ASSERT_EQ(load->size(), QSize(kSide, kSide));
    EXPECT_EQ(load->format(), QImage::Format_RGB32);
    EXPECT_EQ(load->pixel(0, 0) & 0xFFFFFFu, 0xFF0000u);
    EXPECT_EQ(load->pixel(kSide - 1, kSide - 1) & 0xFFFFFFu, 0x0000FFu);
    const qint64 pictureKb = qint64(kSide) * kSide * 4 / 1024;
    if (before > 0 && after > 0) {
        EXPECT_LT(after - before, pictureKb * 3 / 2) << "peak grew by " << after - before << " kB";
    }
}
