#include "picture/picture_area.h"

#include "engine/raster.h"
#include "picture/formats/working_copy.h"
#include "picture/raster_drawing.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <new>
#include <numbers>
#include <vector>

namespace centrafix {
namespace {

// Makes `image` writable without sharing its pixels. The first write to a
// shared image copies it; a copy that finds no memory must not leave a null
// image to write into, nor lose the one there was.
void Detach(QImage& image)
{
    if (image.isDetached())
        return;
    QImage own = image.copy();
    if (own.isNull())
        throw std::bad_alloc();
    image = std::move(own);
}

// A picture of one colour, or bad_alloc when there is no memory for it.
QImage Filled(QSize size, QRgb word)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        throw std::bad_alloc();
    image.fill(word);
    return image;
}

} // namespace

PictureArea::PictureArea(QObject* parent) : QObject(parent)
{
    // A pixel size keeps the labels the same on every screen and in the batch
    // output, whatever the display's resolution.
    Font.setPixelSize(12);
}

template <typename Draw>
void PictureArea::drawOnTargets(Draw&& draw)
{
    if (m_image.isNull())
        return;
    if (m_autoRedraw) {
        Detach(m_image);
        draw(m_image);
        if (m_hasTransient) {
            Detach(m_screen);
            draw(m_screen);
        }
        return;
    }
    if (!m_hasTransient) {
        QImage screen = m_image;
        Detach(screen);
        m_screen = std::move(screen);
        m_hasTransient = true;
    }
    Detach(m_screen);
    draw(m_screen);
}

void PictureArea::dropTransient()
{
    m_screen = QImage();
    m_hasTransient = false;
}

void PictureArea::drawn(const QRect& area)
{
    const QRect visible = area.intersected(QRect(QPoint(0, 0), m_image.size()));
    if (!visible.isEmpty())
        emit changed(visible);
}

void PictureArea::setPicture(const QImage& picture)
{
    if (picture.isNull()) {
        removePicture();
        return;
    }
    const QSize oldSize = m_image.size();
    m_picture = ToWorkingCopy(picture);
    m_image = m_picture;
    dropTransient();
    if (m_image.size() != oldSize)
        emit resized(m_image.size());
    drawn(m_image.rect());
}

void PictureArea::removePicture()
{
    m_picture = QImage();
    if (!m_image.isNull())
        m_image = Filled(m_image.size(), ToRasterWord(BackColor));
    dropTransient();
    drawn(m_image.rect());
}

std::int32_t PictureArea::point(double x, double y) const
{
    const QImage& shown = screen();
    const auto px = PixelOf(x);
    const auto py = PixelOf(y);
    if (!px || !py || !Inside(shown, *px, *py))
        return -1;
    return FromRasterWord(reinterpret_cast<const QRgb*>(shown.constScanLine(static_cast<int>(*py)))[*px]);
}

void PictureArea::line(double x1, double y1, double x2, double y2)
{
    const auto ax = PixelOf(x1);
    const auto ay = PixelOf(y1);
    const auto bx = PixelOf(x2);
    const auto by = PixelOf(y2);
    if (!ax || !ay || !bx || !by)
        return;
    const QRgb word = ToRasterWord(ForeColor);
    drawOnTargets([&](QImage& image) { DrawLine(image, *ax, *ay, *bx, *by, word); });
    drawn(Clipped(std::min(*ax, *bx), std::min(*ay, *by), std::max(*ax, *bx), std::max(*ay, *by), m_image));
}

void PictureArea::circle(double x, double y, double radius, std::int32_t outlineColor, std::optional<double> startAngle,
                         std::optional<double> endAngle)
{
    const auto cx = PixelOf(x);
    const auto cy = PixelOf(y);
    if (!cx || !cy || !std::isfinite(radius) || radius < 0.0 || radius > kFarAway)
        return;
    if ((startAngle && !std::isfinite(*startAngle)) || (endAngle && !std::isfinite(*endAngle)))
        return;
    const CircleShape shape(*cx, *cy, radius, startAngle, endAngle);
    const QRect box =
        Clipped(*cx - shape.reach(), *cy - shape.reach(), *cx + shape.reach(), *cy + shape.reach(), m_image);
    if (box.isEmpty())
        return;
    const QRgb fillWord = ToRasterWord(FillColor);
    const QRgb outlineWord = ToRasterWord(outlineColor);
    const bool filled = FillStyle == 0 && shape.closed();
    drawOnTargets([&](QImage& image) { shape.draw(image, box, outlineWord, filled ? &fillWord : nullptr); });
    drawn(box);
}

