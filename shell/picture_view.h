#pragma once

#include <QWidget>

namespace centrafix {

class PictureArea;

// The visible face of a picture area: its screen image at 1:1, one widget
// pixel per picture pixel, sized to the picture so that a scroll area around
// it reaches every pixel. Mouse positions are reported in picture pixels with
// the button and shift codes the handlers expect (buttons 1 left, 2 right,
// 4 middle; shift 1, ctrl 2, alt 4).
class PictureView : public QWidget {
    Q_OBJECT

public:
    explicit PictureView(PictureArea& area, QWidget* parent = nullptr);

signals:
    void mouseMoved(int Button, int Shift, float X, float Y);
    void mousePressed(int Button, int Shift, float X, float Y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    PictureArea& m_area;
};

} // namespace centrafix
