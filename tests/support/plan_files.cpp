#include "plan_files.h"

#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

namespace centrafix::test {

namespace {

constexpr double kWriterDpi = 720.0;
constexpr double kUnitsPerMm = kWriterDpi / 25.4;

// The drawing in millimetres, on a painter whose units are millimetres.
void DrawPlan(QPainter& painter, const PlanPage& page)
{
    const double w = page.size.width(), h = page.size.height();
    painter.setPen(QPen(Qt::black, 0.5, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(kUprightX, kUprightFromY), QPointF(kUprightX, kUprightToY));
    painter.drawLine(QPointF(kLevelFromX, kLevelY), QPointF(kLevelToX, kLevelY));
    painter.fillRect(page.filled, page.fill);

    // Wing and tail outlines, right of the lines.
    const double x0 = 100.0, span = w - x0 - 10.0;
    painter.setPen(QPen(Qt::black, 0.35));
    painter.drawPolygon(QPolygonF({QPointF(x0, 60), QPointF(x0 + span, 70), QPointF(x0 + span, 85), QPointF(x0, 100)}));
    painter.drawPolygon(
        QPolygonF({QPointF(x0, 120), QPointF(x0 + span / 2, 125), QPointF(x0 + span / 2, 132), QPointF(x0, 140)}));
    // Hatching of the root rib, a dimension line with its arrows and text.
    for (double x = x0 + 2; x < x0 + 12; x += 2)
        painter.drawLine(QPointF(x, 62), QPointF(x + 6, 98));
    painter.drawLine(QPointF(x0, 50), QPointF(x0 + span, 50));
    painter.drawPolygon(QPolygonF({QPointF(x0, 50), QPointF(x0 + 3, 49), QPointF(x0 + 3, 51)}));
    painter.drawPolygon(QPolygonF({QPointF(x0 + span, 50), QPointF(x0 + span - 3, 49), QPointF(x0 + span - 3, 51)}));
    QFont font = painter.font();
    font.setPointSizeF(4.0 * 72.0 / kWriterDpi); // 4 mm on a painter in millimetres
    painter.setFont(font);
    painter.drawText(QPointF(x0 + span / 2 - 5, 48), QStringLiteral("%1 mm").arg(span));
    painter.drawText(QPointF(x0 + 5, 110), QStringLiteral("WING 1:10"));
    painter.drawText(QPointF(x0 + 5, 150), QStringLiteral("TAIL"));
    painter.drawText(QPointF(10, h - 10), QStringLiteral("Centrafix test plan"));
}

QString Number(double value)
{
    return QString::number(value, 'g', 10);
}

} // namespace

bool WritePlanPdf(const QString& path, const std::vector<PlanPage>& pages)
{
    QPdfWriter writer(path);
    writer.setResolution(static_cast<int>(kWriterDpi));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageSize(QPageSize(pages.front().size, QPageSize::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            writer.setPageSize(QPageSize(pages[i].size, QPageSize::Millimeter));
            writer.newPage();
        }
        painter.save();
        painter.scale(kUnitsPerMm, kUnitsPerMm);
        DrawPlan(painter, pages[i]);
        painter.restore();
    }
    return painter.end();
}

QByteArray PlanSvg(const PlanPage& page)
{
    const double w = page.size.width(), h = page.size.height(), x0 = 100.0, span = w - x0 - 10.0;
    QString svg = QStringLiteral(
                      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1mm\" height=\"%2mm\" "
                      "viewBox=\"0 0 %1 %2\">\n")
                      .arg(Number(w), Number(h));
    svg += QStringLiteral(
               "<g stroke=\"black\" stroke-width=\"0.5\">"
               "<line x1=\"%1\" y1=\"%2\" x2=\"%1\" y2=\"%3\"/>"
               "<line x1=\"%4\" y1=\"%5\" x2=\"%6\" y2=\"%5\"/></g>\n")
               .arg(Number(kUprightX), Number(kUprightFromY), Number(kUprightToY), Number(kLevelFromX), Number(kLevelY),
                    Number(kLevelToX));
    svg += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>\n")
               .arg(Number(page.filled.x()), Number(page.filled.y()), Number(page.filled.width()),
                    Number(page.filled.height()), page.fill.name());
    svg +=
        QStringLiteral(
            "<g fill=\"none\" stroke=\"black\" stroke-width=\"0.35\">"
            "<polygon points=\"%1,60 %2,70 %2,85 %1,100\"/>"
            "<polygon points=\"%1,120 %3,125 %3,132 %1,140\"/>"
            "<path d=\"M%4,62 l6,36 M%5,62 l6,36 M%6,62 l6,36\"/>"
            "<line x1=\"%1\" y1=\"50\" x2=\"%2\" y2=\"50\"/></g>\n")
            .arg(Number(x0), Number(x0 + span), Number(x0 + span / 2), Number(x0 + 2), Number(x0 + 4), Number(x0 + 6));
    svg += QStringLiteral(
               "<text x=\"%1\" y=\"110\" font-size=\"4\">WING 1:10</text>"
               "<text x=\"%2\" y=\"48\" font-size=\"4\">%3 mm</text>\n</svg>\n")
               .arg(Number(x0 + 5), Number(x0 + span / 2 - 5), Number(span));
    return svg.toUtf8();
}

QByteArray HandMadePdf(const std::vector<QByteArray>& objects, const QByteArray& trailer)
{
    QByteArray pdf = "%PDF-1.4\n";
    std::vector<qsizetype> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += QByteArray::number(static_cast<qulonglong>(i + 1)) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(static_cast<qulonglong>(objects.size() + 1)) + "\n0000000000 65535 f \n";
    for (qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(static_cast<qulonglong>(objects.size() + 1)) + " /Root 1 0 R " +
           trailer + " >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

QByteArray EncryptedPdf()
{
    // The standard security handler, revision 2: the empty password does not
    // match the stored one, so the pages stay locked.
    const QByteArray key32 = "<" + QByteArray(64, 'A') + ">";
    return HandMadePdf({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >>",
                        "<< /Filter /Standard /V 1 /R 2 /O " + key32 + " /U " + key32 + " /P -44 >>"},
                       "/Encrypt 4 0 R /ID [<00112233445566778899AABBCCDDEEFF> <00112233445566778899AABBCCDDEEFF>]");
}

QByteArray PdfWithoutPages()
{
    return HandMadePdf({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [] /Count 0 >>"});
}

} // namespace centrafix::test
