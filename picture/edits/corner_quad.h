#pragma once

#include "engine/error.h"

#include <QPointF>

#include <array>
#include <optional>

namespace centrafix {

// Why four corners, clicked clockwise from the top left on a photographed
// rectangle, cannot be one: corners (almost) on top of each other or in a
// line, sides that cross, a corner that points inwards, or the corners going
// round counterclockwise. Nothing when they can. The corners are numbered
// from 1 in the messages, as the user gave them.
//
// Counterclockwise corners are refused rather than put in order: which
// corner the user meant as the top left, and so which side has the width,
// cannot be told from the corners alone, and a guess would mirror or turn the
// drawing without a word. Any corner may come first, though: a drawing
// photographed on its side is turned upright by starting at its own top left.
std::optional<Error> CornerQuadProblem(const std::array<QPointF, 4>& corners);

} // namespace centrafix
