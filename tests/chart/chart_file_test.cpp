// The chart as a file: PNG or SVG by the name, readable by what reads those,
// and nothing written for any other name or where writing fails.

#include "chart/chart_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <vector>

namespace centrafix {
namespace {

SpanwiseSamples SomeSamples()
{
    static const std::vector<double> chord = [] {
        std::vector<double> c(301, 0.0);
        for (int y = 50; y < 250; ++y)
            c[static_cast<std::size_t>(y)] = 80.0 + (y % 40);
        return c;
    }();
    return SampleLoadingTable(LoadingTable(chord, 300, 150.0, "."), "mm");
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(LoadingChartFile, PngAndSvgByTheNameReadBack)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("chart.png"), svg = dir.filePath("chart.SVG");
    ASSERT_FALSE(WriteChartFile(png, SomeSamples(), kEnglish));
    ASSERT_FALSE(WriteChartFile(svg, SomeSamples(), kGerman));

    const QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), kChartFileSize);
    EXPECT_TRUE(Read(png).startsWith("\x89PNG"));
    int coloured = 0;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            coloured += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
    EXPECT_GT(coloured, 1000) << "lines, axes and texts drawn, not a blank page";

    const QByteArray text = Read(svg);
    EXPECT_TRUE(text.contains("<svg")) << text.left(200).toStdString();
    EXPECT_TRUE(text.contains("</svg>"));
    EXPECT_TRUE(text.contains("Profiltiefe")) << "the German legend as text";
}

TEST(LoadingChartFile, AnyOtherNameOrAFailedWriteLeavesWhatWasThere)
{
    QTemporaryDir dir;
    for (const char* name : {"chart.jpg", "chart", "chart.png.txt"}) {
        const QString path = dir.filePath(name);
        const std::optional<Error> error = WriteChartFile(path, SomeSamples(), kEnglish);
        ASSERT_TRUE(error) << name;
        const std::string text = ErrorText(*error, kEnglish);
        EXPECT_NE(text.find(path.toStdString()), std::string::npos) << text;
        EXPECT_NE(text.find(".png or .svg"), std::string::npos) << text;
        EXPECT_FALSE(QFile::exists(path)) << name;
    }

    // The longest name a file may have: the new file cannot be made beside
    // the old one, whoever runs this.
    const QString old = dir.filePath(QString(251, u'c') + ".svg");
    QFile file(old);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("old");
    file.close();
    const std::optional<Error> error = WriteChartFile(old, SomeSamples(), kGerman);
    ASSERT_TRUE(error);
    const std::string text = ErrorText(*error, kGerman);
    EXPECT_NE(text.find(old.toStdString()), std::string::npos) << text;
    EXPECT_NE(text.find("Diagramm"), std::string::npos) << text;
    EXPECT_EQ(Read(old), "old");
}

} // namespace
} // namespace centrafix
