#include "results_grid.h"

#include "match_count.h"
#include "number_text.h"
#include "string_table.h"

#include <algorithm>

namespace centrafix {

std::string JoinedCells(const GridRow& row)
{
    std::string text;
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
        if (c > 0)
            text += '\t';
        text += row.cells[c];
    }
    return text;
}

GridRow GridHeader(int languageIndex)
{
    auto s = [languageIndex](const Message& m) { return std::string(Tr(m, languageIndex)); };
    return GridRow{{
        s(msg::Object),
        "X  " + s(msg::CG),
        "Y  " + s(msg::CG),
        "X  " + s(msg::AC),
        s(msg::Area),
        "% " + s(msg::Area),
        s(msg::Outline),
        s(msg::AeroLRef),
        s(msg::Efficiency),
    }};
}

std::string GridHeaderText(int languageIndex)
{
    return JoinedCells(GridHeader(languageIndex));
}

namespace {

// Forms the total entry: area, area centroid and weighted A.C. of all found
// objects.
void SumUpTotal(ColorObjectTable& ColorObjects, PointTable& CGPoint, PointTable& ACPoint)
{
    ColorObject& total = ColorObjects[0];
    total.Area = 0.0;
    CGPoint[0] = {};
    ACPoint[0].x = 0.0;
    double WeightedArea = 0.0;
    double plainAC = 0.0; // area-weighted A.C. sum without the weights
    for (std::size_t i = 1; i < ColorObjects.size(); ++i) {
        const ColorObject& o = ColorObjects[i];
        if (!(o.Area > 0.0))
            continue;
        WeightedArea += o.Weight * o.Area;
        total.Area += o.Area;
        ACPoint[0].x += ACPoint[i].x * o.Area * o.Weight;
        plainAC += ACPoint[i].x * o.Area;
        CGPoint[0].x += o.Area * CGPoint[i].x;
        CGPoint[0].y += o.Area * CGPoint[i].y;
    }
    if (!(total.Area > 0.0))
        return;
    if (WeightedArea != 0.0) {
        ACPoint[0].x /= WeightedArea;
    } else {
        // Every found object weighted 0 (or weights that cancel out): the
        // weighted mean has no value, so the total's A.C. falls back to the
        // plain area-weighted mean of the objects' A.C.s rather than
        // dividing by zero.
        ACPoint[0].x = plainAC / total.Area;
    }
    CGPoint[0].x /= total.Area;
    CGPoint[0].y /= total.Area;
}

// Lengths and areas keep four significant digits at any scale (FormatLength);
// the share and the weight are no lengths and keep their patterns.
GridRow ObjectRow(const ColorObject& o, const PointD& cg, const PointD& ac, std::string_view sep)
{
    return GridRow{{o.Name, FormatLength(cg.x, 2, sep), FormatLength(cg.y, 2, sep), FormatLength(ac.x, 1, sep),
                    FormatLength(o.Area, 2, sep), FormatFixed(o.AreaPercent, 1, sep), FormatLength(o.Outline, 4, sep),
                    FormatLength(o.RefLength, 4, sep), FormatFixed(o.Weight, 2, sep)}};
}

// The total row has one decimal for the centroid x and two for the A.C. x,
// the other way round from the object rows.
GridRow TotalRow(const ColorObject& total, const PointD& cg, const PointD& ac, std::string_view sep)
{
    return GridRow{{total.Name, FormatLength(cg.x, 1, sep), FormatLength(cg.y, 2, sep), FormatLength(ac.x, 2, sep),
                    FormatLength(total.Area, 2, sep), FormatFixed(total.AreaPercent, 1, sep)}};
}

} // namespace

std::vector<GridRow> SumUpResults(ColorObjectTable& ColorObjects, PointTable& CGPoint, PointTable& ACPoint,
                                  double OriginX, double OriginY, std::string_view sep, int languageIndex)
{
    SumUpTotal(ColorObjects, CGPoint, ACPoint);
    for (std::size_t i = 0; i < ColorObjects.size(); ++i) {
        ACPoint[i].x -= OriginX;
        CGPoint[i].x -= OriginX;
        CGPoint[i].y -= OriginY;
    }
    ColorObject& total = ColorObjects[0];
    total.AreaPercent = 100.0;
    for (std::size_t i = 1; i < ColorObjects.size(); ++i) {
        ColorObject& o = ColorObjects[i];
        o.AreaPercent = total.Area > 0.0 ? o.Area * 100.0 / total.Area : 0.0;
    }
    return GridRows(ColorObjects, CGPoint, ACPoint, sep, languageIndex);
}

std::vector<GridRow> GridRows(const ColorObjectTable& ColorObjects, const PointTable& CGPoint,
                              const PointTable& ACPoint, std::string_view sep, int languageIndex)
{
    std::vector<GridRow> rows;
    for (std::size_t i = 1; i < ColorObjects.size(); ++i)
        if (ColorObjects[i].Area > 0.0)
            rows.push_back(ObjectRow(ColorObjects[i], CGPoint[i], ACPoint[i], sep));
    const ColorObject& total = ColorObjects[0];
    if (total.Area > 0.0) {
        rows.push_back(TotalRow(total, CGPoint[0], ACPoint[0], sep));
    } else {
        // A total of 0 at 100 % would read as a result; there is none.
        rows.push_back(GridRow{{total.Name, std::string(Tr(kNoColourFound, languageIndex))}});
    }
    return rows;
}

std::string CopyTableText(const std::string& header, const std::vector<GridRow>& rows)
{
    std::string text = header;
    for (const GridRow& row : rows) {
        text += "\r\n";
        text += JoinedCells(row);
        // A row of no cells is one empty field.
        const std::size_t fields = std::max<std::size_t>(1, row.cells.size());
        const auto columns = static_cast<std::size_t>(kGridColumns);
        text.append(columns > fields ? columns - fields : 0, '\t');
    }
    return text;
}

} // namespace centrafix
