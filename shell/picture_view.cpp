#include "picture_view.h"

#include "picture/picture_area.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

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

// The picture pixel under the pointer. The widget shows the picture at 1:1, so
// widget coordinates are picture coordinates; a fractional position (a scaled
// screen) belongs to the pixel it lies in.
QPointF PicturePixel(const QMouseEvent* event)
{
    return QPointF(std::floor(event->position().x()), std::floor(event->position().y()));
}

} // namespace

PictureView::PictureView(PictureArea& area, QWidget* parent) : QWidget(parent), m_area(area)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(m_area.screen().size());
    connect(&m_area, &PictureArea::changed, this,
            [this](const QRect& changedArea) { update(changedArea); });
    connect(&m_area, &PictureArea::resized, this, [this](const QSize& size) {
        setFixedSize(size);
        update();
    });
}

void PictureView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect r = event->rect();
    painter.fillRect(r, Qt::white);
    painter.drawImage(r.topLeft(), m_area.screen(), r);
}

void PictureView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF p = PicturePixel(event);
    emit mouseMoved(ButtonCode(event->buttons()), ShiftCode(event->modifiers()),
                    static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void PictureView::mousePressEvent(QMouseEvent* event)
{
    const QPointF p = PicturePixel(event);
    emit mousePressed(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                      static_cast<float>(p.x()), static_cast<float>(p.y()));
}

} // namespace centrafix
