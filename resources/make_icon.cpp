// Draws the program's icon: a planform in the program's flat colours with the
// centroid marker on it. One set of shapes gives the scalable SVG and the PNG
// sizes of the icon theme, so the two never drift apart.
//
//   centrafix-make-icon OUTPUT_DIR    writes OUTPUT_DIR/centrafix.svg and
//                                     OUTPUT_DIR/<N>x<N>/centrafix.png

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QTextStream>

#include <cstdio>
#include <vector>

namespace {

// On a 64 x 64 grid.
struct Shape {
    QColor color;
    std::vector<QPointF> points;
};

const QColor kTile(244, 244, 238);

const std::vector<Shape>& Shapes()
{
    static const std::vector<Shape> shapes = {
        {QColor(255, 0, 0), {{23, 5}, {31, 5}, {38, 59}, {27, 59}}},                    // wing
        {QColor(0, 0, 255), {{49, 19}, {54, 19}, {58, 45}, {50, 45}}},                  // tailplane
        {QColor(0, 0, 0), {{5, 32}, {11, 28}, {57, 29}, {60, 32}, {57, 35}, {11, 36}}}, // fuselage
        {QColor(0, 200, 0), {{24, 14}, {36, 14}, {36, 17}, {24, 17}}},                  // tank
        {QColor(0, 200, 0), {{27, 47}, {39, 47}, {39, 50}, {27, 50}}},                  // tank
    };
    return shapes;
}

constexpr double kMarkerX = 32, kMarkerY = 32, kMarkerRadius = 6;

QString SvgPoints(const std::vector<QPointF>& points)
{
    QStringList list;
    for (const QPointF& p : points)
        list << QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
    return list.join(' ');
}

QString Svg()
{
    QString svg;
    QTextStream out(&svg);
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 64\">\n";
    out << "  <rect x=\"1\" y=\"1\" width=\"62\" height=\"62\" rx=\"10\" fill=\"" << kTile.name() << "\"/>\n";
    for (const Shape& s : Shapes())
        out << "  <polygon points=\"" << SvgPoints(s.points) << "\" fill=\"" << s.color.name() << "\"/>\n";
    // The centroid marker: a white disc in a black ring, two black quarters.
    out << "  <circle cx=\"32\" cy=\"32\" r=\"6\" fill=\"#ffffff\" stroke=\"#000000\" stroke-width=\"1.2\"/>\n";
    out << "  <path d=\"M32,32 L37,32 A5,5 0 0,0 32,27 Z M32,32 L27,32 A5,5 0 0,0 32,37 Z\" fill=\"#000000\"/>\n";
    out << "</svg>\n";
    return svg;
}

QImage Png(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kTile);
    painter.drawRoundedRect(QRectF(1, 1, 62, 62), 10, 10);
    for (const Shape& s : Shapes()) {
        painter.setBrush(s.color);
        painter.drawPolygon(QPolygonF(QList<QPointF>(s.points.begin(), s.points.end())));
    }
    painter.setBrush(Qt::white);
    painter.setPen(QPen(Qt::black, 1.2));
    painter.drawEllipse(QPointF(kMarkerX, kMarkerY), kMarkerRadius, kMarkerRadius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const QRectF quarter(kMarkerX - 5, kMarkerY - 5, 10, 10);
    painter.drawPie(quarter, 0 * 16, 90 * 16);
    painter.drawPie(quarter, 180 * 16, 90 * 16);
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: centrafix-make-icon OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QFile svg(out.filePath(QStringLiteral("centrafix.svg")));
    if (!out.mkpath(QStringLiteral(".")) || !svg.open(QIODevice::WriteOnly) || svg.write(Svg().toUtf8()) < 0)
        return 1;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1x%1").arg(size);
        if (!out.mkpath(dir) || !Png(size).save(out.filePath(dir + QStringLiteral("/centrafix.png"))))
            return 1;
    }
    return 0;
}
