#pragma once

#include <QFont>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>

namespace centrafix {

// A picture area: a picture, a retained image and the drawing state that the
// analysis, the plot and the picture operations draw with. The window shows
// screen(); the batch command uses image(). Colours are r + 256*g + 65536*b.
//
// Two images are kept because drawing has two lives. With AutoRedraw on,
// drawing lands in the retained image (and so in copies, saves and the bitmap
// copy). With it off, drawing shows on screen only and vanishes at the next
// refresh() or picture assignment: the run's pass feedback lives there.
//
// Drawing is never anti-aliased: every marker pixel is an exact colour, so a
// later analysis of a saved picture is not fooled by blended shades.
class PictureArea : public QObject {
    Q_OBJECT

public:
    explicit PictureArea(QObject* parent = nullptr);

    // Picture get/put. Put shows the picture at (0, 0), resizes the area to it
    // and drops every drawing (retained and on screen). The image is converted
    // to Format_RGB32 if needed.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }
    // Removes the picture but keeps the area's size; the area shows BackColor.
    void removePicture();

    // Snapshot of the retained image: the picture plus everything drawn while
    // AutoRedraw was on.
    const QImage& image() const { return m_image; }
    // What the screen shows now: the retained image plus transient drawing.
    const QImage& screen() const { return m_hasTransient ? m_screen : m_image; }

    void setAutoRedraw(bool on) { m_autoRedraw = on; }
    bool autoRedraw() const { return m_autoRedraw; }

    // Inner size in pixels.
    int scaleWidth() const { return m_image.width(); }
    int scaleHeight() const { return m_image.height(); }

    // The colour of the pixel containing (x, y) as shown on screen; -1 outside.
    std::int32_t point(double x, double y) const;
    // Line from (x1, y1) to (x2, y2) in ForeColor (both end points included).
    void line(double x1, double y1, double x2, double y2);
    // Circle of `radius` pixels around (x, y): outline in `outlineColor`,
    // filled with FillColor when FillStyle is 0 (solid). With start and end
    // angles (radians, counter-clockwise from 3 o'clock) only that arc is drawn;
    // a negative angle also draws the radius to that end, so two negative angles
    // give a closed pie slice that is filled.
    void circle(double x, double y, double radius, std::int32_t outlineColor,
                std::optional<double> startAngle = std::nullopt, std::optional<double> endAngle = std::nullopt);
    // Prints text in ForeColor with its top-left corner at (CurrentX, CurrentY),
    // in the area's font (bold as set).
    void print(const QString& text);
    // Draws the source rectangle of `source` into the destination rectangle,
    // scaled (nearest neighbour); a negative destination width mirrors
    // left-right. rasterOperation 6684742 combines by XOR; anything else copies.
    void paintPicture(const QImage& source, double x1, double y1, double w1, double h1, double x2, double y2, double w2,
                      double h2, std::int64_t rasterOperation = kSourceCopy);
    // Removes everything drawn at run time: the picture (if any) on BackColor.
    void cls();
    // Repaint from the retained image: transient drawing disappears.
    void refresh();

    // Paints many pixels on screen (or into the retained image with AutoRedraw
    // on) in one go; for pass feedback over big pictures. `mask` has one byte a
    // pixel, row by row, scaleWidth() x scaleHeight(): 1 paints colour1, 2
    // paints colour2, 0 leaves the pixel.
    void paintMask(const std::uint8_t* mask, std::int32_t colour1, std::int32_t colour2);
    // The same for a mask covering only `rect` (rect.width() bytes a row);
    // whatever of it lies outside the area is left out.
    void paintMask(const std::uint8_t* mask, const QRect& rect, std::int32_t colour1, std::int32_t colour2);

    static constexpr std::int64_t kSourceCopy = 13369376; // SRCCOPY
    static constexpr std::int64_t kSourceXor = 6684742;   // SRCINVERT

    // Drawing state.
    std::int32_t ForeColor = 0;
    std::int32_t FillColor = 0;
    int FillStyle = 1; // 0 solid, 1 transparent
    int DrawMode = 13; // 13: plain copy of the drawing colour
    double CurrentX = 0.0;
    double CurrentY = 0.0;
    std::int32_t BackColor = 0xFFFFFF;
    QFont Font; // bold switchable with setFontBold
    void setFontBold(bool bold) { Font.setBold(bold); }

signals:
    // Something on screen changed within `area` (picture coordinates).
    void changed(const QRect& area);
    // The area's size changed (a new picture).
    void resized(const QSize& size);

private:
    void drawn(const QRect& area);
    // Runs `draw` on every image that must show the drawing: the retained one
    // (AutoRedraw on) and the screen one while it holds transient drawing.
    template <typename Draw>
    void drawOnTargets(Draw&& draw);
    void dropTransient();

    QImage m_picture;
    QImage m_image;
    // Only valid while m_hasTransient: until something is drawn with AutoRedraw
    // off the screen is the retained image itself, which saves a full copy of
    // a big picture.
    QImage m_screen;
    bool m_hasTransient = false;
    bool m_autoRedraw = false;
};

} // namespace centrafix
