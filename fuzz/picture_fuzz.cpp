// Any bytes as a picture file, through the decoding LoadPictureFile uses:
// they must load as a working copy within the size limit or be refused with
// a reason in either language, never crash, hang or read out of bounds.

#include "picture/picture_source.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>

#include <sanitizer/common_interface_defs.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <unistd.h>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Metafiles draw text, which needs the font database.
    static QGuiApplication app(*argc, *argv);
    // Headers announcing pictures of hundreds of megapixels are refused by
    // our own limit in the unit tests; here they would only cost time.
    QImageReader::setAllocationLimit(32);
    // The decoders' messages are captured from standard error while they
    // run; a sanitizer's report of a fault inside them must not be.
    __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<std::intptr_t>(dup(2))));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // The name's extension matters only for metafiles: half the inputs are
    // named as one.
    const QString name = size % 2 == 0 ? QStringLiteral("input.png") : QStringLiteral("input.wmf");
    const centrafix::PictureLoad load = centrafix::DecodePicture(&buffer, name);
    if (!load) {
        (void)centrafix::ErrorText(load.error(), centrafix::kGerman);
        (void)centrafix::ErrorText(load.error(), centrafix::kEnglish);
        return 0;
    }
    if (load->format() != QImage::Format_RGB32 || centrafix::PictureSizeProblem({}, load->width(), load->height()))
        std::abort(); // a working copy the analysis cannot take
    return 0;
}
