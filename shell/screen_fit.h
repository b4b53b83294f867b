#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

namespace centrafix {

// A window's place (its inner rectangle, without the frame) moved and made
// smaller, each as little as it takes, so that with `frame` round it the
// window lies inside `available`, the part of the screen that panels leave
// free. It never becomes smaller than `minimum`; where the screen is smaller
// still, its top left corner (the title bar, the menus) stays in view.
QRect FittedOnScreen(const QRect& inner, const QMargins& frame, const QRect& available, const QSize& minimum);

} // namespace centrafix
