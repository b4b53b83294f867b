// Straightening a photographed drawing: the areas it measures afterwards,
// what it keeps of the picture, and what it refuses.

#include "picture/edits/plan_geometry.h"

#include "geometry_expect.h"
#include "picture/formats/working_copy.h"
#include "picture/picture_ops.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <set>

using namespace centrafix;
using centrafix::test::ExpectRefused;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kBlue = 0xFF0000FFu;

double ShoelaceArea(const QPolygonF& polygon)
{
    double twice = 0;
    for (qsizetype i = 0; i < polygon.size(); ++i) {
        const QPointF a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return std::abs(twice) / 2;
}

std::int64_t Count(const QImage& picture, std::uint32_t word)
{
    std::int64_t n = 0;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        n += std::count_if(row, row + picture.width(), [&](QRgb c) { return (c | 0xFF000000u) == word; });
    }
    return n;
}

// A model plan as drawn, in millimetres: a black frame of 280 x 180 around a
// red wing and a blue tail, on a white sheet a little larger.
struct Plan {
    static constexpr double kWidth = 280, kHeight = 180;
    QPolygonF wing{{30, 60}, {140, 45}, {250, 60}, {250, 85}, {140, 97}, {30, 85}};
    QPolygonF tail{{100, 128}, {140, 122}, {180, 128}, {180, 146}, {140, 152}, {100, 146}};

    void paint(QPainter& p) const
    {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(-12, -12, kWidth + 24, kHeight + 24));
        QPainterPath frame;
        frame.addRect(QRectF(-0.75, -0.75, kWidth + 1.5, kHeight + 1.5));
        frame.addRect(QRectF(0.75, 0.75, kWidth - 1.5, kHeight - 1.5));
        p.setBrush(Qt::black);
        p.drawPath(frame);
        p.setBrush(QColor(255, 0, 0));
        p.drawPolygon(wing);
        p.setBrush(QColor(0, 0, 255));
        p.drawPolygon(tail);
    }
};

void BoxBlur(QImage& picture)
{
    const QImage original = picture.copy();
    for (int y = 1; y + 1 < picture.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 1; x + 1 < picture.width(); ++x) {
            int r = 0, g = 0, b = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                const auto* in = reinterpret_cast<const QRgb*>(original.constScanLine(y + dy));
                for (int dx = -1; dx <= 1; ++dx)
                    r += qRed(in[x + dx]), g += qGreen(in[x + dx]), b += qBlue(in[x + dx]);
            }
            out[x] = qRgb(r / 9, g / 9, b / 9);
        }
    }
}

void AddNoise(QImage& picture, int amplitude)
{
    std::mt19937 random(22);
    std::uniform_int_distribution<int> noise(-amplitude, amplitude);
    const auto moved = [&](int c) { return std::clamp(c + noise(random), 0, 255); };
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            row[x] = qRgb(moved(qRed(row[x])), moved(qGreen(row[x])), moved(qBlue(row[x])));
    }
}

QImage ThroughJpeg(const QImage& picture, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    EXPECT_TRUE(picture.save(&buffer, "JPEG", quality));
    return ToWorkingCopy(QImage::fromData(bytes, "JPEG"));
}

// A picture of random colours: none of it flat, every pixel told apart.
QImage RandomPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, 0xFF000000u | (random() & 0xFFFFFFu));
    return picture;
}

std::array<QPointF, 4> Corners(double left, double top, double right, double bottom)
{
    return {QPointF(left, top), QPointF(right, top), QPointF(right, bottom), QPointF(left, bottom)};
}

