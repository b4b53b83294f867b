// Writes test pictures of any size for the measurements in the closing notes:
// the built-in example scaled up by nearest neighbour, so every colour stays
// exact. The format follows the file's extension (bmp, png, tif, jpg, gif).
//
//   centrafix-make-picture WIDTH HEIGHT FILE [COUNT]
//
// With COUNT, writes COUNT pictures FILE-0001.ext ... with the example
// shifted a little each time, so no two are the same.

#include "picture/picture_source.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <cstdio>
#include <cstdlib>

namespace {

QImage Scaled(int width, int height, int shift)
{
    const QImage example = centrafix::ExamplePicture();
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(shift, 0, width - shift, height), example);
    return picture;
}

bool Write(const QImage& picture, const QString& path)
{
    QImageWriter writer(path);
    return writer.write(picture);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: centrafix-make-picture WIDTH HEIGHT FILE [COUNT]\n");
        return 2;
    }
    centrafix::RaiseImageAllocationLimit();
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    const QString path = QString::fromLocal8Bit(argv[3]);
    if (argc < 5)
        return Write(Scaled(width, height, 0), path) ? 0 : 1;
    const QFileInfo info(path);
    const int count = std::atoi(argv[4]);
    for (int k = 1; k <= count; ++k) {
        const QString name = QStringLiteral("%1/%2-%3.%4")
                                 .arg(info.path(), info.completeBaseName())
                                 .arg(k, 4, 10, QLatin1Char('0'))
                                 .arg(info.suffix());
        if (!Write(Scaled(width, height, k % 16), name))
            return 1;
    }
    return 0;
}
