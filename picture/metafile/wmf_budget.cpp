#include "picture/metafile/wmf_budget.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace centrafix::wmf {

namespace {

constexpr Message kTooCostly{
    "ihre Zeichnung überschreitet die Grenze von %1 Pixeloperationen (das %2-Fache der "
    "Bildfläche und %3 dazu)",
    "drawing it passes the limit of %1 pixel operations (%2 times the picture's area "
    "plus %3)"};

// The rows of the canvas an edge from y0 to y1, `pad` pixels thick, covers;
// nothing when it misses the canvas.
std::optional<std::pair<double, double>> RowsCovered(double y0, double y1, double pad, const QRectF& canvas)
{
    const double top = std::max(std::min(y0, y1) - pad, canvas.top());
    const double bottom = std::min(std::max(y0, y1) + pad, canvas.bottom());
    if (bottom < top)
        return std::nullopt;
    return std::pair(top, bottom + 1);
}

// Qt's scan converter weighs each edge crossing a row against the others on
// that row: a row crossed by k edges costs about k squared, so a zigzag of a
// few thousand points takes many seconds. The sum over the rows, swept from
// the edges' first and last rows.
double CrowdedRows(const std::vector<std::pair<double, double>>& spans)
{
    std::vector<double> starts, ends;
    starts.reserve(spans.size());
    ends.reserve(spans.size());
    for (const auto& [top, bottom] : spans) {
        starts.push_back(top);
        ends.push_back(bottom);
    }
    std::sort(starts.begin(), starts.end());
    std::sort(ends.begin(), ends.end());
    double total = 0, active = 0, at = 0;
    std::size_t i = 0, j = 0;
    while (j < ends.size()) {
        const bool opening = i < starts.size() && starts[i] <= ends[j];
        const double next = opening ? starts[i++] : ends[j++];
        total += active * active * (next - at);
        at = next;
        active += opening ? 1 : -1;
    }
    return total;
}

} // namespace

WorkBudget::WorkBudget(QSize canvas)
    : m_canvas(QPointF(0, 0), QSizeF(canvas)),
      m_limit(double(kAreaFactor) * canvas.width() * canvas.height() + double(kAllowance))
{}

Problem WorkBudget::spend(double units)
{
    m_spent += std::max(units, 0.0);
    if (!m_exceeded && m_spent <= m_limit)
        return std::nullopt;
    m_exceeded = true;
    return Described(
        {}, kTooCostly,
        {std::to_string(static_cast<qint64>(m_limit)), std::to_string(kAreaFactor), std::to_string(kAllowance)});
}

double ClippedArea(const QRectF& box, const QRectF& canvas)
{
    const QRectF inside = box.normalized() & canvas;
    return inside.isValid() ? inside.width() * inside.height() : 0.0;
}

double PathCost(const QPainterPath& path, double penWidth, bool filled, bool patterned, const QRectF& canvas)
{
    // A pen up to a pixel and a half draws plain lines; a wider one is an
    // outline of its own, two edges a segment, filled like any area.
    const bool outlined = penWidth > 1.5;
    const double pad = outlined ? penWidth / 2 + 1 : 1;
    double cost = 0;
    if (filled || outlined)
        cost += ClippedArea(path.controlPointRect().adjusted(-pad, -pad, pad, pad), canvas) *
                (filled && patterned ? cost::kPatternFactor : 1.0);
    // However long an outline is, what it paints is clipped to the canvas;
    // its points are not.
    const double longest = canvas.width() + canvas.height() + penWidth;
    std::vector<std::pair<double, double>> rows;
    QPointF last;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QPointF p(e.x, e.y);
        cost += cost::kVertex;
        if (!e.isMoveTo()) {
            if (penWidth > 0)
                cost += std::min(std::hypot(p.x() - last.x(), p.y() - last.y()) + penWidth, longest) *
                        std::max(penWidth, 1.0);
            const auto covered = RowsCovered(last.y(), p.y(), outlined ? pad : 0.0, canvas);
            for (int copies = (filled ? 1 : 0) + (outlined ? 2 : 0); covered && copies > 0; --copies)
                rows.push_back(*covered);
        }
        last = p;
    }
    return cost + cost::kCrowdedRow * CrowdedRows(rows);
}

} // namespace centrafix::wmf
