#include "picture_source.h"

#include "example_bitmap.h"
#include "wmf_player.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>

namespace centrafix {

namespace {

// Metafiles are read whole; real ones are a few megabytes at most, and even
// one full of embedded bitmaps has no business being larger than this.
constexpr qint64 kMaxMetafileBytes = 256LL * 1024 * 1024;

PictureLoad Failure(const QString& name, const QString& problem)
{
    PictureLoad load;
    load.error = QStringLiteral("%1: %2").arg(name, problem);
    return load;
}

// The format is decided from the first bytes, and only the formats we mean to
// read are handed to Qt: an unrelated decoder with a lax content test is never
// let loose on bytes that merely resemble its format.
QByteArray SniffFormat(const QByteArray& head)
{
    if (head.startsWith("BM"))
        return "bmp";
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return "png";
    if (head.startsWith("\xff\xd8\xff"))
        return "jpeg";
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return "gif";
    if (head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4)) ||
        head.startsWith(QByteArray("II+\0", 4)) || head.startsWith(QByteArray("MM\0+", 4)))
        return "tiff";
    return {};
}

bool LooksLikeEnhancedMetafile(const QByteArray& head)
{
    return head.size() >= 44 && qFromLittleEndian<quint32>(head.constData()) == 1 &&
           head.mid(40, 4) == " EMF";
}

QString SizeProblem(qint64 width, qint64 height)
{
    if (width <= 0 || height <= 0)
        return QStringLiteral("the picture has no pixels (%1 x %2)").arg(width).arg(height);
    if (width * height > kMaxPicturePixels)
        return QStringLiteral("%1 x %2 pixels is larger than the %3-megapixel limit")
            .arg(width)
            .arg(height)
            .arg(kMaxPicturePixels / 1'000'000);
    return {};
}

// Qt's bitmap reader declines to report the size of, or to read, anything
// above 16384 x 16384 pixels, and fills the rows a short file lacks with
// black, a colour we measure. So the header is read here: to name the size
// when refusing, and to refuse a truncated file rather than analyse a picture
// with a black band.
// Where an uncompressed 24- or 32-bit bitmap keeps its pixels.
struct PlainBitmap {
    qint64 offset = 0;
    int width = 0;
    int height = 0;
    bool bottomUp = true;
    int bytesPerPixel = 3;
    qint64 rowBytes = 0;
};

// Scanners and most programs write plain 24-bit bitmaps; those (and 32-bit
// ones) are converted straight from the file, which is several times faster
// than Qt's reader on big scans and not bound by its 16384 x 16384 limit.
std::optional<PlainBitmap> PlainBitmapLayout(const QByteArray& h)
{
    if (h.size() < 54)
        return std::nullopt;
    const char* p = h.constData();
    const quint32 infoSize = qFromLittleEndian<quint32>(p + 14);
    const qint32 width = qFromLittleEndian<qint32>(p + 18);
    const qint32 height = qFromLittleEndian<qint32>(p + 22);
    const quint16 planes = qFromLittleEndian<quint16>(p + 26);
    const quint16 bitCount = qFromLittleEndian<quint16>(p + 28);
    const quint32 compression = qFromLittleEndian<quint32>(p + 30);
    if (infoSize < 40 || planes != 1 || compression != 0 || (bitCount != 24 && bitCount != 32) ||
        width <= 0 || height == 0 || height == std::numeric_limits<qint32>::min())
        return std::nullopt;
    PlainBitmap layout;
    layout.width = width;
    layout.height = std::abs(height);
    layout.bottomUp = height > 0;
    layout.bytesPerPixel = bitCount / 8;
    layout.rowBytes = (static_cast<qint64>(width) * bitCount + 31) / 32 * 4;
    layout.offset = std::max<qint64>(qFromLittleEndian<quint32>(p + 10), 14 + static_cast<qint64>(infoSize));
    return layout;
}

