// The batch command measures a picture as it reads it unless an output needs
// the picture itself: the same JSON, in far less memory than the picture.

#include "cli_runner.h"

#include <gtest/gtest.h>

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
