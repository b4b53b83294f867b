#include "picture/edits/corner_quad.h"

#include <cmath>
#include <string>

namespace centrafix {

namespace {

constexpr Message kCornersCoincide{"die Ecken %1 und %2 fallen zusammen (weniger als ein Pixel auseinander)",
                                   "corners %1 and %2 coincide (less than a pixel apart)"};
constexpr Message kCornersInLine{"die Ecken %1, %2 und %3 liegen (fast) auf einer Geraden: das ist kein Viereck",
                                 "corners %1, %2 and %3 lie (almost) in a line: that is no quadrilateral"};
constexpr Message kSidesCross{
    "die Seiten des Vierecks kreuzen sich; geben Sie die Ecken im Uhrzeigersinn an, oben links beginnend",
    "the sides of the quadrilateral cross each other; give the corners clockwise, starting "
    "at the top left"};
constexpr Message kNotConvex{
    "das Viereck ist nicht konvex (Ecke %1 zeigt nach innen), ein fotografiertes Rechteck ist "
    "es immer",
    "the quadrilateral is not convex (corner %1 points inwards), as a photographed rectangle "
    "always is"};
constexpr Message kCounterclockwise{
    "die Ecken laufen gegen den Uhrzeigersinn; geben Sie sie im Uhrzeigersinn an, oben links beginnend",
    "the corners run counterclockwise; give them clockwise, starting at the top left"};

// Below this sine a corner's turn is taken for none: the interior angle is
// within about half a degree of 180 or of 0, and the map that straightens
// such a quadrilateral would blow a few pixels up to the whole picture.
constexpr double kSmallestTurnSine = 0.01;

double Cross(QPointF a, QPointF b)
{
    return a.x() * b.y() - a.y() * b.x();
}

double Length(QPointF v)
{
    return std::hypot(v.x(), v.y());
}

std::string Number(int index)
{
    return std::to_string(index + 1);
}

// The open segments ab and cd cross.
bool SegmentsCross(QPointF a, QPointF b, QPointF c, QPointF d)
{
    const double abC = Cross(b - a, c - a), abD = Cross(b - a, d - a);
    const double cdA = Cross(d - c, a - c), cdB = Cross(d - c, b - c);
    return ((abC > 0 && abD < 0) || (abC < 0 && abD > 0)) && ((cdA > 0 && cdB < 0) || (cdA < 0 && cdB > 0));
}

} // namespace

std::optional<Error> CornerQuadProblem(const std::array<QPointF, 4>& c)
{
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            if (Length(c[j] - c[i]) < 1.0)
                return Described({}, kCornersCoincide, {Number(i), Number(j)});
    // The turn at each corner: with y pointing down, clockwise turns are
    // positive.
    std::array<double, 4> turn{};
    int clockwise = 0;
    for (int i = 0; i < 4; ++i) {
        const int before = (i + 3) % 4, after = (i + 1) % 4;
        const QPointF in = c[i] - c[before], out = c[after] - c[i];
        turn[i] = Cross(in, out) / (Length(in) * Length(out));
        if (std::abs(turn[i]) < kSmallestTurnSine)
            return Described({}, kCornersInLine, {Number(before), Number(i), Number(after)});
        clockwise += turn[i] > 0 ? 1 : 0;
    }
    if (SegmentsCross(c[0], c[1], c[2], c[3]) || SegmentsCross(c[1], c[2], c[3], c[0]))
        return Described({}, kSidesCross);
    if (clockwise == 0)
        return Described({}, kCounterclockwise);
    if (clockwise != 4) {
        // The one corner that turns the other way is the one pointing inwards.
        const bool inwardTurnsClockwise = clockwise == 1;
        for (int i = 0; i < 4; ++i)
            if ((turn[i] > 0) == inwardTurnsClockwise)
                return Described({}, kNotConvex, {Number(i)});
    }
    return std::nullopt;
}

} // namespace centrafix
