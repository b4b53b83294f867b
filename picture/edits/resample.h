#pragma once

#include <QImage>
#include <QSize>
#include <QTransform>

namespace centrafix {

// How a resampled pixel takes its colour from the pixels around the point it
// comes from.
enum class Resampling {
    // Weighted from the four nearest pixels, in whole numbers: a pixel whose
    // four neighbours share one colour gets exactly that colour, so flat
    // areas stay flat and only pixels on a border mix (which the colour
    // clean-up then snaps). For photos and scans.
    Bilinear,
    // The colour of the nearest pixel: no colour the picture did not have.
    // For pictures already painted in the eight colours.
    Nearest,
};

// Bilinear for a photo or scan, Nearest for a picture painted in the eight
// colours of the analysis (white and the seven object colours) alone.
Resampling ResamplingFor(const QImage& workingCopy);

// A picture of `size` whose pixel (x, y) takes the colour of `source` (a
// working copy) at the point `toSource` maps (x, y) onto, both in pixel-centre
// coordinates (pixel (x, y) is at the point (x, y)). Points outside the
// source, and points the map sends through infinity (behind a photo's
// horizon: the map's third coordinate is not above zero), come out white. The
// rows are shared out over threads. A null picture when there is no memory.
QImage ResampledPicture(const QImage& source, QSize size, const QTransform& toSource, Resampling resampling);

} // namespace centrafix
