// The batch command measures a picture as it reads it unless an output needs
// the picture itself: the same JSON, in far less memory than the picture.

#include "cli_runner.h"
#include "picture_bytes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

using centrafix::test::RunCli;
using centrafix::test::SmallestAddressSpace;

TEST(StreamedRun, MeasuresWithoutHoldingThePictureAndSaysTheSame)
{
    if (!centrafix::test::kAddressLimitsWork)
        GTEST_SKIP() << "the address sanitizer cannot run under an address-space limit";
    QTemporaryDir dir;
    const QString picture = dir.filePath("big.png"), annotated = dir.filePath("annotated.png");
    QImage big(4000, 4000, QImage::Format_RGB32); // 64 MB once decoded
    big.fill(Qt::white);
    {
        QPainter painter(&big);
        painter.fillRect(400, 1000, 3000, 500, QColor(255, 0, 0));
        painter.fillRect(1800, 300, 400, 3400, QColor(0, 0, 0));
    }
    ASSERT_TRUE(big.save(picture));
    const QStringList streamed = {picture, "--json", "--scale", "1/1000"};
    const QStringList whole = streamed + QStringList{"--annotated", annotated};
    const auto s = RunCli(streamed), w = RunCli(whole);
    ASSERT_EQ(s.exitCode, 0) << s.err.toStdString();
    ASSERT_EQ(w.exitCode, 0) << w.err.toStdString();
    EXPECT_EQ(s.out, w.out);
    EXPECT_LT(SmallestAddressSpace(streamed) + (64ll << 20), SmallestAddressSpace(whole));
}

TEST(StreamedRun, AHeaderAnnouncingGigabytesIsRefusedInTheMemoryOfASmallPicture)
{
    if (!centrafix::test::kAddressLimitsWork)
        GTEST_SKIP() << "the address sanitizer cannot run under an address-space limit";
    QTemporaryDir dir;
    const QString small = dir.filePath("small.png");
    QImage drawing(171, 246, QImage::Format_RGB32);
    drawing.fill(Qt::white);
    QPainter(&drawing).fillRect(20, 30, 100, 150, Qt::red);
    ASSERT_TRUE(drawing.save(small));
    // A progressive JPEG of a few kilobytes announcing 30000 x 30000 pixels,
    // whose coefficients alone would take 2.7 GB.
    const QString patched = dir.filePath("patched.jpg");
    QFile file(patched);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(centrafix::test::JpegAnnouncing(centrafix::test::Encoded(drawing, "jpeg", true), 30000, 30000));
    file.close();
    const long long enough = SmallestAddressSpace({small});
    const auto o = RunCli({patched}, "C", centrafix::test::CliLimits{-1, enough + (32ll << 20)});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_EQ(o.err.toStdString(), "centrafix-cli: " + patched.toStdString() +
                                       ": damaged or incomplete JPEG picture: the file ends before the picture does\n");
}