TEST(Straighten, APhotographedPlanMeasuresItsTrueAreas)
{
    // The plan photographed at an angle and turned a little: its frame's
    // corners land on this quadrilateral of a 2400 x 1800 photo.
    const Plan plan;
    QTransform toPhoto;
    ASSERT_TRUE(QTransform::quadToQuad(QPolygonF(QRectF(0, 0, Plan::kWidth, Plan::kHeight)).mid(0, 4),
                                       QPolygonF{{330, 260}, {2120, 170}, {2260, 1640}, {180, 1500}}, toPhoto));
    QImage photo(2400, 1800, QImage::Format_RGB32);
    photo.fill(QColor(90, 80, 70)); // the table
    {
        QPainter p(&photo);
        p.setRenderHint(QPainter::Antialiasing);
        p.setTransform(toPhoto);
        plan.paint(p);
    }
    BoxBlur(photo);
    AddNoise(photo, 12);
    photo = ThroughJpeg(photo, 85);

    // Clicked as a user clicks them: on the pixel holding the corner.
    std::array<QPointF, 4> corners;
    const QPolygonF frame = QPolygonF(QRectF(0, 0, Plan::kWidth, Plan::kHeight)).mid(0, 4);
    for (int i = 0; i < 4; ++i) {
        const QPointF at = toPhoto.map(frame[i]);
        corners[static_cast<std::size_t>(i)] = QPointF(std::floor(at.x()), std::floor(at.y()));
    }
    const Result<StraightenedPlan> straightened =
        StraightenPicture(photo, corners, QSizeF(Plan::kWidth, Plan::kHeight));
    ASSERT_TRUE(straightened.ok()) << ErrorText(straightened.error(), kEnglish);
    const QImage cleaned = CleanedUpPicture(straightened->picture, 200.0);
    const double pixelArea = straightened->unitsPerPixel * straightened->unitsPerPixel;
    EXPECT_NEAR(Count(cleaned, kRed) * pixelArea, ShoelaceArea(plan.wing), ShoelaceArea(plan.wing) * 0.015);
    EXPECT_NEAR(Count(cleaned, kBlue) * pixelArea, ShoelaceArea(plan.tail), ShoelaceArea(plan.tail) * 0.015);
    // The frame lies where the rectangle is said to be, its sides the
    // known size at that scale.
    const QRect r = straightened->rectangle;
    EXPECT_NEAR(r.width() - 1, Plan::kWidth / straightened->unitsPerPixel, 1.0);
    EXPECT_NEAR(r.height() - 1, Plan::kHeight / straightened->unitsPerPixel, 1.0);
    for (const QPoint corner : {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()})
        EXPECT_EQ(cleaned.pixel(corner) | 0xFF000000u, kBlack) << corner.x() << ", " << corner.y();
    // The whole sheet is kept, the table around it only so far.
    EXPECT_EQ(cleaned.pixel(r.center() + QPoint(0, r.height() / 2 + 20)) | 0xFF000000u, kWhite);
    EXPECT_LE(qint64(cleaned.width()) * cleaned.height(), 4 * qint64(photo.width()) * photo.height());
}

TEST(Straighten, AnUnskewedRectangleIsTheIdentityUpToScale)
{
    const QImage picture = RandomPicture(40, 30);
    const Result<StraightenedPlan> same = StraightenPicture(picture, Corners(0, 0, 39, 29), QSizeF(39 * 2.5, 29 * 2.5));
    ASSERT_TRUE(same.ok()) << ErrorText(same.error(), kEnglish);
    EXPECT_EQ(same->picture, picture);
    EXPECT_DOUBLE_EQ(same->unitsPerPixel, 2.5);
    EXPECT_EQ(same->rectangle, QRect(0, 0, 40, 30));

    // Begun at the photo's top right, the drawing's own top left: the
    // drawing is turned upright, a quarter turn counterclockwise.
    const Result<StraightenedPlan> turned =
        StraightenPicture(picture, {QPointF(39, 0), QPointF(39, 29), QPointF(0, 29), QPointF(0, 0)}, QSizeF(29, 39));
    ASSERT_TRUE(turned.ok()) << ErrorText(turned.error(), kEnglish);
    ASSERT_EQ(turned->picture.size(), QSize(30, 40));
    EXPECT_DOUBLE_EQ(turned->unitsPerPixel, 1.0);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(turned->picture.pixel(x, y), picture.pixel(39 - y, x)) << x << ", " << y;

    // Painted in the eight colours, resampled by the nearest pixel: the
    // same, to the last row and column.
    QImage painted(40, 30, QImage::Format_RGB32);
    std::mt19937 random(9);
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x)
            painted.setPixel(x, y, ToRasterWord(kObjectColors[random() % kObjectColors.size()]));
    for (const auto& [corners, size] :
         {std::pair{Corners(0, 0, 39, 29), QSizeF(39, 29)}, std::pair{Corners(5, 4, 25, 14), QSizeF(20, 10)}}) {
        const Result<StraightenedPlan> flat = StraightenPicture(painted, corners, size);
        ASSERT_TRUE(flat.ok()) << ErrorText(flat.error(), kEnglish);
        EXPECT_EQ(flat->picture, painted);
    }

    // A rectangle inside the picture, the rest kept around it.
    const Result<StraightenedPlan> inner = StraightenPicture(picture, Corners(5, 4, 25, 14), QSizeF(10, 5));
    ASSERT_TRUE(inner.ok()) << ErrorText(inner.error(), kEnglish);
    EXPECT_EQ(inner->picture, picture);
    EXPECT_DOUBLE_EQ(inner->unitsPerPixel, 0.5);
    EXPECT_EQ(inner->rectangle, QRect(QPoint(5, 4), QPoint(25, 14)));
}

