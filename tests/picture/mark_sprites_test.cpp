#include "picture/mark_sprites.h"

#include "engine/raster.h"

#include <gtest/gtest.h>

#include <QPainter>

using namespace centrafix;

namespace {

// A plot over a grey picture: the total and two colours, labels included.
struct Plot {
    ColorObjectTable objects = MakeColorObjects(kGerman);
    RunValues values;
    static constexpr double OriginX = 12.5;
    static constexpr double OriginY = 7.0;

    Plot()
    {
        values.ScaleFactor = 0.5;
        const struct {
            std::size_t entry;
            double cgX, cgY, acX;
        } places[] = {{0, 120.4, 90.7, 150.2}, {1, 60.5, 40.5, 70.9}, {3, 200.2, 150.8, 230.5}};
        for (const auto& p : places) {
            objects[p.entry].Area = 1.0;
            values.CGPoint[p.entry] = {p.cgX * 0.5 - OriginX, p.cgY * 0.5 - OriginY};
            values.ACPoint[p.entry].x = p.acX * 0.5 - OriginX;
        }
    }
};

QImage Grey()
{
    QImage image(320, 220, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    return image;
}

} // namespace

// At 1:1 the window lays the sprites over the picture; what it shows must be
// the very picture the bitmap copy and the batch command draw.
TEST(MarkSprites, LaidOverThePictureAt1To1TheyAreThePlotsPixels)
{
    const Plot plot;
    for (const PlotChoice choice : {PlotChoice{false, false}, PlotChoice{true, true}, PlotChoice{false, true}}) {
        PictureArea drawn;
        drawn.setPicture(Grey());
        PlotResults(drawn, plot.objects, plot.values, Plot::OriginX, Plot::OriginY, choice, kGerman);

        QImage laid = Grey();
        QPainter painter(&laid);
        const std::optional<MarkSprite> origin = OriginSprite({Plot::OriginX / 0.5, Plot::OriginY / 0.5});
        ASSERT_TRUE(origin);
        painter.drawImage(origin->anchor - origin->hotSpot, origin->image);
        const std::vector<PlotItem> items =
            ResultMarks(plot.objects, plot.values, Plot::OriginX, Plot::OriginY, kGerman);
        for (const MarkSprite& sprite : MarkSprites(items))
            if (Shown(sprite.shows, choice))
                painter.drawImage(sprite.anchor - sprite.hotSpot, sprite.image);
        painter.end();
        EXPECT_EQ(laid, drawn.image()) << "A.C. " << choice.showAC << ", C.G. " << choice.showCG;
    }
}

TEST(MarkSprites, APositionThatIsNoPixelHasNoSprite)
{
    PlotItem far;
    far.x = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(MarkSprites({far}).empty());
    EXPECT_FALSE(OriginSprite({std::nan(""), 0.0}));
}
