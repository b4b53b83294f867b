#pragma once

#include "metafile_builder.h"

#include <QImage>
#include <QRect>

#include <initializer_list>
#include <set>

namespace centrafix::test {

inline constexpr QRgb kWhite = 0xFFFFFF, kBlack = 0x000000, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF,
                      kYellow = 0xFFFF00, kCyan = 0x00FFFF, kMagenta = 0xFF00FF;

// 200 x 100 pixels, a red brush and no outline selected as objects 0 and 1.
Metafile Sample();

struct Probe {
    int x, y;
    QRgb colour;
};

// Plays `metafile`, then checks the picture's size, the probed pixels, and
// that no colour outside `palette` (a blended edge shade, say) appears
// anywhere. The picture, or a null one when it did not play.
QImage ExpectPicture(const Metafile& metafile, QSize size, std::initializer_list<Probe> probes,
                     const std::set<QRgb>& palette);

// The smallest rectangle holding every pixel of `colour`; empty for none.
QRect Ink(const QImage& image, QRgb colour);
// How many pixels are `colour`.
int InkCount(const QImage& image, QRgb colour);

} // namespace centrafix::test