// Reads a plain bitmap whose size has been checked, a band of rows at a time
// (mapping the whole file would count it in the process's memory next to the
// picture). Empty when the device cannot deliver the rows; the caller then
// falls back to Qt's reader.
std::optional<QImage> ReadPlainBitmap(QIODevice* device, const PlainBitmap& layout)
{
    if (device->isSequential() || device->size() < layout.offset + layout.rowBytes * layout.height)
        return std::nullopt;
    QImage image(layout.width, layout.height, QImage::Format_RGB32);
    if (image.isNull())
        return std::nullopt;
    constexpr qint64 kBandBytes = 8 << 20;
    const int bandRows = static_cast<int>(std::clamp<qint64>(kBandBytes / layout.rowBytes, 1, layout.height));
    QByteArray band(static_cast<qsizetype>(bandRows * layout.rowBytes), Qt::Uninitialized);
    const int step = layout.bytesPerPixel;
    uchar* bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    for (int first = 0; first < layout.height; first += bandRows) {
        // File rows first..first + rows - 1, stored in file order.
        const int rows = std::min(bandRows, layout.height - first);
        const qint64 length = rows * layout.rowBytes;
        if (!device->seek(layout.offset + first * layout.rowBytes) ||
            device->read(band.data(), length) != length)
            return std::nullopt;
        for (int r = 0; r < rows; ++r) {
            const int fileRow = first + r;
            const int y = layout.bottomUp ? layout.height - 1 - fileRow : fileRow;
            const auto* in = reinterpret_cast<const uchar*>(band.constData()) + r * layout.rowBytes;
            auto* out = reinterpret_cast<QRgb*>(bits + y * bytesPerLine);
            for (int x = 0; x < layout.width; ++x, in += step)
                out[x] = 0xFF000000u | (QRgb(in[2]) << 16) | (QRgb(in[1]) << 8) | QRgb(in[0]);
        }
    }
    return image;
}

QString BitmapProblem(const QByteArray& h, const QIODevice* device)
{
    if (h.size() < 26)
        return {}; // too short for a header: the reader says so itself
    const char* p = h.constData();
    const quint32 offBits = qFromLittleEndian<quint32>(p + 10);
    const quint32 infoSize = qFromLittleEndian<quint32>(p + 14);
    qint64 width = 0, height = 0, bitCount = 0;
    quint32 compression = 0;
    if (infoSize == 12) {
        width = qFromLittleEndian<quint16>(p + 18);
        height = qFromLittleEndian<quint16>(p + 20);
        bitCount = qFromLittleEndian<quint16>(p + 24);
    } else if (infoSize >= 40 && h.size() >= 54) {
        width = qFromLittleEndian<qint32>(p + 18);
        height = std::abs(static_cast<qint64>(qFromLittleEndian<qint32>(p + 22)));
        bitCount = qFromLittleEndian<quint16>(p + 28);
        compression = qFromLittleEndian<quint32>(p + 30);
    } else {
        return {};
    }
    if (const QString problem = SizeProblem(width, height); !problem.isEmpty())
        return problem;
    constexpr qint64 kReaderLimit = 16384LL * 16384;
    if (width * height > kReaderLimit && !PlainBitmapLayout(h))
        return QStringLiteral("%1 x %2 pixels is more than the bitmap reader handles (%3 megapixels); "
                              "save the picture as PNG or TIFF")
            .arg(width)
            .arg(height)
            .arg(kReaderLimit / 1'000'000);

    constexpr quint32 kUncompressed = 0, kBitFields = 3, kAlphaBitFields = 6;
    if (device->isSequential() || bitCount <= 0 || bitCount > 32 ||
        (compression != kUncompressed && compression != kBitFields && compression != kAlphaBitFields))
        return {}; // compressed: its length is not known in advance
    const qint64 rowBytes = (width * bitCount + 31) / 32 * 4;
    const qint64 pixelsStart = std::max<qint64>(offBits, 14 + static_cast<qint64>(infoSize));
    const qint64 needed = pixelsStart + rowBytes * height;
    if (device->size() >= needed)
        return {};
    return QStringLiteral("the bitmap is truncated: %1 bytes of its %2")
        .arg(device->size())
        .arg(needed);
}

PictureLoad PlayMetafile(QIODevice* device, const QString& name)
{
    if (!device->isSequential() && device->size() > kMaxMetafileBytes)
        return Failure(name, QStringLiteral("a Windows metafile of %1 bytes is larger than we read")
                                 .arg(device->size()));
    const QByteArray bytes = device->read(kMaxMetafileBytes + 1);
    if (bytes.size() > kMaxMetafileBytes)
        return Failure(name, QStringLiteral("a Windows metafile larger than %1 bytes is more than we read")
                                 .arg(kMaxMetafileBytes));
    PictureLoad played = PlayWindowsMetafile(bytes);
    if (!played.ok())
        return Failure(name, played.error);
    return played;
}

// Composites non-premultiplied or premultiplied ARGB32 onto white, in place,
// and relabels the result as RGB32: no second copy of a large picture.
void CompositeOntoWhite(QImage& image)
{
    const bool premultiplied = image.format() == QImage::Format_ARGB32_Premultiplied;
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb c = row[x];
            const int a = qAlpha(c);
            if (a == 255)
                continue;
            auto over = [&](int channel) {
                return premultiplied ? channel + 255 - a : (channel * a + 255 * (255 - a) + 127) / 255;
            };
            row[x] = qRgb(over(qRed(c)), over(qGreen(c)), over(qBlue(c)));
        }
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
}

