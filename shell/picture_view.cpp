#include "picture_view.h"

#include "label_placement.h"

#include "picture/picture_area.h"

#include <QFontMetrics>
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

// Light enough to set black lines off from black, and a little translucent so
// that it does not read as part of the drawing on a light picture.
constexpr QRgb kHalo = qRgba(255, 255, 255, 224);

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
        placeLabels();
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
    placeLabels();
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
    placeLabels();
    update();
}

void PictureView::setChoice(PlotChoice choice)
{
    m_choice = choice;
    placeLabels();
    update();
}

void PictureView::setOrigin(std::optional<QPointF> pixel)
{
    m_origin.reset();
    if (pixel)
        if (const std::optional<MarkSprite> origin = OriginSprite(*pixel))
            m_origin = WithHalo(*origin, kHalo);
    update();
}

void PictureView::clearMarks()
{
    if (m_balance) {
        m_balance.reset();
        update();
    }
    if (!hasMarks())
        return;
    m_marks.clear();
    m_labelMoves.clear();
    m_origin.reset();
    update();
}

// The labels that show, in the plot's order, so that the total's keep their
// places and the colours' make way.
void PictureView::placeLabels()
{
    m_labelMoves.assign(m_marks.size(), QPoint());
    std::vector<std::size_t> shown;
    std::vector<QRect> wanted;
    for (std::size_t i = 0; i < m_marks.size(); ++i)
        if (m_marks[i].label && Shown(m_marks[i].shows, m_choice)) {
            shown.push_back(i);
            wanted.push_back(m_marks[i].ink.translated(spriteAt(m_marks[i])));
        }
    const std::vector<QRect> placed = PlaceLabels(wanted, rect());
    for (std::size_t k = 0; k < shown.size(); ++k)
        m_labelMoves[shown[k]] = placed[k].topLeft() - wanted[k].topLeft();
}

std::vector<QRect> PictureView::labelBoxes() const
{
    std::vector<QRect> boxes;
    for (std::size_t i = 0; i < m_marks.size(); ++i)
        if (m_marks[i].label && Shown(m_marks[i].shows, m_choice))
            boxes.push_back(m_marks[i].ink.translated(spriteAt(m_marks[i]) + m_labelMoves[i]));
    return boxes;
}

void PictureView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, Qt::white);
    paintPicture(painter, exposed);
    // Under the markers and their labels, which stay readable over a band.
    if (m_balance && m_balanceShown)
        DrawBalanceMarks(painter, *m_balance, m_balancePlacement, m_balanceLanguage, m_zoom);
    if (m_origin)
        paintSprite(painter, *m_origin);
    for (const bool labels : {false, true})
        for (std::size_t i = 0; i < m_marks.size(); ++i)
            if (m_marks[i].label == labels && Shown(m_marks[i].shows, m_choice))
                paintSprite(painter, m_marks[i], m_labelMoves[i]);
    if (m_scaleLine)
        paintScaleLine(painter);
}

void PictureView::setBalance(std::optional<aero::Balance> balance, const BalancePlacement& placement, int languageIndex)
{
    m_balance = std::move(balance);
    m_balancePlacement = placement;
    m_balanceLanguage = languageIndex;
    update();
}

void PictureView::setBalanceShown(bool shown)
{
    m_balanceShown = shown;
    update();
}

void PictureView::setScaleLine(std::optional<QLine> pixels, const QString& label)
{
    m_scaleLine = pixels;
    m_scaleLabel = label;
    update();
}

QPointF PictureView::centreOf(QPoint pixel) const
{
    return QPointF((pixel.x() + 0.5) * m_zoom, (pixel.y() + 0.5) * m_zoom);
}

// Black over white, so that the line shows on any colour of a planform, at
// its width on screen whatever the zoom; the length sits in a box of its own
// beside the line's end.
void PictureView::paintScaleLine(QPainter& painter)
{
    const QPointF from = centreOf(m_scaleLine->p1());
    const QPointF to = centreOf(m_scaleLine->p2());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    for (const QPointF& end : {from, to})
        painter.drawEllipse(end, 3.0, 3.0);
    if (!m_scaleLabel.isEmpty()) {
        const QFontMetrics metrics(painter.font());
        QRectF box = metrics.boundingRect(m_scaleLabel).adjusted(-4, -2, 4, 2);
        box.moveTopLeft(to + QPointF(10, 10));
        painter.setPen(Qt::black);
        painter.setBrush(QColor(255, 255, 224));
        painter.drawRect(box);
        painter.drawText(box, Qt::AlignCenter, m_scaleLabel);
    }
    painter.restore();
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
QPoint PictureView::spriteAt(const MarkSprite& sprite) const
{
    const double half = m_zoom > 1.0 ? std::floor(m_zoom / 2) : 0.0;
    const QPoint at(static_cast<int>(std::floor(sprite.anchor.x() * m_zoom + half)),
                    static_cast<int>(std::floor(sprite.anchor.y() * m_zoom + half)));
    return at - sprite.hotSpot;
}

void PictureView::paintSprite(QPainter& painter, const MarkSprite& sprite, QPoint moved)
{
    painter.drawImage(spriteAt(sprite) + moved, sprite.image);
}

void PictureView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF p = pictureAt(event->position());
    emit mouseMoved(ButtonCode(event->buttons()), ShiftCode(event->modifiers()), static_cast<float>(p.x()),
                    static_cast<float>(p.y()));
}

void PictureView::mousePressEvent(QMouseEvent* event)
{
    const QPointF p = pictureAt(event->position());
    emit mousePressed(ButtonCode(event->button()), ShiftCode(event->modifiers()), static_cast<float>(p.x()),
                      static_cast<float>(p.y()));
}

void PictureView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF p = pictureAt(event->position());
    emit mouseReleased(ButtonCode(event->button()), ShiftCode(event->modifiers()), static_cast<float>(p.x()),
                       static_cast<float>(p.y()));
}

} // namespace centrafix
