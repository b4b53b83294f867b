#include "true_size_pages.h"

#include "report_texts.h"

#include "engine/length_unit.h"
#include "engine/number_text.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace centrafix {
namespace {

constexpr double kTopBand = 9.0;     // the page label, millimetres
constexpr double kBottomBand = 16.0; // the check bar and its label
constexpr double kRoom = 5.0;        // round the printed part of the plan
constexpr double kCrossArm = 4.0;
constexpr double kBarHeight = 2.0;

const QColor kOutlineColour(0, 0, 170);
const QColor kMacColour(255, 140, 0);
const QColor kBandEdge(0, 130, 0);
const QColor kBandFill(0, 200, 0, 60);

QString Text(const Message& message, int languageIndex, std::initializer_list<std::string_view> args = {})
{
    return QString::fromStdString(Tr(message, languageIndex, args));
}

QFont LabelFont(double points, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The picture's painted part: the rectangle of its pixels that are not
// (nearly) white; none when all are.
std::optional<QRect> PaintedPart(const QImage& picture)
{
    const QImage rgb = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_RGB32);
    int left = rgb.width(), right = -1, top = rgb.height(), bottom = -1;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if (qRed(line[x]) + qGreen(line[x]) + qBlue(line[x]) < 3 * 235) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        return std::nullopt;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

const QImage& PlanPicture(const ReportContent& content)
{
    return content.plain.isNull() ? content.annotated : content.plain;
}

// Picture pixels to device pixels for one page.
QTransform PageTransform(const PageFrame& frame, const TrueSizeLayout& layout, int row, int column)
{
    QTransform t;
    const QPointF corner = frame.at(layout.window.left(), layout.window.top());
    t.translate(corner.x(), corner.y());
    t.scale(layout.mmPerPixel * frame.pixelsPerMmX, layout.mmPerPixel * frame.pixelsPerMmY);
    t.translate(-(layout.region.left() + column * layout.grid.stepX / layout.mmPerPixel),
                -(layout.region.top() + row * layout.grid.stepY / layout.mmPerPixel));
    return t;
}

void DrawLabel(QPainter& painter, QPointF baseline, const QString& text, const QColor& colour)
{
    const QRectF box = QRectF(painter.fontMetrics().boundingRect(text)).translated(baseline);
    painter.fillRect(box.adjusted(-2, -1, 2, 1), QColor(255, 255, 255, 210));
    painter.setPen(colour);
    painter.drawText(baseline, text);
}

class TrueSizePage {
public:
    TrueSizePage(QPainter& painter, const PageFrame& frame, const ReportContent& content,
                 const TrueSizeLayout& layout)
        : m_painter(painter),
          m_frame(frame),
          m_content(content),
          m_layout(layout)
    {}

    void draw(int row, int column, int page, int pages, Paper paper)
    {
        const QRectF window = m_frame.rect(m_layout.window.left(), m_layout.window.top(), m_layout.window.width(),
                                           m_layout.window.height());
        m_t = PageTransform(m_frame, m_layout, row, column);
        m_painter.save();
        m_painter.setClipRect(window);
        m_painter.save();
        m_painter.setTransform(m_t);
        // The whole picture, at its own pixels: the PDF keeps one copy for
        // every page, the clip shows this page's piece.
        m_painter.drawImage(QPointF(0, 0), PlanPicture(m_content));
        m_painter.restore();
        m_painter.setFont(LabelFont(7.0));
        if (m_content.balance)
            drawBalance(*m_content.balance);
        drawAlignment(row, column);
        m_painter.restore();

        m_painter.setPen(QPen(Qt::gray, m_frame.width(0.15)));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(window);
        drawBands(row, column, page, pages, paper);
    }

private:
    QPen pen(const QColor& colour, double widthMm, Qt::PenStyle style = Qt::SolidLine) const
    {
        return QPen(colour, m_frame.width(widthMm), style, Qt::FlatCap, Qt::MiterJoin);
    }

    void drawBalance(const aero::Balance& balance)
    {
        const int language = m_content.languageIndex;
        const BalanceShapes shapes = BalanceShapesOf(balance, m_content.placement);

        const QRectF band = m_t.mapRect(shapes.cgBand);
        m_painter.fillRect(band, kBandFill);
        m_painter.setPen(pen(kBandEdge, 0.4));
        m_painter.drawLine(band.topLeft(), band.bottomLeft());
        m_painter.drawLine(band.topRight(), band.bottomRight());
        DrawLabel(m_painter, band.bottomLeft() + QPointF(0, m_frame.height(3.5)), Text(kReportCgRange, language),
                  kBandEdge.darker(150));

        m_painter.setBrush(Qt::NoBrush);
        m_painter.setPen(pen(kOutlineColour, 0.3));
        for (const aero::SurfaceBalance& surface : balance.surfaces)
            m_painter.drawPolygon(m_t.map(OutlinePolygon(surface.outline)));

        std::size_t bar = 0;
        for (const aero::SurfaceBalance& surface : balance.surfaces) {
            const int bars = surface.geometry.macY == 0.0 ? 1 : 2;
            const QString label = Text(kReportMac, language, {length(surface.geometry.mac)});
            for (int k = 0; k < bars && bar < shapes.macBars.size(); ++k, ++bar) {
                const QLineF line = m_t.map(shapes.macBars[bar]);
                m_painter.setPen(pen(kMacColour, 0.6));
                m_painter.drawLine(line);
                DrawLabel(m_painter, line.p1() + QPointF(0, -m_frame.height(1.2)), label, kMacColour.darker(160));
            }
        }

        const QPointF np = m_t.map(shapes.neutralPoint);
        const double r = m_frame.width(2.0);
        const QPointF diamond[] = {np + QPointF(0, -r), np + QPointF(r, 0), np + QPointF(0, r), np + QPointF(-r, 0)};
        m_painter.setPen(pen(Qt::white, 0.3));
        m_painter.setBrush(Qt::black);
        m_painter.drawPolygon(diamond, 4);
        m_painter.setBrush(Qt::NoBrush);
        DrawLabel(m_painter, np + QPointF(r * 1.3, -r * 1.1), Text(kReportNeutralPoint, language), Qt::black);
    }

    std::string length(double value) const
    {
        std::string text = FormatLength(value, 2, m_content.decimalSeparator);
        if (!m_content.unit.empty())
            text.append(" ").append(m_content.unit);
        return text;
    }

    // Crosses in the middle of every overlap, at the same places of the plan
    // on both pages that share it, and a dashed line where the neighbour's
    // piece begins.
    void drawAlignment(int row, int column)
    {
        const TileGrid& grid = m_layout.grid;
        const QRectF& w = m_layout.window;
        const double left = column * grid.stepX; // this page's piece, millimetres of plan
        const double top = row * grid.stepY;
        const double along[] = {0.15, 0.5, 0.85};
        m_painter.setPen(pen(Qt::black, 0.2));
        for (const double x : OverlapMiddles(grid.columns, grid.stepX, w.width())) {
            if (x < left || x > left + w.width())
                continue;
            for (const double f : along)
                drawCross(w.left() + x - left, w.top() + f * w.height());
        }
        for (const double y : OverlapMiddles(grid.rows, grid.stepY, w.height())) {
            if (y < top || y > top + w.height())
                continue;
            for (const double f : along)
                drawCross(w.left() + f * w.width(), w.top() + y - top);
        }
        m_painter.setPen(pen(Qt::gray, 0.2, Qt::DashLine));
        if (column + 1 < grid.columns)
            m_painter.drawLine(m_frame.at(w.right() - kTileOverlap, w.top()),
                               m_frame.at(w.right() - kTileOverlap, w.bottom()));
        if (column > 0)
            m_painter.drawLine(m_frame.at(w.left() + kTileOverlap, w.top()),
                               m_frame.at(w.left() + kTileOverlap, w.bottom()));
        if (row + 1 < grid.rows)
            m_painter.drawLine(m_frame.at(w.left(), w.bottom() - kTileOverlap),
                               m_frame.at(w.right(), w.bottom() - kTileOverlap));
        if (row > 0)
            m_painter.drawLine(m_frame.at(w.left(), w.top() + kTileOverlap),
                               m_frame.at(w.right(), w.top() + kTileOverlap));
    }

    void drawCross(double xMm, double yMm)
    {
        m_painter.drawLine(m_frame.at(xMm - kCrossArm, yMm), m_frame.at(xMm + kCrossArm, yMm));
        m_painter.drawLine(m_frame.at(xMm, yMm - kCrossArm), m_frame.at(xMm, yMm + kCrossArm));
        m_painter.drawEllipse(m_frame.at(xMm, yMm), m_frame.width(kCrossArm / 2), m_frame.height(kCrossArm / 2));
    }

    void drawBands(int row, int column, int page, int pages, Paper paper)
    {
        const int language = m_content.languageIndex;
        const double right = m_frame.paper.width() - kPageMargin;
        m_painter.setPen(Qt::black);
        m_painter.setFont(LabelFont(9.0, true));
        const double ascent = m_painter.fontMetrics().ascent();
        QString heading = Text(kReportTrueSizeHeading, language);
        if (!m_content.title.isEmpty())
            heading += QStringLiteral(" – ") + m_content.title;
        m_painter.drawText(m_frame.at(kPageMargin, kPageMargin) + QPointF(0, ascent), heading);
        const QString label = Text(kReportPageLabel, language,
                                   {std::to_string(row + 1), std::to_string(column + 1), std::to_string(page),
                                    std::to_string(pages)});
        const double labelWidth = m_painter.fontMetrics().horizontalAdvance(label);
        m_painter.drawText(m_frame.at(right, kPageMargin) + QPointF(-labelWidth, ascent), label);

        // The check bar: a solid bar exactly its length, ticks every 10 mm
        // (every half inch on Letter) above it, not beyond its ends.
        const double bar = CheckBarMillimetres(paper);
        const double barTop = m_frame.paper.height() - kPageMargin - kBarHeight - 4.0;
        m_painter.fillRect(m_frame.rect(kPageMargin, barTop, bar, kBarHeight), Qt::black);
        const double tick = paper == Paper::Letter ? 25.4 / 2 : 10.0;
        m_painter.setPen(pen(Qt::black, 0.2));
        for (double x = 0.0; x <= bar + 1e-9; x += tick) {
            const double at = std::clamp(kPageMargin + x, kPageMargin + 0.1, kPageMargin + bar - 0.1);
            m_painter.drawLine(m_frame.at(at, barTop - 1.5), m_frame.at(at, barTop));
        }
        m_painter.setFont(LabelFont(7.5));
        const double small = m_painter.fontMetrics().ascent();
        m_painter.setPen(Qt::black);
        m_painter.drawText(m_frame.at(kPageMargin, barTop + kBarHeight + 0.8) + QPointF(0, small),
                           Text(kReportCheckBar, language, {CheckBarLabel(paper).toStdString()}));
        if (m_layout.grid.pages() > 1)
            m_painter.drawText(m_frame.at(kPageMargin + bar + 4.0, barTop - 1.5) + QPointF(0, small),
                               Text(kReportOverlap, language, {FormatGeneral(kTileOverlap)}));
    }

    QPainter& m_painter;
    const PageFrame& m_frame;
    const ReportContent& m_content;
    const TrueSizeLayout& m_layout;
    QTransform m_t;
};

} // namespace

std::optional<double> MillimetresPerPixel(const ReportContent& content)
{
    const std::optional<double> metres = MetresPerUnit(content.unit);
    const double scale = content.placement.ScaleFactor;
    if (!metres || !(scale > 0.0) || !std::isfinite(scale))
        return std::nullopt;
    const double mm = scale * *metres * 1000.0;
    if (!(mm > 0.0) || !std::isfinite(mm))
        return std::nullopt;
    return mm;
}

std::optional<TrueSizeLayout> LayOutTrueSize(const ReportContent& content, Paper paper)
{
    const std::optional<double> mmPerPixel = MillimetresPerPixel(content);
    const QImage& picture = PlanPicture(content);
    if (!mmPerPixel || picture.isNull())
        return std::nullopt;
    TrueSizeLayout layout;
    layout.mmPerPixel = *mmPerPixel;
    const QRectF whole(QPointF(0, 0), QSizeF(picture.size()));
    QRectF region = whole;
    if (const std::optional<QRect> painted = PaintedPart(picture))
        region = QRectF(*painted).adjusted(0, 0, 1, 1);
    if (content.balance) {
        const BalanceShapes shapes = BalanceShapesOf(*content.balance, content.placement);
        if (shapes.cgBand.isValid())
            region |= shapes.cgBand;
    }
    const double room = kRoom / layout.mmPerPixel;
    layout.region = region.adjusted(-room, -room, room, room) & whole;
    const QSizeF paperMm = QPageSize(PageSizeIdOf(paper)).size(QPageSize::Millimeter);
    layout.window = QRectF(kPageMargin, kPageMargin + kTopBand, paperMm.width() - 2 * kPageMargin,
                           paperMm.height() - 2 * kPageMargin - kTopBand - kBottomBand);
    layout.grid = TilesFor(layout.region.width() * layout.mmPerPixel, layout.region.height() * layout.mmPerPixel,
                           layout.window.width(), layout.window.height(), kTileOverlap);
    return layout;
}

void DrawTrueSizePage(QPainter& painter, const PageFrame& frame, const ReportContent& content,
                      const TrueSizeLayout& layout, int row, int column, int page, int pages, Paper paper)
{
    TrueSizePage(painter, frame, content, layout).draw(row, column, page, pages, paper);
}

QPolygonF OutlinePolygon(const aero::Outline& outline)
{
    QPolygonF polygon;
    const auto add = [&polygon](double x, double y) {
        if (polygon.isEmpty() || polygon.back() != QPointF(x, y))
            polygon << QPointF(x, y);
    };
    const int first = outline.firstRow;
    for (std::size_t i = 0; i < outline.rows.size(); ++i) {
        add(outline.rows[i].lead, first + double(i));
        add(outline.rows[i].lead, first + double(i) + 1);
    }
    for (std::size_t i = outline.rows.size(); i-- > 0;) {
        add(outline.rows[i].trail, first + double(i) + 1);
        add(outline.rows[i].trail, first + double(i));
    }
    return polygon;
}

} // namespace centrafix