void PictureArea::print(const QString& text)
{
    const auto px = PixelOf(CurrentX);
    const auto py = PixelOf(CurrentY);
    // Text starting far left or above could not reach the picture, and QPainter
    // works in int.
    constexpr std::int64_t kTextReach = 100000;
    if (text.isEmpty() || m_image.isNull() || !px || !py || *px < -kTextReach || *py < -kTextReach ||
        *px >= m_image.width() || *py >= m_image.height())
        return;

    QFont font = Font;
    font.setStyleStrategy(QFont::NoAntialias);
    const QRgb word = ToRasterWord(ForeColor);
    const QPoint topLeft(static_cast<int>(*px), static_cast<int>(*py));
    QRect touched;
    drawOnTargets([&](QImage& image) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(QColor::fromRgb(word));
        const QFontMetrics metrics = painter.fontMetrics();
        painter.drawText(topLeft + QPoint(0, metrics.ascent()), text);
        // Generous: italics and overhanging glyphs reach past the advance.
        touched = QRect(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height()))
                      .adjusted(-2, -2, metrics.maxWidth(), 2);
    });
    drawn(touched);
}

void PictureArea::paintPicture(const QImage& source, double x1, double y1, double w1, double h1, double x2, double y2,
                               double w2, double h2, std::int64_t rasterOperation)
{
    if (source.isNull() || m_image.isNull())
        return;
    const auto dx = PixelOf(x1);
    const auto dy = PixelOf(y1);
    const auto sx = PixelOf(x2);
    const auto sy = PixelOf(y2);
    if (!dx || !dy || !sx || !sy || !std::isfinite(w1) || !std::isfinite(h1) || std::fabs(w1) > kFarAway ||
        std::fabs(h1) > kFarAway || !(w2 > 0.0) || !(h2 > 0.0) || !std::isfinite(w2) || !std::isfinite(h2))
        return;
    const std::int64_t width = std::llround(std::fabs(w1));
    const std::int64_t height = std::llround(std::fabs(h1));
    if (width == 0 || height == 0)
        return;
    // Holding our own reference makes painting an area's image onto itself
    // read the old pixels: the first write detaches the target.
    const QImage src = ToWorkingCopy(source);
    const std::int64_t left = *dx - (w1 < 0.0 ? width : 0);
    const std::int64_t top = *dy - (h1 < 0.0 ? height : 0);
    const QRect box = Clipped(left, top, left + width - 1, top + height - 1, m_image);
    if (box.isEmpty())
        return;
    const std::vector<int> columns = NearestMap(box.left(), box.right(), left, width, w1 < 0.0, *sx, w2, src.width());
    const std::vector<int> rows = NearestMap(box.top(), box.bottom(), top, height, h1 < 0.0, *sy, h2, src.height());
    const bool combine = rasterOperation == kSourceXor;

    drawOnTargets([&](QImage& image) {
        for (int y = box.top(); y <= box.bottom(); ++y) {
            const int sourceRow = rows[static_cast<std::size_t>(y - box.top())];
            if (sourceRow < 0)
                continue;
            const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(sourceRow));
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = box.left(); x <= box.right(); ++x) {
                const int sourceColumn = columns[static_cast<std::size_t>(x - box.left())];
                if (sourceColumn < 0)
                    continue;
                if (combine)
                    out[x] ^= in[sourceColumn] & 0x00FFFFFFu;
                else
                    out[x] = in[sourceColumn] | 0xFF000000u;
            }
        }
    });
    drawn(box);
}

void PictureArea::cls()
{
    CurrentX = 0.0;
    CurrentY = 0.0;
    if (m_image.isNull())
        return;
    if (hasPicture() && m_picture.size() == m_image.size()) {
        m_image = m_picture;
    } else {
        QImage blank = Filled(m_image.size(), ToRasterWord(BackColor));
        if (hasPicture()) {
            QPainter painter(&blank);
            painter.drawImage(0, 0, m_picture);
        }
        m_image = blank;
    }
    dropTransient();
    drawn(m_image.rect());
}

void PictureArea::refresh()
{
    dropTransient();
    drawn(m_image.rect());
}

void PictureArea::paintMask(const std::uint8_t* mask, std::int32_t colour1, std::int32_t colour2)
{
    paintMask(mask, m_image.rect(), colour1, colour2);
}

void PictureArea::paintMask(const std::uint8_t* mask, const QRect& rect, std::int32_t colour1, std::int32_t colour2)
{
    if (mask == nullptr || rect.isEmpty())
        return;
    const QRect box = rect.intersected(m_image.rect());
    if (box.isEmpty())
        return;
    const QRgb words[3] = {0, ToRasterWord(colour1), ToRasterWord(colour2)};
    const auto stride = static_cast<std::size_t>(rect.width());
    drawOnTargets([&](QImage& image) {
        for (int y = box.top(); y <= box.bottom(); ++y) {
            const std::uint8_t* in = mask + static_cast<std::size_t>(y - rect.top()) * stride +
                                     static_cast<std::size_t>(box.left() - rect.left());
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = box.left(); x <= box.right(); ++x, ++in) {
                if (*in == 1 || *in == 2)
                    out[x] = words[*in];
            }
        }
    });
    drawn(box);
}

} // namespace centrafix
