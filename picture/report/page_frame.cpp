#include "page_frame.h"

#include <QPageSize>
#include <QPaintDevice>

namespace centrafix {

PageFrame FrameOf(const QPaintDevice& device, Paper paper)
{
    PageFrame frame;
    frame.paper = QPageSize(PageSizeIdOf(paper)).size(QPageSize::Millimeter);
    // The device's own pixels per millimetre, from its resolution: its
    // width in pixels is rounded, its resolution is what the page is drawn at.
    frame.pixelsPerMmX = device.logicalDpiX() / 25.4;
    frame.pixelsPerMmY = device.logicalDpiY() / 25.4;
    return frame;
}

} // namespace centrafix
