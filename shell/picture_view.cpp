#include "picture_view.h"

#include "picture/picture_area.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace centrafix {

namespace {

int ButtonCode(Qt::MouseButtons buttons)
{
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

int ShiftCode(Qt::KeyboardModifiers modifiers)
{
    int code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

int Ceil(double v)
{
    return static_cast<int>(std::ceil(v - 1e-9));
}

} // namespace

PictureView::PictureView(PictureArea& area, QWidget* parent) : QWidget(parent), m_area(area)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    fitToPicture();
    connect(&m_area, &PictureArea::changed, this,
            [this](const QRect& changedArea) { update(viewRectOf(changedArea)); });
    connect(&m_area, &PictureArea::resized, this, [this] {
        fitToPicture();
        update();
    });
}

QSize PictureView::pictureSize() const
{
    return m_area.screen().size();
}

void PictureView::fitToPicture()
{
    const QSize picture = pictureSize();
    setFixedSize(std::max(1, Ceil(picture.width() * m_zoom)), std::max(1, Ceil(picture.height() * m_zoom)));
}

void PictureView::setZoom(double zoom)
{
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    fitToPicture();
    update();
}

QPointF PictureView::pictureAt(QPointF viewPoint) const
{
    return QPointF(std::floor(viewPoint.x() / m_zoom), std::floor(viewPoint.y() / m_zoom));
}

QRect PictureView::viewRectOf(const QRect& pictureRect) const
{
    const int left = static_cast<int>(std::floor(pictureRect.left() * m_zoom));
    const int top = static_cast<int>(std::floor(pictureRect.top() * m_zoom));
    const int right = Ceil((pictureRect.right() + 1) * m_zoom);
    const int bottom = Ceil((pictureRect.bottom() + 1) * m_zoom);
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void PictureView::setMarks(std::vector<MarkSprite> marks)
{
    m_marks = std::move(marks);
    update();
}

void PictureView::setChoice(PlotChoice choice)
{
    m_choice = choice;
    update();
}

void PictureView::setOrigin(std::optional<QPointF> pixel)
{
    m_origin = pixel ? OriginSprite(*pixel) : std::nullopt;
    update();
}

void PictureView::clearMarks()
{
    if (!hasMarks())
        return;
    m_marks.clear();
    m_origin.reset();
    update();
}

void PictureView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, Qt::white);
    paintPicture(painter, exposed);
    if (m_origin)
        paintSprite(painter, *m_origin);
    for (const MarkSprite& mark : m_marks)
        if (Shown(mark.shows, m_choice))
            paintSprite(painter, mark);
}

// Only the picture pixels under the exposed part are read, nearest neighbour,
// whatever the picture's size: a zoomed-out scan costs what the screen shows.
void PictureView::paintPicture(QPainter& painter, const QRect& exposed)
{
    const QImage& image = m_area.screen();
    if (image.isNull())
        return;
    if (m_zoom == 1.0) {
        painter.drawImage(exposed.topLeft(), image, exposed);
        return;
    }
    const int x0 = std::clamp(static_cast<int>(std::floor(exposed.left() / m_zoom)), 0, image.width());
    const int y0 = std::clamp(static_cast<int>(std::floor(exposed.top() / m_zoom)), 0, image.height());
    const int x1 = std::clamp(Ceil((exposed.right() + 1) / m_zoom), 0, image.width());
    const int y1 = std::clamp(Ceil((exposed.bottom() + 1) / m_zoom), 0, image.height());
    if (x1 <= x0 || y1 <= y0)
        return;
    const QRectF source(x0, y0, x1 - x0, y1 - y0);
    const QRectF target(x0 * m_zoom, y0 * m_zoom, (x1 - x0) * m_zoom, (y1 - y0) * m_zoom);
    painter.save();
    painter.setClipRect(exposed);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, image, source);
    painter.restore();
}

// A sprite's anchor pixel shows at the pixel's place on screen, in the middle
// of it when the picture is zoomed in; the sprite itself is never scaled.
void PictureView::paintSprite(QPainter& painter, const MarkSprite& sprite)
{
    const double half = m_zoom > 1.0 ? std::floor(m_zoom / 2) : 0.0;
    const QPoint at(static_cast<int>(std::floor(sprite.anchor.x() * m_zoom + half)),
                    static_cast<int>(std::floor(sprite.anchor.y() * m_zoom + half)));
    painter.drawImage(at - sprite.hotSpot, sprite.image);
}

void PictureView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF p = pictureAt(event->position());
    emit mouseMoved(ButtonCode(event->buttons()), ShiftCode(event->modifiers()),
                    static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void PictureView::mousePressEvent(QMouseEvent* event)
{
    const QPointF p = pictureAt(event->position());
    emit mousePressed(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                      static_cast<float>(p.x()), static_cast<float>(p.y()));
}

} // namespace centrafix
