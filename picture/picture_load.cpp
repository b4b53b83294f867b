#include "picture_load.h"

#include <QImageReader>

#include <string>

namespace centrafix {

namespace {

constexpr Message kNoPixels{"das Bild hat keine Pixel (%1 x %2)", "the picture has no pixels (%1 x %2)"};
constexpr Message kTooLarge{"%1 x %2 Pixel sind mehr als die Grenze von %3 Megapixeln",
                            "%1 x %2 pixels is larger than the %3-megapixel limit"};
constexpr Message kNoMemoryToRead{"nicht genug Speicher, um das Bild zu lesen",
                                  "not enough memory to read the picture"};

} // namespace

std::optional<ErrorArg> PictureSizeProblem(qint64 width, qint64 height)
{
    const std::string w = std::to_string(width), h = std::to_string(height);
    if (width <= 0 || height <= 0)
        return ErrorArg(kNoPixels, {w, h});
    if (width * height > kMaxPicturePixels)
        return ErrorArg(kTooLarge, {w, h, std::to_string(kMaxPicturePixels / 1'000'000)});
    return std::nullopt;
}

Error PictureError(const QString& subject, ErrorArg reason)
{
    Q_ASSERT(reason.message != nullptr);
    return Described(subject.toStdString(), *reason.message, std::move(reason.args));
}

Error PictureMemoryError(const QString& subject)
{
    Error error = Described(subject.toStdString(), kNoMemoryToRead);
    error.kind = ErrorKind::OutOfMemory;
    return error;
}

void RaiseImageAllocationLimit()
{
    constexpr qint64 kMegabyte = 1024 * 1024;
    constexpr int kNeeded = static_cast<int>((kMaxPicturePixels * 4 + kMegabyte - 1) / kMegabyte);
    const int current = QImageReader::allocationLimit();
    if (current != 0 && current < kNeeded)
        QImageReader::setAllocationLimit(kNeeded);
}

} // namespace centrafix
