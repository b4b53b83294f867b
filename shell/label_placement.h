#pragma once

#include <QRect>

#include <vector>

namespace centrafix {

// Where the labels over the picture go on screen: one after another, each at
// the place it asks for when that lies inside `bounds` and clear of the
// labels placed before it, else at the nearest place that is (searched in
// small steps around the place asked for, a few label heights up and down and
// a label's width sideways). A label that finds no free place within that
// reach keeps the place asked for, moved inside `bounds`: overlapping a
// neighbour is better than standing far away from its own mark. A label
// larger than `bounds` starts at its left or top edge.
//
// Greedy and in order, so the labels that come first (the total's) keep
// their places.
std::vector<QRect> PlaceLabels(const std::vector<QRect>& wanted, const QRect& bounds);

} // namespace centrafix
