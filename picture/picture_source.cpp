#include "picture_source.h"

#include "example_bitmap.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace centrafix {

QImage ToWorkingCopy(const QImage& image)
{
    if (image.format() == QImage::Format_RGB32)
        return image;
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
    painter.end();
    return opaque;
}

PictureLoad LoadPictureFile(const QString& path)
{
    PictureLoad load;
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        load.error = QStringLiteral("%1: no such file").arg(path);
        return load;
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage decoded = reader.read();
    if (decoded.isNull()) {
        load.error = QStringLiteral("%1: not a readable picture (%2)").arg(path, reader.errorString());
        return load;
    }
    load.image = ToWorkingCopy(decoded);
    return load;
}

QImage ExamplePicture()
{
    const std::span<const unsigned char> bytes = ExampleBitmapBytes();
    const QImage decoded = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP");
    return ToWorkingCopy(decoded);
}

RasterView RasterViewOf(const QImage& image)
{
    Q_ASSERT(image.format() == QImage::Format_RGB32 || image.isNull());
    RasterView view;
    if (image.isNull())
        return view;
    view.bits = reinterpret_cast<const std::uint32_t*>(image.constBits());
    view.width = image.width();
    view.height = image.height();
    view.stride = image.bytesPerLine() / 4;
    return view;
}

} // namespace centrafix
