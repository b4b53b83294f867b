#include "planform_outline.h"

#include <algorithm>
#include <cstddef>

namespace centrafix::aero {

std::vector<RowEdges> UnionOfEdges(const std::vector<const std::vector<RowEdges>*>& colours)
{
    std::size_t rowCount = 0;
    for (const std::vector<RowEdges>* colour : colours)
        rowCount = std::max(rowCount, colour->size());

    std::vector<RowEdges> joined(rowCount);
    for (const std::vector<RowEdges>* colour : colours) {
        for (std::size_t r = 0; r < colour->size(); ++r) {
            const RowEdges& row = (*colour)[r];
            if (!row.present)
                continue;
            RowEdges& into = joined[r];
            // Pixels belong to one colour, so two colours never share an edge
            // column: the hidden flag of the extreme one is unambiguous.
            if (!into.present || row.lead < into.lead) {
                into.lead = row.lead;
                into.leadHidden = row.leadHidden;
            }
            if (!into.present || row.trail > into.trail) {
                into.trail = row.trail;
                into.trailHidden = row.trailHidden;
            }
            into.present = true;
        }
    }
    return joined;
}

namespace {

// One edge (lead or trail) of the rows r0 .. r1 with the hidden stretches
// bridged. `known` says where the edge meets the background; `painted`
// where there is a painted edge at all. Rows that stay unknown get
// std::nullopt.
std::vector<std::optional<double>> FillEdge(const std::vector<RowEdges>& rows, int r0, int r1, bool lead)
{
    const int n = r1 - r0 + 1;
    auto edge = [&](int i) { return static_cast<double>(lead ? rows[r0 + i].lead : rows[r0 + i].trail); };
    auto known = [&](int i) {
        const RowEdges& row = rows[r0 + i];
        return row.present && !(lead ? row.leadHidden : row.trailHidden);
    };

    // The nearest row with a known edge before each row; after it in the
    // second pass.
    std::vector<int> before(n, -1);
    for (int i = 0, last = -1; i < n; ++i) {
        before[i] = last;
        if (known(i))
            last = i;
    }
    std::vector<std::optional<double>> filled(n);
    for (int i = n - 1, next = -1; i >= 0; --i) {
        if (known(i)) {
            filled[i] = edge(i);
            next = i;
            continue;
        }
        if (before[i] >= 0 && next >= 0) {
            const double a = edge(before[i]);
            const double b = edge(next);
            filled[i] = a + (b - a) * (i - before[i]) / static_cast<double>(next - before[i]);
        } else if (rows[r0 + i].present) {
            filled[i] = edge(i);
        }
    }
    return filled;
}

} // namespace

std::optional<Outline> AerodynamicOutline(const std::vector<RowEdges>& rows)
{
    const auto first = std::find_if(rows.begin(), rows.end(), [](const RowEdges& row) { return row.present; });
    if (first == rows.end())
        return std::nullopt;
    const auto last = std::find_if(rows.rbegin(), rows.rend(), [](const RowEdges& row) { return row.present; });
    const int r0 = static_cast<int>(first - rows.begin());
    const int r1 = static_cast<int>(rows.rend() - last) - 1;

    const std::vector<std::optional<double>> leads = FillEdge(rows, r0, r1, true);
    const std::vector<std::optional<double>> trails = FillEdge(rows, r0, r1, false);

    Outline outline;
    outline.firstRow = r0;
    outline.rows.resize(leads.size());
    for (std::size_t i = 0; i < leads.size(); ++i) {
        OutlineRow& row = outline.rows[i];
        if (leads[i] && trails[i]) {
            row = {*leads[i], *trails[i]};
        } else if (leads[i] || trails[i]) {
            // A row without pixels whose other edge has nothing to bridge
            // from: no chord, but a sensible x for the sweep line.
            const double x = leads[i] ? *leads[i] : *trails[i];
            row = {x, x};
        } else {
            // Neither edge: no chord, at the leading edge of the row before
            // (the first row of the range holds pixels, so there is one).
            row = {outline.rows[i - 1].lead, outline.rows[i - 1].lead};
        }
    }
    return outline;
}

} // namespace centrafix::aero
