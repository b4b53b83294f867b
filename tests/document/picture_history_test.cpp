// Undo and redo of the working picture: bit for bit in both directions,
// across changes of size and of picture, within the memory it may hold.

#include "document/picture_history.h"

#include <gtest/gtest.h>

#include <QPainter>

using namespace centrafix;

namespace {

constexpr Message kPaint{"Malen", "Paint"};
constexpr Message kCrop{"Zuschneiden", "Crop"};
constexpr Message kOpen{"Öffnen", "Open"};

QImage Canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 3));
    p.drawRect(10, 10, width / 2, height / 3);
    p.drawText(20, height - 20, QStringLiteral("Tragfläche 1:10"));
    return image;
}

QImage Painted(QImage image, QRect rect, QRgb colour)
{
    QPainter p(&image);
    p.fillRect(rect, QColor::fromRgb(colour));
    return image;
}

} // namespace

TEST(PictureHistory, ChangesOfEveryKindUndoAndRedoBitForBit)
{
    PictureHistory history;
    const PictureIdentity plan{"plan.png", "/plans/plan.png", false};
    const PictureIdentity pasted{{}, {}, true};
    std::vector<QImage> pictures{Canvas(400, 300)};
    std::vector<PictureIdentity> identities{plan};
    const auto change = [&](QImage next, const PictureIdentity& identity, const Message& what) {
        history.record(pictures.back(), identities.back(), next, identity, what);
        pictures.push_back(std::move(next));
        identities.push_back(identity);
    };
    change(Painted(pictures.back(), {50, 40, 30, 20}, qRgb(255, 0, 0)), plan, kPaint);
    change(pictures.back().copy(5, 5, 300, 200), plan, kCrop);                     // a smaller picture
    change(Painted(pictures.back(), {0, 0, 1, 1}, qRgb(0, 0, 255)), plan, kPaint); // one corner pixel
    change(Canvas(640, 480), pasted, kOpen);                                       // another picture
    change(Painted(pictures.back(), {600, 400, 40, 80}, qRgb(0, 255, 0)), pasted, kPaint);
    ASSERT_EQ(history.steps(), 5);
    EXPECT_EQ(history.undoName(), &kPaint);
    EXPECT_EQ(history.redoName(), nullptr);

    QImage current = pictures.back();
    PictureIdentity identity = identities.back();
    for (std::size_t i = pictures.size() - 1; i-- > 0;) {
        ASSERT_TRUE(history.canUndo());
        current = history.undo(current, identity);
        EXPECT_EQ(current, pictures[i]) << "undo to " << i;
        EXPECT_EQ(identity, identities[i]) << "undo to " << i;
    }
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(history.redoName(), &kPaint);
    for (std::size_t i = 1; i < pictures.size(); ++i) {
        ASSERT_TRUE(history.canRedo());
        current = history.redo(current, identity);
        EXPECT_EQ(current, pictures[i]) << "redo to " << i;
        EXPECT_EQ(identity, identities[i]) << "redo to " << i;
    }
    EXPECT_FALSE(history.canRedo());

    // A new change after an undo: what could be redone is gone.
    current = history.undo(current, identity);
    history.record(current, identity, Painted(current, {1, 1, 2, 2}, qRgb(255, 255, 0)), identity, kPaint);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.steps(), 5);
}

TEST(PictureHistory, APictureOfAnotherFormatComesBackAsAWorkingCopy)
{
    QImage grey(40, 30, QImage::Format_Grayscale8);
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x)
            grey.scanLine(y)[x] = static_cast<uchar>(x * 6 + y);
    PictureHistory history;
    const QImage opened = Canvas(64, 48);
    history.record(grey, {"scan.png", {}, false}, opened, {"plan.png", {}, false}, kOpen);
    PictureIdentity identity{"plan.png", {}, false};
    EXPECT_EQ(history.undo(opened, identity), grey.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(identity.name, "scan.png");
}

TEST(PictureHistory, ASmallChangeInABigPictureKeepsLittleAndNoChangeKeepsNothing)
{
    const QImage big = Canvas(4000, 3000); // 48 MB of pixels
    PictureHistory history;
    history.record(big, {}, big.copy(), {}, kPaint);
    EXPECT_FALSE(history.canUndo()) << "the same pixels are no change";
    const QImage filled = Painted(big, {1000, 800, 900, 700}, qRgb(255, 0, 0));
    history.record(big, {}, filled, {}, kPaint);
    ASSERT_TRUE(history.canUndo());
    EXPECT_LT(history.bytesHeld(), 100'000) << "the region's difference, compressed";
    PictureIdentity identity;
    EXPECT_EQ(history.undo(filled, identity), big);
}

TEST(PictureHistory, TheOldestStepsGoFirstWhenTheStepsOrTheBudgetRunOut)
{
    PictureHistory many;
    QImage current = Canvas(64, 48);
    for (int i = 0; i < PictureHistory::kMaxSteps + 20; ++i) {
        const QImage next = Painted(current, {i % 64, i % 48, 1, 1}, qRgb(i, 255 - i, 0));
        many.record(current, {}, next, {}, kPaint);
        current = next;
    }
    EXPECT_EQ(many.steps(), PictureHistory::kMaxSteps);

    // Pictures of noise hardly compress: a budget of two and a half of them.
    const auto noise = [](int seed) {
        QImage image(256, 256, QImage::Format_RGB32);
        std::uint32_t x = 2463534242u + static_cast<std::uint32_t>(seed);
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
            for (int c = 0; c < image.width(); ++c) {
                x ^= x << 13, x ^= x >> 17, x ^= x << 5;
                row[c] = 0xFF000000u | (x & 0xFFFFFFu);
            }
        }
        return image;
    };
    const std::int64_t budget = 256 * 256 * 4 * 5 / 2;
    PictureHistory bounded(budget);
    for (int i = 0; i < 6; ++i)
        bounded.record(noise(i), {QString::number(i), {}, false}, noise(i + 1), {QString::number(i + 1), {}, false},
                       kOpen);
    EXPECT_LE(bounded.bytesHeld(), budget);
    EXPECT_EQ(bounded.steps(), 2);
    PictureIdentity identity{"6", {}, false};
    QImage back = bounded.undo(noise(6), identity);
    back = bounded.undo(back, identity);
    EXPECT_EQ(back, noise(4));
    EXPECT_EQ(identity.name, "4");
    EXPECT_FALSE(bounded.canUndo());

    // One step larger than the whole budget is not kept.
    PictureHistory tiny(1000);
    tiny.record(noise(1), {}, noise(2), {}, kPaint);
    EXPECT_FALSE(tiny.canUndo());
    EXPECT_EQ(tiny.bytesHeld(), 0);
}
