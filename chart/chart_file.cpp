#include "chart_file.h"

#include "chart_texts.h"
#include "spanwise_chart.h"

#include "picture/files/atomic_file.h"
#include "picture/files/png_write.h"

#include <QBuffer>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

namespace centrafix {
namespace {

constexpr Message kCannotWriteChart{"das Diagramm kann nicht geschrieben werden (%1)", "cannot write the chart (%1)"};

void Draw(QGraphicsScene& scene, QPaintDevice& device)
{
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF area(QPointF(0, 0), QSizeF(kChartFileSize));
    scene.render(&painter, area, area);
}

// The chart of these samples as the bytes of a file of that format, or
// the reason there are none.
Result<QByteArray> RenderChart(const SpanwiseSamples& samples, int languageIndex, ChartFormat format,
                               const QString& path)
{
    // A chart of its own at the file's size, not the one on screen: the file
    // looks the same whatever size the user gave the chart's window, and the
    // same as the batch command's.
    QGraphicsScene scene;
    auto* chart = new SpanwiseChart(languageIndex); // the scene owns it
    scene.addItem(chart);
    chart->setSamples(samples);
    chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(kChartFileSize)));
    chart->layout()->activate();
    scene.setSceneRect(chart->geometry());

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == ChartFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(kChartFileSize);
        svg.setViewBox(QRect(QPoint(0, 0), kChartFileSize));
        svg.setTitle(QString::fromUtf8(Tr(kChartTitle, languageIndex)));
        Draw(scene, svg);
    } else {
        QImage image(kChartFileSize, QImage::Format_RGB32);
        image.fill(Qt::white);
        Draw(scene, image);
        image.setText(QString::fromLatin1(kChartPngKey), QString::fromLatin1(kChartPngMark));
        if (std::optional<Error> failure = WritePng(buffer, image))
            return Described(path.toStdString(), kCannotWriteChart, {ReasonOf(*failure)});
    }
    return bytes;
}

} // namespace

std::optional<Error> WriteChartFile(const QString& path, const SpanwiseSamples& samples, int languageIndex)
{
    const Result<ChartFormat> format = ChartFormatOf(path);
    if (!format)
        return format.error();
    const Result<QByteArray> bytes = RenderChart(samples, languageIndex, *format, path);
    if (!bytes)
        return bytes.error(); // nothing is written, so a file already there stays as it was
    return WriteFileSafely(path, kCannotWriteChart,
                           [&](QIODevice& device) { return WriteAll(device, bytes->constData(), bytes->size()); });
}

} // namespace centrafix
