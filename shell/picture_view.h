#pragma once

#include "aero/balance.h"
#include "picture/balance_marks.h"
#include "picture/mark_sprites.h"
#include "picture/result_plot.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace centrafix {

class PictureArea;

// The visible face of a picture area: its screen image at a zoom factor, the
// widget sized to the picture times the factor so that a scroll area around
// it reaches every pixel. Only the exposed part is drawn, straight from the
// area's image; no scaled copy of the picture is ever made, and what is
// measured never changes with the zoom.
//
// The plot's marks and the origin lie over the picture as sprites at their
// size on screen, so they stay readable when the picture is zoomed out. On
// screen the labels are laid over the markers, kept inside the picture and
// apart from each other (label_placement.h), and the origin has a light rim
// so that its black axes show on a black planform; the pictures the plot
// draws into keep its own drawing.
//
// Mouse positions are reported as the picture pixel under the pointer with
// the button and shift codes the handlers expect (buttons 1 left, 2 right,
// 4 middle; shift 1, ctrl 2, alt 4).
class PictureView : public QWidget {
    Q_OBJECT

public:
    explicit PictureView(PictureArea& area, QWidget* parent = nullptr);

    double zoom() const { return m_zoom; }
    // Resizes the view to the picture at `zoom`.
    void setZoom(double zoom);
    QSize pictureSize() const;
    // The picture pixel under a point of the view.
    QPointF pictureAt(QPointF viewPoint) const;

    // The overlay: the last run's marks, which of them the check boxes show,
    // and the origin mark.
    void setMarks(std::vector<MarkSprite> marks);
    void setChoice(PlotChoice choice);
    void setOrigin(std::optional<QPointF> pixel);
    void clearMarks();
    // The last run's balance over the picture, drawn at the zoom with marks
    // of a fixed size; none: no balance (clearMarks takes it away too).
    void setBalance(std::optional<aero::Balance> balance, const BalancePlacement& placement, int languageIndex);
    void setBalanceShown(bool shown);
    bool balanceDrawn() const { return m_balance.has_value() && m_balanceShown; }
    bool hasMarks() const { return !m_marks.empty() || m_origin.has_value(); }
    // Where the shown labels' drawn pixels are, in view coordinates, in the
    // plot's order.
    std::vector<QRect> labelBoxes() const;

    // A line being drawn between two pixels' centres, with `label` (its
    // length) beside its end; none: no line.
    void setScaleLine(std::optional<QLine> pixels, const QString& label = {});
    std::optional<QLine> scaleLine() const { return m_scaleLine; }

signals:
    void mouseMoved(int Button, int Shift, float X, float Y);
    void mousePressed(int Button, int Shift, float X, float Y);
    void mouseReleased(int Button, int Shift, float X, float Y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void paintPicture(QPainter& painter, const QRect& exposed);
    void paintSprite(QPainter& painter, const MarkSprite& sprite, QPoint moved = {});
    QPoint spriteAt(const MarkSprite& sprite) const;
    void placeLabels();
    void paintScaleLine(QPainter& painter);
    QPointF centreOf(QPoint pixel) const;
    void fitToPicture();
    QRect viewRectOf(const QRect& pictureRect) const;

    PictureArea& m_area;
    double m_zoom = 1.0;
    std::vector<MarkSprite> m_marks;
    std::vector<QPoint> m_labelMoves; // per mark: how far its label moved from where the plot puts it
    std::optional<MarkSprite> m_origin;
    PlotChoice m_choice;
    std::optional<QLine> m_scaleLine;
    QString m_scaleLabel;
    std::optional<aero::Balance> m_balance;
    BalancePlacement m_balancePlacement;
    int m_balanceLanguage = 2;
    bool m_balanceShown = true;
};

} // namespace centrafix
