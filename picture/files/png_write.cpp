#include "picture/files/png_write.h"

#include "picture/files/atomic_file.h"

#include <QBuffer>
#include <QImageWriter>

#include <cerrno>

namespace centrafix {

std::optional<Error> WritePng(QIODevice& device, const QImage& image)
{
    // Qt's writer leaves libpng's errors to libpng's handler, which prints
    // them on the terminal; they come from the device failing a write. Into
    // memory nothing fails but memory itself, and the device's own failure
    // is told in the system's words.
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    errno = 0;
    if (!writer.write(image))
        return Because(QtReason(writer.errorString(), errno));
    return WriteAll(device, encoded.constData(), encoded.size());
}

} // namespace centrafix