QRgb OverWhite(QRgb c)
{
    const int a = qAlpha(c);
    auto over = [a](int channel) { return (channel * a + 255 * (255 - a) + 127) / 255; };
    return qRgb(over(qRed(c)), over(qGreen(c)), over(qBlue(c)));
}

// Reads a picture from an open device, the format decided by its content.
// `name` starts every message.
PictureLoad DecodePicture(QIODevice* device, const QString& name)
{
    const QByteArray head = device->peek(64);
    if (head.isEmpty())
        return Failure(name, QStringLiteral("no picture data"));
    if (LooksLikeWindowsMetafile(head))
        return PlayMetafile(device, name);
    if (LooksLikeEnhancedMetafile(head))
        return Failure(name, QStringLiteral("an enhanced metafile (EMF), which cannot be read; "
                                            "save it as a Windows metafile (WMF) or a bitmap"));
    const QByteArray format = SniffFormat(head);
    if (format.isEmpty())
        return Failure(name, QStringLiteral("not a bitmap, JPEG, GIF, PNG or TIFF picture, "
                                            "nor a Windows metafile"));
    if (format == "bmp") {
        if (const QString problem = BitmapProblem(head, device); !problem.isEmpty())
            return Failure(name, problem);
        if (const auto layout = PlainBitmapLayout(head)) {
            if (std::optional<QImage> image = ReadPlainBitmap(device, *layout)) {
                PictureLoad load;
                load.image = std::move(*image);
                return load;
            }
        }
    }

    RaiseImageAllocationLimit();
    QImageReader reader(device, format);
    // The header alone gives the size: refuse before any pixel memory exists.
    const QSize announced = reader.size();
    if (announced.isValid()) {
        if (const QString problem = PictureSizeProblem(announced); !problem.isEmpty())
            return Failure(name, problem);
    }
    QImage decoded;
    if (!reader.read(&decoded) || decoded.isNull())
        return Failure(name, QStringLiteral("damaged or unreadable %1 picture (%2)")
                                 .arg(QString::fromLatin1(format.toUpper()), reader.errorString()));
    if (const QString problem = PictureSizeProblem(decoded.size()); !problem.isEmpty())
        return Failure(name, problem);
    PictureLoad load;
    load.image = ToWorkingCopy(std::move(decoded));
    return load;
}

} // namespace

QString PictureSizeProblem(QSize size)
{
    return SizeProblem(size.width(), size.height());
}

void RaiseImageAllocationLimit()
{
    constexpr qint64 kMegabyte = 1024 * 1024;
    constexpr int kNeeded = static_cast<int>((kMaxPicturePixels * 4 + kMegabyte - 1) / kMegabyte);
    const int current = QImageReader::allocationLimit();
    if (current != 0 && current < kNeeded)
        QImageReader::setAllocationLimit(kNeeded);
}

QImage ToWorkingCopy(QImage&& image)
{
    if (image.isNull() || image.format() == QImage::Format_RGB32)
        return std::move(image);
    if (image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_ARGB32_Premultiplied) {
        CompositeOntoWhite(image);
        return std::move(image);
    }
    if (!image.hasAlphaChannel()) {
        image.convertTo(QImage::Format_RGB32);
        return std::move(image);
    }
    if (image.colorCount() > 0) {
        // A palette with transparent entries: blending the few entries is
        // the same as blending every pixel, and far cheaper.
        QList<QRgb> table = image.colorTable();
        for (QRgb& entry : table)
            entry = OverWhite(entry);
        image.setColorTable(table);
        image.convertTo(QImage::Format_RGB32);
        return std::move(image);
    }
    image.convertTo(QImage::Format_ARGB32);
    CompositeOntoWhite(image);
    return std::move(image);
}

QImage ToWorkingCopy(const QImage& image)
{
    return ToWorkingCopy(QImage(image));
}

PictureLoad LoadPictureFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return Failure(path, QStringLiteral("no such file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure(path, QStringLiteral("cannot be opened (%1)").arg(file.errorString()));
    if (file.size() == 0)
        return Failure(path, QStringLiteral("the file is empty"));
    const QByteArray head = file.peek(64);
    PictureLoad load = DecodePicture(&file, path);
    const bool metafileByName = info.suffix().compare(QLatin1String("wmf"), Qt::CaseInsensitive) == 0;
    if (!load.ok() && metafileByName && !LooksLikeWindowsMetafile(head))
        load.error = QStringLiteral("%1: not a Windows metafile (no metafile header)").arg(path);
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