// True when every pixel of `picture` whose colour is not in `palette` lies
// on a border: two palette colours within two pixels of it.
bool NewColoursOnlyOnBorders(const QImage& picture, const std::set<QRgb>& palette)
{
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            if (palette.count(picture.pixel(x, y)))
                continue;
            std::set<QRgb> near;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (picture.valid(x + dx, y + dy) && palette.count(picture.pixel(x + dx, y + dy)))
                        near.insert(picture.pixel(x + dx, y + dy));
            if (near.size() < 2)
                return false;
        }
    return true;
}

TEST(Straighten, FlatColoursStayFlat)
{
    QImage painted(200, 150, QImage::Format_RGB32);
    painted.fill(Qt::white);
    {
        QPainter p(&painted);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 0, 0));
        p.drawPolygon(QPolygonF{{20, 30}, {180, 20}, {170, 70}, {30, 60}});
        p.setBrush(QColor(0, 0, 255));
        p.drawRect(60, 90, 80, 40);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(150, 110), 20, 15);
    }
    const auto corners = std::array<QPointF, 4>{QPointF(10, 8), QPointF(190, 20), QPointF(185, 140), QPointF(5, 130)};

    // Painted in the eight colours only: no new colour at all.
    const Result<StraightenedPlan> fromPainted = StraightenPicture(painted, corners, QSizeF(100, 70));
    ASSERT_TRUE(fromPainted.ok()) << ErrorText(fromPainted.error(), kEnglish);
    EXPECT_EQ(Count(fromPainted->picture, kWhite) + Count(fromPainted->picture, kRed) +
                  Count(fromPainted->picture, kBlue) + Count(fromPainted->picture, kBlack),
              qint64(fromPainted->picture.width()) * fromPainted->picture.height());

    // On a paper that is not quite white it is a photo: mixed colours, but
    // only along the borders.
    QImage onPaper = painted.copy();
    const QRgb paper = qRgb(250, 248, 240);
    for (int y = 0; y < onPaper.height(); ++y)
        for (int x = 0; x < onPaper.width(); ++x)
            if (onPaper.pixel(x, y) == kWhite)
                onPaper.setPixel(x, y, paper);
    const Result<StraightenedPlan> fromPhoto = StraightenPicture(onPaper, corners, QSizeF(100, 70));
    ASSERT_TRUE(fromPhoto.ok()) << ErrorText(fromPhoto.error(), kEnglish);
    EXPECT_TRUE(NewColoursOnlyOnBorders(fromPhoto->picture, {paper, kWhite, kRed, kBlue, kBlack}));
    EXPECT_GT(Count(fromPhoto->picture, kRed), 0);
    // The same areas, but for the mixed borders.
    EXPECT_NEAR(Count(fromPhoto->picture, kBlue), Count(fromPainted->picture, kBlue),
                Count(fromPainted->picture, kBlue) * 0.05);
}

