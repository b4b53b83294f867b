#include "balance_marks.h"

#include "engine/message.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace centrafix {
namespace {

constexpr Message kNeutralPointLabel{"N.P.", "N.P."};
constexpr Message kCgRangeLabel{"Schwerpunktbereich", "C.G. range"};
constexpr Message kWeighedCgLabel{"Schwerpunkt (Massen)", "C.G. (masses)"};

// Orange bars and a green band: none of the seven colours, so a mark never
// passes for a painted object, and both show on black, red and blue.
const QColor kMacColour(255, 140, 0);
const QColor kBandEdge(0, 150, 0);
const QColor kBandFill(0, 200, 0, 70);
const QColor kWeighedColour(120, 0, 200);
constexpr double kBarWidth = 3.0;

QPointF Pixel(double x, double y, const BalancePlacement& placement)
{
    return {(x + placement.OriginX) / placement.ScaleFactor, (y + placement.OriginY) / placement.ScaleFactor};
}

bool Finite(QPointF p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

QPointF Zoomed(QPointF p, double zoom)
{
    return p * zoom;
}

// A label on a white box, readable over the fuselage's black as over the
// wing's red; `baseline` is where its text starts.
void DrawLabel(QPainter& painter, QPointF baseline, const QString& text, const QColor& colour)
{
    const QRectF box = QRectF(painter.fontMetrics().boundingRect(text)).translated(baseline).adjusted(-2, -1, 2, 1);
    painter.fillRect(box, QColor(255, 255, 255, 220));
    painter.setPen(colour);
    painter.drawText(baseline, text);
}

// Qt fills a tall rectangle on several threads of its own and waits for
// them; where the system can start no thread (memory short, an address-space
// limit) it waits forever. Strips of 64 rows are filled on this thread.
void FillInStrips(QPainter& painter, const QRectF& rect, const QColor& colour)
{
    constexpr double kStrip = 64.0;
    for (double top = rect.top(); top < rect.bottom(); top += kStrip)
        painter.fillRect(QRectF(rect.left(), top, rect.width(), std::min(kStrip, rect.bottom() - top)), colour);
}

// The weighed C.G.: a C.G. roundel in violet and white quarters, larger
// than the run's black and white C.G. markers and with its own label, so it
// is told apart from them and from the neutral point's diamond (violet is
// none of the seven colours either).
void DrawWeighedCg(QPainter& painter, QPointF centre, int languageIndex)
{
    constexpr double kRadius = 8.0;
    const QRectF disc(centre - QPointF(kRadius, kRadius), centre + QPointF(kRadius, kRadius));
    painter.setPen(Qt::NoPen);
    for (int quarter = 0; quarter < 4; ++quarter) {
        painter.setBrush(quarter % 2 == 0 ? kWeighedColour : QColor(Qt::white));
        painter.drawPie(disc, quarter * 90 * 16, 90 * 16);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kWeighedColour, 1.5));
    painter.drawEllipse(disc);
    // Its label to the left, where the run's labels and the neutral point's
    // (all to the right) leave room; where the left edge is too near, below
    // the roundel and moved right just enough to be whole.
    const QString label = QString::fromUtf8(Tr(kWeighedCgLabel, languageIndex));
    const double width = painter.fontMetrics().horizontalAdvance(label);
    const QPointF wanted = centre + QPointF(-kRadius - 4.0 - width, 4.0);
    const double short_ = 2.0 - painter.transform().map(wanted).x();
    const QPointF baseline = short_ <= 0.0 ? wanted : wanted + QPointF(short_, kRadius + 10.0);
    DrawLabel(painter, baseline, label, kWeighedColour);
}

} // namespace

