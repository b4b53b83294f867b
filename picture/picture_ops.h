#pragma once

#include "engine/quarter_chord_marks.h"
#include "engine/run_types.h"
#include "picture/picture_area.h"

#include <QImage>

namespace centrafix {

// Mirrors the working copy left-right onto picSide and makes the result the
// new working copy. Pixel-exact: flipping twice restores the picture.
void FlipPicture(PictureArea& picSide, PictureArea& picBackBuffer);

// Black and white swapped, as a picture of its own: pixels whose component
// sum is below `tolerance` turn white, those above 765 - tolerance black.
// bad_alloc when there is no memory for the copy.
QImage InvertedPicture(const QImage& picture, double tolerance);

// The picture with every pixel near one of the eight colours snapped onto it
// (CleanUpColours), as a picture of its own; `changed` says how many pixels
// moved. bad_alloc when there is no memory for the copy.
QImage CleanedUpPicture(const QImage& picture, double threshold, std::int64_t* changed = nullptr);

// The quarter-chord canvas as a picture: black, with the marks white.
QImage QuarterChordImage(const QuarterChordMarks& marks);

// XORs the quarter-chord canvas onto picSide (it stays there) and returns
// picSide's retained image, for the clipboard.
QImage CopyBitmap(PictureArea& picSide, const QImage& quarterChord);

// Shows one pass's feedback on picSide (transient unless AutoRedraw is on).
void PaintPassFeedback(PictureArea& picSide, const PassFeedback& feedback);

} // namespace centrafix
