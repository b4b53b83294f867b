#include "picture/formats/qt_decode.h"

#include "picture/formats/decoder_damage.h"
#include "picture/formats/decoder_log.h"
#include "picture/formats/gif_frame.h"
#include "picture/formats/png_check.h"
#include "picture/formats/working_copy.h"

#include <QBuffer>

#include <QIODevice>
#include <QImageReader>

#include <algorithm>
#include <string>

namespace centrafix {

namespace {

// Passes a device through to a decoder, noting whether the decoder ever asked
// for bytes beyond its end. A complete picture file holds all its decoder
// needs (JPEG and PNG stop at their end markers, GIF at its trailer, a
// run-length bitmap at its last row); one that is cut short is found out
// where Qt's readers would quietly fill the rest.
class EndWatch : public QIODevice {
public:
    explicit EndWatch(QIODevice* source) : m_source(source)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        if (!source->isSequential())
            QIODevice::seek(source->pos());
    }

    bool ranOut() const { return m_ranOut; }

    bool isSequential() const override { return m_source->isSequential(); }
    qint64 size() const override { return m_source->size(); }
    bool seek(qint64 position) override
    {
        // A directory or strip placed beyond the end means the same.
        m_ranOut = m_ranOut || (!isSequential() && position > size());
        return QIODevice::seek(position) && m_source->seek(position);
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 got = m_source->read(data, maxSize);
        m_ranOut = m_ranOut || (maxSize > 0 && got == 0);
        return got;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QIODevice* m_source;
    bool m_ranOut = false;
};

bool SaysMemory(const std::vector<std::string>& said)
{
    return std::any_of(said.begin(), said.end(), [](const std::string& line) {
        return QString::fromStdString(line).contains(QLatin1String("memory"), Qt::CaseInsensitive);
    });
}

// Whether the picture the header announced, and its working copy, could be
// held at once. Qt's readers fail alike on a damaged file and on a failed
// allocation; trying the allocation again tells them apart. The memory is
// asked for, never touched, and given back at once. A picture above Qt's
// allocation limit was refused by that rule, not for want of memory.
bool RoomFor(QSize size, QImage::Format format)
{
    if (!size.isValid())
        return true;
    if (format == QImage::Format_Invalid)
        format = QImage::Format_RGB32;
    const qint64 bytes = qint64(size.width()) * size.height() * QImage::toPixelFormat(format).bitsPerPixel() / 8;
    const qint64 limit = qint64(QImageReader::allocationLimit()) << 20;
    if (limit > 0 && bytes > limit)
        return true;
    const QImage decoded(size, format);
    if (decoded.isNull())
        return false;
    const bool inPlace = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                         format == QImage::Format_ARGB32_Premultiplied;
    return inPlace || !QImage(size, QImage::Format_RGB32).isNull();
}

Error Unreadable(const QString& name, const QByteArray& format, const std::string& why)
{
    return UnreadablePictureError(name, format.toUpper().toStdString(), why);
}

} // namespace

PictureLoad DecodeWithQt(QIODevice* device, const QByteArray& format, const QString& name)
{
    DecoderLog log;
    QSize announced;
    QImage::Format announcedFormat = QImage::Format_Invalid;
    // The header is read by a reader of its own, so the decoding one is
    // watched alone: some readers look through the whole file merely to
    // report its size (GIF's frames). A device read once through (a pipe)
    // is judged after decoding, under Qt's allocation limit.
    if (!device->isSequential()) {
        const qint64 start = device->pos();
        QImageReader header(device, format);
        announced = header.size();
        // Asked only of a header that was read: Qt's JPEG reader leaves
        // the format unset when it fails.
        if (announced.isValid())
            announcedFormat = header.imageFormat();
        if (!device->seek(start))
            return Unreadable(name, format, device->errorString().toStdString());
    }
    if (announced.isValid()) {
        if (std::optional<Error> problem = PictureSizeProblem(name, announced.width(), announced.height()))
            return *problem;
    }
    // Qt's reader fills a frame whose codes end early (a cut file it finds
    // by itself).
    if (format == "gif" && !device->isSequential() && FirstGifFrameCoverage(device) == GifCoverage::DataEnds)
        return DataEndsEarlyPictureError(name, "GIF");
    // Qt's PNG reader must meet no file that makes libpng speak on the
    // terminal.
    QByteArray readOnce;
    QBuffer again(&readOnce);
    if (format == "png") {
        const qint64 start = device->pos();
        const PngCheck check = CheckPngData(*device, device->isSequential() ? &readOnce : nullptr);
        if (check.cutShort)
            return CutShortPictureError(name, "PNG");
        if (check.damaged) {
            for (const std::string& line : check.said)
                log.keep(line);
            const std::vector<std::string> said = log.finish();
            if (SaysMemory(said))
                return PictureMemoryError(name);
            return Unreadable(name, format, JoinedDecoderLines(said));
        }
        if (device->isSequential()) {
            again.open(QIODevice::ReadOnly);
            device = &again;
        } else if (!device->seek(start)) {
            return Unreadable(name, format, device->errorString().toStdString());
        }
    }
    EndWatch watched(device);
    QImageReader reader(&watched, format);
    QImage decoded;
    const bool read = reader.read(&decoded) && !decoded.isNull();
    const std::vector<std::string> said = log.finish();
    if (watched.ranOut())
        return CutShortPictureError(name, format.toUpper().toStdString());
    // Qt's readers go on after the libraries' warnings, and so would we.
    const DamageRemark damage = format == "jpeg"   ? JpegRemarksDamage(said)
                                : format == "tiff" ? TiffRemarksDamage(said)
                                                   : DamageRemark{};
    if (damage.damage == Damage::Missing && format == "jpeg")
        return DataEndsEarlyPictureError(name, "JPEG");
    if (damage.damage == Damage::Missing)
        return CutShortPictureError(name, format.toUpper().toStdString());
    if (damage.damage == Damage::Corrupt)
        return Unreadable(name, format, damage.words);
    if (!read) {
        if (SaysMemory(said) || !RoomFor(announced, announcedFormat))
            return PictureMemoryError(name);
        const std::string quoted = JoinedDecoderLines(said);
        return Unreadable(name, format, quoted.empty() ? reader.errorString().toStdString() : quoted);
    }
    if (std::optional<Error> problem = PictureSizeProblem(name, decoded.width(), decoded.height()))
        return *problem;
    QImage working = ToWorkingCopy(std::move(decoded));
    if (working.isNull())
        return PictureMemoryError(name);
    return working;
}

} // namespace centrafix