BalanceShapes BalanceShapesOf(const aero::Balance& balance, const BalancePlacement& placement)
{
    BalanceShapes shapes;
    for (const aero::SurfaceBalance& surface : balance.surfaces) {
        const aero::SurfaceGeometry& g = surface.geometry;
        // A surface of one row has its MAC on its middle: one bar, not two.
        const std::vector<double> stations = g.macY == 0.0
                                                 ? std::vector<double>{g.middleY}
                                                 : std::vector<double>{g.middleY - g.macY, g.middleY + g.macY};
        for (const double y : stations)
            shapes.macBars.emplace_back(Pixel(g.macLeadX, y, placement), Pixel(g.macLeadX + g.mac, y, placement));
    }
    if (balance.surfaces.empty())
        return shapes;
    const aero::SurfaceGeometry& wing = balance.wing().geometry;
    shapes.neutralPoint = Pixel(balance.neutralPointX, wing.middleY, placement);
    const QPointF forward = Pixel(balance.range.forwardX, wing.middleY, placement);
    const QPointF aft = Pixel(balance.range.aftX, wing.middleY, placement);
    double top = 0.0;
    double bottom = 0.0;
    if (placement.bandRows) {
        top = placement.bandRows->first;
        bottom = placement.bandRows->second;
    } else {
        const double half = std::max(1.0, wing.mac / placement.ScaleFactor / 2.0);
        top = forward.y() - half;
        bottom = forward.y() + half;
    }
    shapes.cgBand =
        QRectF(QPointF(std::min(forward.x(), aft.x()), top), QPointF(std::max(forward.x(), aft.x()), bottom));
    if (placement.weighedCgX)
        shapes.weighedCg = Pixel(*placement.weighedCgX, wing.middleY, placement);
    return shapes;
}

void DrawBalanceMarks(QPainter& painter, const aero::Balance& balance, const BalancePlacement& placement,
                      int languageIndex, double zoom)
{
    if (balance.surfaces.empty() || !(placement.ScaleFactor > 0.0))
        return;
    const BalanceShapes shapes = BalanceShapesOf(balance, placement);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);

    // The band first, under the bars and the neutral point.
    const QRectF band(Zoomed(shapes.cgBand.topLeft(), zoom), Zoomed(shapes.cgBand.bottomRight(), zoom));
    if (Finite(band.topLeft()) && Finite(band.bottomRight())) {
        FillInStrips(painter, band, kBandFill);
        painter.setPen(QPen(kBandEdge, 2.0));
        painter.drawLine(band.topLeft(), band.bottomLeft());
        painter.drawLine(band.topRight(), band.bottomRight());
        DrawLabel(painter, band.bottomLeft() + QPointF(0.0, 14.0), QString::fromUtf8(Tr(kCgRangeLabel, languageIndex)),
                  kBandEdge.darker(150));
    }

    painter.setPen(QPen(kMacColour, kBarWidth, Qt::SolidLine, Qt::FlatCap));
    for (const QLineF& bar : shapes.macBars)
        if (Finite(bar.p1()) && Finite(bar.p2()))
            painter.drawLine(QLineF(Zoomed(bar.p1(), zoom), Zoomed(bar.p2(), zoom)));

    // The neutral point: a black diamond with a white rim on the plane of
    // symmetry, readable on any of the colours.
    const QPointF np = Zoomed(shapes.neutralPoint, zoom);
    if (Finite(np)) {
        const QPointF diamond[] = {np + QPointF(0, -7), np + QPointF(7, 0), np + QPointF(0, 7), np + QPointF(-7, 0)};
        painter.setPen(QPen(Qt::white, 2.0));
        painter.setBrush(Qt::black);
        painter.drawPolygon(diamond, 4);
        DrawLabel(painter, np + QPointF(9.0, -9.0), QString::fromUtf8(Tr(kNeutralPointLabel, languageIndex)),
                  Qt::black);
    }
    if (shapes.weighedCg && Finite(*shapes.weighedCg))
        DrawWeighedCg(painter, Zoomed(*shapes.weighedCg, zoom), languageIndex);
    painter.restore();
}

QImage WithBalanceMarks(const QImage& picture, const aero::Balance& balance, const BalancePlacement& placement,
                        int languageIndex)
{
    QImage marked = picture.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&marked);
    DrawBalanceMarks(painter, balance, placement, languageIndex);
    return marked;
}

std::optional<std::pair<double, double>> RowsHolding(const QImage& picture, QRgb colour)
{
    const QImage rgb = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_RGB32);
    const QRgb wanted = colour & 0xFFFFFFu;
    std::optional<int> first;
    int last = 0;
    for (int row = 0; row < rgb.height(); ++row) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(row));
        if (std::any_of(line, line + rgb.width(), [wanted](QRgb p) { return (p & 0xFFFFFFu) == wanted; })) {
            if (!first)
                first = row;
            last = row;
        }
    }
    if (!first)
        return std::nullopt;
    return std::pair<double, double>(*first, last + 1.0);
}

} // namespace centrafix
