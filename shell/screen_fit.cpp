#include "screen_fit.h"

#include <algorithm>

namespace centrafix {

QRect FittedOnScreen(const QRect& inner, const QMargins& frame, const QRect& available, const QSize& minimum)
{
    const QRect room = available.marginsRemoved(frame);
    const QSize size = inner.size().boundedTo(room.size()).expandedTo(minimum);
    const int x = std::max(room.left(), std::min(inner.left(), room.right() + 1 - size.width()));
    const int y = std::max(room.top(), std::min(inner.top(), room.bottom() + 1 - size.height()));
    return QRect(QPoint(x, y), size);
}

} // namespace centrafix
