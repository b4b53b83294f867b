#include "picture_scroll.h"

#include "picture_view.h"

#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace centrafix {

PictureScroll::PictureScroll(PictureArea& area, QWidget* parent) : QScrollArea(parent)
{
    m_view = new PictureView(area);
    m_view->setObjectName(QStringLiteral("picSide"));
    setWidget(m_view);
    setWidgetResizable(false);
    setBackgroundRole(QPalette::Dark);
}

double PictureScroll::zoom() const
{
    return m_view->zoom();
}

// The region without scroll bars: a fitted picture needs none.
QSize PictureScroll::region() const
{
    return maximumViewportSize();
}

void PictureScroll::setMode(const ZoomMode& mode)
{
    m_mode = mode;
    apply(mode.fit ? FitZoom(m_view->pictureSize(), region()) : mode.factor, middle());
}

void PictureScroll::chooseZoomForPicture()
{
    const ZoomMode mode = AutomaticZoom(m_view->pictureSize(), region());
    m_mode = mode;
    apply(mode.fit ? mode.factor : 1.0, {});
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void PictureScroll::zoomBy(int steps, QPointF viewportPoint)
{
    const double z = StepZoom(zoom(), steps);
    m_mode = ZoomMode{false, z};
    apply(z, viewportPoint);
}

void PictureScroll::zoomBy(int steps)
{
    zoomBy(steps, middle());
}

// The keys and the menu zoom about the middle of the picture's visible part:
// a small picture does not fill the region, and its middle is what the user
// looks at.
QPointF PictureScroll::middle() const
{
    const QRect visible = viewport()->rect().intersected(m_view->geometry());
    return visible.isEmpty() ? QPointF(viewport()->rect().center()) : QRectF(visible).center();
}

void PictureScroll::apply(double z, QPointF viewportPoint)
{
    // The picture point under viewportPoint stays under it.
    const QPointF scrolled(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const QPointF picturePoint = (viewportPoint + scrolled) / zoom();
    const bool changed = z != zoom();
    m_view->setZoom(z);
    const QPointF target = picturePoint * z - viewportPoint;
    horizontalScrollBar()->setValue(static_cast<int>(std::lround(target.x())));
    verticalScrollBar()->setValue(static_cast<int>(std::lround(target.y())));
    if (changed)
        emit zoomChanged(z);
}

void PictureScroll::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    if (m_mode.fit)
        setMode(m_mode);
}

void PictureScroll::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QScrollArea::wheelEvent(event);
        return;
    }
    // One notch is 120; touchpads send smaller turns that add up.
    m_wheelRest += event->angleDelta().y();
    const int steps = m_wheelRest / 120;
    m_wheelRest -= steps * 120;
    if (steps != 0)
        zoomBy(steps, event->position());
    event->accept();
}

} // namespace centrafix
