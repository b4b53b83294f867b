// Cleaning up a scanned or compressed drawing before measuring: the areas and
// outlines come back to those of the clean drawing.

#include "engine/analysis_run.h"
#include "picture/picture_ops.h"
#include "picture/picture_source.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

using namespace centrafix;

namespace {

struct Measures {
    std::array<double, 8> area{};
    std::array<double, 8> outline{};
};

Measures Measure(const QImage& picture)
{
    AnalysisInputs in;
    in.ticked.fill(true);
    ColorObjectTable objects = MakeColorObjects(kEnglish);
    AnalysisObserver quiet;
    RunAnalysis(RasterViewOf(picture), objects, *PrepareRun(in), in, quiet);
    Measures m;
    for (std::size_t i = 1; i < 8; ++i) {
        m.area[i] = objects[i].Area;
        m.outline[i] = objects[i].Outline;
    }
    return m;
}

QImage Jpeg(const QImage& picture, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    EXPECT_TRUE(picture.save(&buffer, "JPEG", quality));
    return ToWorkingCopy(QImage::fromData(bytes, "JPEG"));
}

void ExpectClose(const Measures& got, const Measures& clean, const char* what)
{
    for (std::size_t i = 1; i < 8; ++i) {
        if (clean.area[i] == 0)
            continue;
        SCOPED_TRACE(testing::Message() << what << ", colour " << i);
        EXPECT_NEAR(got.area[i], clean.area[i], clean.area[i] * 0.01);
        EXPECT_NEAR(got.outline[i], clean.outline[i], clean.outline[i] * 0.03);
    }
}

TEST(CleanUp, AJpegAndAnAntiAliasedDrawingMeasureAsTheCleanDrawing)
{
    const QImage example = ExamplePicture();
    const QSize big = example.size() * 4;
    const QImage clean = ToWorkingCopy(example.scaled(big, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    const QImage smooth = ToWorkingCopy(example.scaled(big, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    const Measures expected = Measure(clean);

    const Measures jpegAsIs = Measure(Jpeg(clean, 75));
    EXPECT_GT(jpegAsIs.outline[2], expected.outline[2] * 1.5) << "without clean-up the outlines are far too long";

    std::int64_t changed = 0;
    ExpectClose(Measure(CleanedUpPicture(Jpeg(clean, 75), 200, &changed)), expected, "JPEG");
    EXPECT_GT(changed, 0);
    ExpectClose(Measure(CleanedUpPicture(smooth, 200)), expected, "anti-aliased");
    EXPECT_EQ(CleanedUpPicture(clean, 200), clean) << "a clean drawing stays as it is";
}

} // namespace