TEST(Straighten, APhotoReachingOverTheHorizonStaysBounded)
{
    // The sides of the rectangle meet at row 89: the photo's rows above are
    // sky, beyond the drawing's plane, and must not come back mirrored.
    QImage photo(200, 200, QImage::Format_RGB32);
    photo.fill(Qt::black);
    const Result<StraightenedPlan> s = StraightenPicture(
        photo, {QPointF(90, 100), QPointF(110, 100), QPointF(199, 199), QPointF(0, 199)}, QSizeF(100, 100));
    ASSERT_TRUE(s.ok()) << ErrorText(s.error(), kEnglish);
    const QImage& out = s->picture;
    EXPECT_LE(qint64(out.width()) * out.height(), 4 * 200 * 200);
    EXPECT_TRUE(out.rect().contains(s->rectangle));
    std::int64_t belowTheSheet = 0;
    for (int y = s->rectangle.bottom() + 3; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            belowTheSheet += (out.pixel(x, y) | 0xFF000000u) != kWhite ? 1 : 0;
    EXPECT_EQ(belowTheSheet, 0);
    EXPECT_EQ(Count(out.copy(s->rectangle), kBlack), qint64(s->rectangle.width()) * s->rectangle.height());
    // Above the rectangle lies the photo between its far side and the horizon.
    EXPECT_EQ(out.pixel(s->rectangle.center().x(), s->rectangle.top() - 3) | 0xFF000000u, kBlack);
}

TEST(Straighten, KeepsNothingBeyondThePhotosOwnExtent)
{
    // Rectangles in mild perspective, begun at any of their corners: the
    // result is the photo as straightened, without white rows or columns
    // around it (but for one at an edge where a corner of it ends between
    // two pixel centres).
    QImage photo(120, 90, QImage::Format_RGB32);
    photo.fill(Qt::black);
    std::mt19937 random(11);
    std::uniform_real_distribution<double> jitter(-8.0, 8.0);
    for (int i = 0; i < 24; ++i) {
        std::array<QPointF, 4> drawn = Corners(20, 15, 100, 75);
        for (QPointF& corner : drawn)
            corner += QPointF(std::round(jitter(random)), std::round(jitter(random)));
        std::array<QPointF, 4> corners;
        for (int k = 0; k < 4; ++k)
            corners[static_cast<std::size_t>(k)] = drawn[static_cast<std::size_t>((k + i) % 4)];
        const Result<StraightenedPlan> s = StraightenPicture(photo, corners, QSizeF(40, 30));
        ASSERT_TRUE(s.ok()) << ErrorText(s.error(), kEnglish);
        int whiteRows = 0, whiteColumns = 0;
        for (int y = 0; y < s->picture.height(); ++y)
            whiteRows += Count(s->picture.copy(0, y, s->picture.width(), 1), kBlack) == 0 ? 1 : 0;
        for (int x = 0; x < s->picture.width(); ++x)
            whiteColumns += Count(s->picture.copy(x, 0, 1, s->picture.height()), kBlack) == 0 ? 1 : 0;
        EXPECT_LE(whiteRows, 2) << "quadrilateral " << i;
        EXPECT_LE(whiteColumns, 2) << "quadrilateral " << i;
    }
}

TEST(Straighten, RefusesWhatIsNoRectangleAndMakesNothing)
{
    const QImage picture = RandomPicture(100, 100);
    const QSizeF size(50, 50);
    const auto square = Corners(10, 10, 90, 90);
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();

    ExpectRefused(StraightenPicture(QImage(), square, size), "no picture");
    for (const QSizeF bad : {QSizeF(0, 50), QSizeF(50, -1), QSizeF(nan, 50), QSizeF(50, inf)})
        ExpectRefused(StraightenPicture(picture, square, bad), "width and height");
    ExpectRefused(StraightenPicture(picture, {QPointF(-1, 10), square[1], square[2], square[3]}, size), "(-1, 10)");
    ExpectRefused(StraightenPicture(picture, {square[0], QPointF(100, 10), square[2], square[3]}, size),
                  "outside the picture (100 x 100 pixels)");
    ExpectRefused(StraightenPicture(picture, {square[0], square[1], QPointF(nan, 90), square[3]}, size), "finite");
    ExpectRefused(StraightenPicture(picture, {square[0], square[1], square[1], square[3]}, size), "corners 2 and 3");
    ExpectRefused(StraightenPicture(picture, {square[0], square[1], QPointF(90.5, 10.5), square[3]}, size), "coincide");
    ExpectRefused(
        StraightenPicture(picture, {QPointF(10, 10), QPointF(50, 10), QPointF(90, 10), QPointF(50, 90)}, size),
        "corners 1, 2 and 3 lie");
    ExpectRefused(
        StraightenPicture(picture, {QPointF(10, 10), QPointF(90, 90), QPointF(90, 10), QPointF(10, 90)}, size),
        "cross");
    ExpectRefused(
        StraightenPicture(picture, {QPointF(10, 10), QPointF(90, 10), QPointF(50, 30), QPointF(10, 90)}, size),
        "corner 3 points inwards");
    ExpectRefused(StraightenPicture(picture, {square[0], square[3], square[2], square[1]}, size), "counterclockwise");
    ExpectRefused(StraightenPicture(picture, square, QSizeF(1e6, 1)), "megapixel limit");
}

} // namespace
