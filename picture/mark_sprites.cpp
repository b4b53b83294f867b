#include "picture/mark_sprites.h"

#include "picture/raster_drawing.h"

#include <QFontMetrics>

namespace centrafix {
namespace {

// The ground a sprite is drawn on; no mark uses this colour.
constexpr QRgb kGround = 0xFF0B1D2Fu;

// Draws with `draw` into a blank area of `size`, the anchor at `hotSpot`, and
// makes the untouched ground transparent.
template <typename Draw>
QImage Drawn(QSize size, QPoint hotSpot, Draw&& draw)
{
    QImage ground(size, QImage::Format_RGB32);
    ground.fill(kGround);
    PictureArea area;
    area.setPicture(ground);
    area.setAutoRedraw(true);
    draw(area, hotSpot.x(), hotSpot.y());
    QImage sprite = area.image().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < sprite.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(sprite.scanLine(y));
        for (int x = 0; x < sprite.width(); ++x)
            if (row[x] == kGround)
                row[x] = 0;
    }
    return sprite;
}

// The box round the sprite's drawn (not transparent) pixels.
QRect Ink(const QImage& sprite)
{
    QRect ink;
    for (int y = 0; y < sprite.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(sprite.constScanLine(y));
        for (int x = 0; x < sprite.width(); ++x)
            if (qAlpha(row[x]) != 0)
                ink |= QRect(x, y, 1, 1);
    }
    return ink;
}

std::optional<QPoint> PixelPoint(double x, double y)
{
    const auto px = PixelOf(x);
    const auto py = PixelOf(y);
    if (!px || !py)
        return std::nullopt;
    return QPoint(static_cast<int>(*px), static_cast<int>(*py));
}

} // namespace

std::vector<MarkSprite> MarkSprites(const std::vector<PlotItem>& items)
{
    std::vector<MarkSprite> sprites;
    for (const PlotItem& item : items) {
        const std::optional<QPoint> anchor = PixelPoint(item.x, item.y);
        if (!anchor)
            continue;
        MarkSprite sprite;
        sprite.anchor = *anchor;
        sprite.shows = item.shows;
        sprite.label = item.shape == PlotItem::Shape::Label;
        if (item.shape == PlotItem::Shape::Marker) {
            sprite.hotSpot = QPoint(10, 10); // radius 8 and a margin
            sprite.image = Drawn(QSize(21, 21), sprite.hotSpot,
                                 [&](PictureArea& area, int x, int y) { DrawItem(area, item, x, y); });
        } else {
            QFont font = PictureArea().Font;
            font.setBold(item.bold);
            const QFontMetrics metrics(font);
            // Room for the shadow and for glyphs reaching past their advance.
            const QSize size(metrics.horizontalAdvance(item.text) + metrics.maxWidth() + 6, metrics.height() + 6);
            const QPoint start(2, 2);
            sprite.hotSpot = start - QPoint(item.dx, item.dy);
            sprite.image =
                Drawn(size, sprite.hotSpot, [&](PictureArea& area, int x, int y) { DrawItem(area, item, x, y); });
        }
        sprite.ink = Ink(sprite.image);
        sprites.push_back(std::move(sprite));
    }
    return sprites;
}

std::optional<MarkSprite> OriginSprite(QPointF pixel)
{
    const std::optional<QPoint> anchor = PixelPoint(pixel.x(), pixel.y());
    if (!anchor)
        return std::nullopt;
    const QFontMetrics metrics(PictureArea().Font);
    MarkSprite sprite;
    sprite.anchor = *anchor;
    sprite.hotSpot = QPoint(6, 6); // the disc's radius 4 and a margin
    const int reach = 50 + metrics.maxWidth() + 4;
    sprite.image = Drawn(QSize(sprite.hotSpot.x() + reach, sprite.hotSpot.y() + 50 + metrics.height() + 4),
                         sprite.hotSpot, [](PictureArea& area, int x, int y) { DrawOrigin(area, x, y, 1.0); });
    sprite.ink = Ink(sprite.image);
    return sprite;
}

MarkSprite WithHalo(const MarkSprite& sprite, QRgb halo)
{
    MarkSprite haloed = sprite;
    const QImage& image = sprite.image;
    const auto drawn = [&image](int x, int y) {
        return x >= 0 && y >= 0 && x < image.width() && y < image.height() && qAlpha(image.pixel(x, y)) != 0;
    };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (drawn(x, y))
                continue;
            bool beside = false;
            for (int dy = -1; dy <= 1 && !beside; ++dy)
                for (int dx = -1; dx <= 1 && !beside; ++dx)
                    beside = drawn(x + dx, y + dy);
            if (beside)
                haloed.image.setPixel(x, y, halo);
        }
    haloed.ink = Ink(haloed.image);
    return haloed;
}

} // namespace centrafix
