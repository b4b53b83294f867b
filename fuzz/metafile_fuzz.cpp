// The Windows metafile player on any bytes, as a file's content would reach
// it. A refusal must make a text in either language; a picture must have the
// size its headers promise, in the working format.

#include "picture/formats/picture_load.h"
#include "picture/metafile/wmf_bounds.h"
#include "picture/metafile/wmf_player.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Within the fuzzer's memory limit with room to spare. The work limit grows
// with the picture, so a small one runs the same code as a large one.
constexpr qint64 kLargestPicture = 4'000'000;

void Quiet(QtMsgType /*type*/, const QMessageLogContext& /*context*/, const QString& /*message*/)
{}

} // namespace

// Text needs fonts, and fonts need a QGuiApplication; one for the whole run.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(Quiet);
    static QGuiApplication application(*argc, *argv);
    centrafix::RaiseImageAllocationLimit(); // as the programs do
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const centrafix::Result<centrafix::wmf::MetafileBounds> bounds = centrafix::wmf::ReadMetafileBounds(bytes);
    if (bounds && qint64(bounds->pixels.width()) * bounds->pixels.height() > kLargestPicture)
        return 0;
    const centrafix::PictureLoad load = centrafix::PlayWindowsMetafile(bytes);
    if (!load) {
        (void)centrafix::ErrorText(load.error(), centrafix::kGerman);
        (void)centrafix::ErrorText(load.error(), centrafix::kEnglish);
        return 0;
    }
    if (!bounds || load->size() != bounds->pixels || load->format() != QImage::Format_RGB32)
        std::abort();
    return 0;
}
