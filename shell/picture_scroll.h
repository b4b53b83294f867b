#pragma once

#include "zoom.h"

#include <QScrollArea>

namespace centrafix {

class PictureArea;
class PictureView;

// The region the picture is shown in: a scroll area around the picture's view
// that zooms it. Ctrl + wheel zooms about the pointer; the other ways in
// (menu, keys) zoom about the middle of what is shown. In "fit" mode the
// factor follows the region's size.
class PictureScroll : public QScrollArea {
    Q_OBJECT

public:
    PictureScroll(PictureArea& area, QWidget* parent = nullptr);

    PictureView* view() const { return m_view; }
    ZoomMode mode() const { return m_mode; }
    double zoom() const;

    void setMode(const ZoomMode& mode);
    void fit() { setMode({true, 1.0}); }
    void actualSize() { setMode({false, 1.0}); }
    // `steps` steps in (positive) or out, keeping the picture point under
    // `viewportPoint` where it is.
    void zoomBy(int steps, QPointF viewportPoint);
    void zoomBy(int steps);
    // A new picture: fitted when larger than the region, 1:1 otherwise.
    void chooseZoomForPicture();

signals:
    void zoomChanged(double zoom);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void apply(double zoom, QPointF viewportPoint);
    QSize region() const;
    QPointF middle() const;

    PictureView* m_view = nullptr;
    ZoomMode m_mode;
    int m_wheelRest = 0; // a fine-grained wheel's turn not yet a whole step
};

} // namespace centrafix
