// A plan as users get it, a PDF or an SVG drawn in lines, rendered at 150 dpi
// and filled: each outline measures its exact polygon area within 0.5 %,
// to the middle of its 0.5 mm lines, with text, a dimension line and a
// hatched section beside it.

#include "line_plan.h"

#include "picture/edits/paint_fill.h"
#include "picture/formats/plan_document.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>

using namespace centrafix;
using centrafix::testing::AreaMm2;
using centrafix::testing::ShoelaceArea;

namespace {

constexpr double kWriterDpi = 720.0;

// A swept, tapered wing and a tailplane, in millimetres on an A4 landscape
// page, and a point inside each.
const QPolygonF kWing({{40, 30}, {75, 30}, {105, 95}, {75, 160}, {40, 160}});
const QPolygonF kTail({{180, 70}, {205, 70}, {214, 95}, {205, 120}, {180, 120}});
const QPointF kInWing(55, 95), kInTail(195, 95);

void DrawPlan(QPainter& p)
{
    p.setPen(QPen(Qt::black, 0.5));
    p.drawPolygon(kWing);
    p.drawPolygon(kTail);
    // A dimension line with its arrows and figure, a hatched section and a
    // title, all beside the outlines.
    p.drawLine(QPointF(40, 175), QPointF(105, 175));
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF({{40, 175}, {44, 174}, {44, 176}}));
    p.drawPolygon(QPolygonF({{105, 175}, {101, 174}, {101, 176}}));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(230, 30, 40, 20));
    for (double x = 232; x < 270; x += 3)
        p.drawLine(QPointF(x, 30), QPointF(x - 2, 50));
    QFont font = p.font();
    font.setPointSizeF(4.0 * 72.0 / kWriterDpi);
    p.setFont(font);
    p.drawText(QPointF(62, 172), QStringLiteral("65 mm"));
    p.drawText(QPointF(150, 190), QStringLiteral("Tragfläche und Höhenleitwerk 1:1"));
}

bool WritePdf(const QString& path)
{
    QPdfWriter writer(path);
    writer.setResolution(static_cast<int>(kWriterDpi));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageSize(QPageSize(QSizeF(297, 210), QPageSize::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    painter.scale(kWriterDpi / 25.4, kWriterDpi / 25.4);
    DrawPlan(painter);
    return painter.end();
}

QString Points(const QPolygonF& polygon)
{
    QStringList points;
    for (const QPointF& p : polygon)
        points << QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
    return points.join(' ');
}

bool WriteSvg(const QString& path)
{
    QString svg = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"297mm\" height=\"210mm\" "
        "viewBox=\"0 0 297 210\">\n"
        "<g fill=\"none\" stroke=\"black\" stroke-width=\"0.5\">\n");
    for (const QPolygonF* outline : {&kWing, &kTail})
        svg += QStringLiteral("<polygon points=\"%1\"/>\n").arg(Points(*outline));
    svg += QStringLiteral(
        "<line x1=\"40\" y1=\"175\" x2=\"105\" y2=\"175\"/>\n"
        "<rect x=\"230\" y=\"30\" width=\"40\" height=\"20\"/>\n");
    for (double x = 232; x < 270; x += 3)
        svg += QStringLiteral("<line x1=\"%1\" y1=\"30\" x2=\"%2\" y2=\"50\"/>\n").arg(x).arg(x - 2);
    svg += QStringLiteral(
        "</g>\n<text x=\"62\" y=\"172\" font-size=\"4\">65 mm</text>\n"
        "<text x=\"150\" y=\"190\" font-size=\"4\">Tragfläche 1:1</text>\n</svg>\n");
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(svg.toUtf8()) > 0;
}

QPoint Pixel(QPointF mm, double dpi)
{
    return QPoint(static_cast<int>(mm.x() * dpi / 25.4), static_cast<int>(mm.y() * dpi / 25.4));
}

} // namespace

TEST(PlanFill, OutlinesOfPdfAndSvgPlansMeasureTheirPolygonsAt150Dpi)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("plan.pdf"), svg = dir.filePath("plan.svg");
    ASSERT_TRUE(WritePdf(pdf));
    ASSERT_TRUE(WriteSvg(svg));
    for (const QString& path : {pdf, svg}) {
        SCOPED_TRACE(path.toStdString());
        Result<QImage> page = RenderPlanPage(path, 1, 150.0);
        ASSERT_TRUE(page.ok()) << ErrorText(page.error(), kEnglish);
        QImage picture = *page;
        for (const auto& [inside, colour] : {std::pair{kInWing, 2}, std::pair{kInTail, 4}}) {
            const Result<std::int64_t> filled = FillRegion(picture, Pixel(inside, 150.0), colour, FillSettings{});
            ASSERT_TRUE(filled.ok()) << ErrorText(filled.error(), kEnglish);
        }
        const double wing = AreaMm2(picture, qRgb(255, 0, 0), 150.0);
        const double tail = AreaMm2(picture, qRgb(0, 0, 255), 150.0);
        EXPECT_NEAR(wing / ShoelaceArea(kWing), 1.0, 0.005) << wing << " mm² of " << ShoelaceArea(kWing);
        EXPECT_NEAR(tail / ShoelaceArea(kTail), 1.0, 0.005) << tail << " mm² of " << ShoelaceArea(kTail);
    }
}
