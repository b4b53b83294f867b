#include "picture/picture_source.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <map>
#include <vector>

using namespace centrafix;

namespace {

struct Extent {
    int x0 = 1 << 30, x1 = -1, y0 = 1 << 30, y1 = -1;
    int pieces = 0;
};

// Extent and number of 4-connected pieces of every colour in the picture.
std::map<QRgb, Extent> Survey(const QImage& image)
{
    std::map<QRgb, Extent> result;
    const int W = image.width(), H = image.height();
    std::vector<char> seen(static_cast<std::size_t>(W) * H, 0);
    auto at = [&](int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; };
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            Extent& e = result[at(x, y)];
            e.x0 = std::min(e.x0, x);
            e.x1 = std::max(e.x1, x);
            e.y0 = std::min(e.y0, y);
            e.y1 = std::max(e.y1, y);
            if (seen[static_cast<std::size_t>(y) * W + x])
                continue;
            ++e.pieces;
            const QRgb colour = at(x, y);
            std::vector<std::pair<int, int>> stack{{x, y}};
            seen[static_cast<std::size_t>(y) * W + x] = 1;
            while (!stack.empty()) {
                const auto [px, py] = stack.back();
                stack.pop_back();
                const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
                for (int k = 0; k < 4; ++k) {
                    const int nx = px + dx[k], ny = py + dy[k];
                    if (nx < 0 || ny < 0 || nx >= W || ny >= H)
                        continue;
                    char& s = seen[static_cast<std::size_t>(ny) * W + nx];
                    if (!s && at(nx, ny) == colour) {
                        s = 1;
                        stack.emplace_back(nx, ny);
                    }
                }
            }
        }
    }
    return result;
}

} // namespace

TEST(ExamplePicture, MatchesTheDocumentedTable)
{
    const QImage example = ExamplePicture();
    ASSERT_EQ(example.size(), QSize(330, 314));
    EXPECT_EQ(example.format(), QImage::Format_RGB32);
    const auto survey = Survey(example);
    ASSERT_EQ(survey.size(), 5u) << "white, red, black, green and blue only";

    struct Expected {
        QRgb colour;
        int x0, x1, y0, y1, pieces;
    };
    const Expected table[] = {
        {0xFF0000, 112, 241, 0, 312, 4},   // wing, cut by the fuselage and the tanks
        {0x000000, 0, 328, 130, 182, 1},   // fuselage
        {0x00FF00, 114, 249, 70, 242, 2},  // tanks
        {0x0000FF, 278, 324, 100, 212, 2}, // tailplane halves
    };
    for (const Expected& e : table) {
        ASSERT_TRUE(survey.count(e.colour)) << std::hex << e.colour;
        const Extent& got = survey.at(e.colour);
        EXPECT_EQ(got.x0, e.x0) << std::hex << e.colour;
        EXPECT_EQ(got.x1, e.x1) << std::hex << e.colour;
        EXPECT_EQ(got.y0, e.y0) << std::hex << e.colour;
        EXPECT_EQ(got.y1, e.y1) << std::hex << e.colour;
        EXPECT_EQ(got.pieces, e.pieces) << std::hex << e.colour;
    }
    EXPECT_EQ(survey.at(0xFFFFFF).x1, 329);
    EXPECT_EQ(survey.at(0xFFFFFF).y1, 313);

    // The tank rows are 70-83 and 230-242; nothing green between them.
    for (int x = 0; x < 330; ++x)
        for (int y = 84; y < 230; ++y)
            ASSERT_NE(example.pixel(x, y) & 0xFFFFFFu, 0x00FF00u) << x << "," << y;
    // Nearly, not exactly, symmetric about the middle row.
    int asymmetric = 0;
    for (int y = 0; y < 157; ++y)
        for (int x = 0; x < 330; ++x)
            asymmetric += example.pixel(x, y) != example.pixel(x, 313 - y);
    EXPECT_GT(asymmetric, 0);
    EXPECT_LT(asymmetric, 330 * 314 / 20);
}

TEST(ExamplePicture, CommittedFileIsWhatTheGeneratorDraws)
{
    QTemporaryDir dir;
    const QString drawn = dir.filePath("example.bmp");
    ASSERT_EQ(QProcess::execute(CENTRAFIX_MAKE_EXAMPLE, {drawn}), 0);
    QFile a(drawn), b(CENTRAFIX_EXAMPLE_BMP);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    EXPECT_TRUE(a.readAll() == b.readAll());
}
