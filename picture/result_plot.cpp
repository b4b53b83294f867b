#include "picture/result_plot.h"

#include "engine/string_table.h"

#include <cmath>
#include <numbers>

namespace centrafix {
namespace {

constexpr std::int32_t kWhite = Rgb(255, 255, 255);
constexpr std::int32_t kBlack = Rgb(0, 0, 0);
constexpr std::int32_t kYellow = Rgb(255, 255, 0);
constexpr std::int32_t kLabelShadow = Rgb(64, 64, 0);
constexpr std::int32_t kLabelText = Rgb(255, 192, 64);

// A shadow one pixel right and down first, so the label stays readable on
// white background and on dark planform alike.
void PrintLabel(PictureArea& area, double x, double y, const QString& text)
{
    area.CurrentX = x + 1;
    area.CurrentY = y + 1;
    area.ForeColor = kLabelShadow;
    area.print(text);
    area.CurrentX = x;
    area.CurrentY = y;
    area.ForeColor = kLabelText;
    area.print(text);
}

QString LabelText(const Message& which, const ColorObject& object, int languageIndex)
{
    return QString::fromStdString(std::string(Tr(which, languageIndex)) + " (" + object.Name + ")");
}

} // namespace

void DrawMarker(PictureArea& area, double X, double Y)
{
    constexpr double pi = std::numbers::pi;
    area.FillStyle = 0;
    area.FillColor = kWhite;
    area.circle(X, Y, 8, kBlack);
    area.FillColor = kBlack;
    // Negative angles close the arcs into pie slices; -0.001 stands in for 0,
    // which has no negative.
    area.circle(X, Y, 6, kBlack, -0.001, -pi / 2);
    area.circle(X, Y, 6, kBlack, -pi, -3 * pi / 2);
}

void DrawOrigin(PictureArea& picSide, double OriginX, double OriginY, double dScale)
{
    const double px = OriginX / dScale;
    const double py = OriginY / dScale;
    // Without a usable scale there is no place to put the mark.
    if (!std::isfinite(px) || !std::isfinite(py))
        return;
    picSide.FillStyle = 0;
    picSide.FillColor = kBlack;
    picSide.ForeColor = kBlack;
    picSide.circle(px, py, 4, kYellow);
    picSide.line(px, py, px + 50, py);
    picSide.line(px, py, px, py + 50);
    picSide.CurrentX = px + 50;
    picSide.CurrentY = py;
    picSide.print(QStringLiteral("x"));
    picSide.CurrentX = px;
    picSide.CurrentY = py + 50;
    picSide.print(QStringLiteral("y"));
}

std::vector<PlotItem> ResultMarks(const ColorObjectTable& ColorObjects, const RunValues& values, double OriginX,
                                  double OriginY, int languageIndex)
{
    using Shape = PlotItem::Shape;
    using Shows = PlotItem::Shows;
    std::vector<PlotItem> items;
    const double ScaleFactor = values.ScaleFactor;
    for (std::size_t i = 0; i < ColorObjects.size(); ++i) {
        const ColorObject& object = ColorObjects[i];
        if (!(object.Area > 0.0))
            continue;
        const bool total = i == 0;
        // The summation left the positions origin-relative; adding the origin
        // back means moving the origin never moves a marker.
        const double Xc = (values.CGPoint[i].x + OriginX) / ScaleFactor;
        const double Yc = (values.CGPoint[i].y + OriginY) / ScaleFactor;
        const double Xa = (values.ACPoint[i].x + OriginX) / ScaleFactor;
        // The A.C. is a position along x only; it sits on its centroid's row.
        const double Ya = Yc;
        const Shows ac = total ? Shows::Always : Shows::WithAC;
        items.push_back({Shape::Marker, ac, Xa, Ya, 0, 0, {}, total});
        items.push_back({Shape::Marker, Shows::WithCG, Xc, Yc, 0, 0, {}, total});
        items.push_back(
            {Shape::Label, Shows::WithCG, Xc, Yc, 6, -16, LabelText(msg::CG, object, languageIndex), total});
        items.push_back({Shape::Label, ac, Xa, Ya, 6, 6, LabelText(msg::AC, object, languageIndex), total});
    }
    return items;
}

void DrawItem(PictureArea& area, const PlotItem& item, double x, double y)
{
    area.setFontBold(item.bold);
    area.ForeColor = kWhite;
    if (item.shape == PlotItem::Shape::Marker)
        DrawMarker(area, x + item.dx, y + item.dy);
    else
        PrintLabel(area, x + item.dx, y + item.dy, item.text);
    area.ForeColor = kWhite;
}

void DrawMarks(PictureArea& area, const std::vector<PlotItem>& items, PlotChoice choice)
{
    for (const PlotItem& item : items)
        if (Shown(item.shows, choice))
            DrawItem(area, item, item.x, item.y);
}

void PlotResults(PictureArea& picSide, const ColorObjectTable& ColorObjects, const RunValues& values, double OriginX,
                 double OriginY, PlotChoice choice, int languageIndex)
{
    picSide.DrawMode = 13;
    picSide.setAutoRedraw(true);
    DrawOrigin(picSide, OriginX, OriginY, values.ScaleFactor);
    DrawMarks(picSide, ResultMarks(ColorObjects, values, OriginX, OriginY, languageIndex), choice);
}

} // namespace centrafix
