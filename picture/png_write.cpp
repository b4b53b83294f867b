#include "png_write.h"

#include "decoder_log.h"

#include <QImageWriter>

namespace centrafix {

bool WritePng(QIODevice& device, const QImage& image, QString& why)
{
    DecoderLog log;
    QImageWriter writer(&device, "png");
    const bool written = writer.write(image);
    const std::string said = JoinedDecoderLines(log.finish());
    if (written)
        return true;
    why = said.empty() ? writer.errorString() : QString::fromStdString(said);
    return false;
}

} // namespace centrafix
