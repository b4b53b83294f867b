#include "picture_load.h"

#include <QImageReader>

#include <string>

namespace centrafix {

namespace {

constexpr Message kNoPixels{"das Bild hat keine Pixel (%1 x %2)", "the picture has no pixels (%1 x %2)"};
constexpr Message kTooLarge{
    "%1 x %2 Pixel sind mehr als die Grenze von %3 Megapixeln für ein ganz gehaltenes Bild; die "
    "Stapelverarbeitung (centrafix-cli) ohne --annotated misst PNG-, JPEG-, TIFF- und Bitmap-Bilder bis %4 "
    "Megapixel, während sie gelesen werden",
    "%1 x %2 pixels is larger than the %3-megapixel limit for a picture held whole; the batch command "
    "(centrafix-cli) without --annotated measures PNG, JPEG, TIFF and bitmap pictures of up to %4 megapixels as "
    "they are read"};
constexpr Message kUnreadable{"beschädigtes oder unlesbares %1-Bild (%2)", "damaged or unreadable %1 picture (%2)"};
constexpr Message kCutShort{"beschädigtes oder unvollständiges %1-Bild: die Datei endet vor dem Bild",
                            "damaged or incomplete %1 picture: the file ends before the picture does"};
constexpr Message kTooLargeToRead{"%1 x %2 Pixel sind mehr, als gelesen wird (höchstens %3 Pixel je Seite und %4 "
                                  "Megapixel)",
                                  "%1 x %2 pixels is more than we read (at most %3 pixels a side and %4 megapixels)"};
constexpr Message kNoMemoryToRead{"nicht genug Speicher, um das Bild zu lesen",
                                  "not enough memory to read the picture"};

} // namespace

std::optional<ErrorArg> PictureSizeProblem(qint64 width, qint64 height)
{
    const std::string w = std::to_string(width), h = std::to_string(height);
    if (width <= 0 || height <= 0)
        return ErrorArg(kNoPixels, {w, h});
    if (width * height > kMaxPicturePixels)
        return ErrorArg(kTooLarge, {w, h, std::to_string(kMaxPicturePixels / 1'000'000),
                                    std::to_string(kMaxStreamedPixels / 1'000'000)});
    return std::nullopt;
}

std::optional<ErrorArg> StreamedPictureSizeProblem(qint64 width, qint64 height)
{
    const std::string w = std::to_string(width), h = std::to_string(height);
    if (width <= 0 || height <= 0)
        return ErrorArg(kNoPixels, {w, h});
    if (width > kMaxStreamedSide || height > kMaxStreamedSide || width * height > kMaxStreamedPixels)
        return ErrorArg(kTooLargeToRead, {w, h, std::to_string(kMaxStreamedSide),
                                          std::to_string(kMaxStreamedPixels / 1'000'000)});
    return std::nullopt;
}

Error UnreadablePictureError(const QString& subject, const std::string& format, const std::string& why)
{
    return PictureError(subject, ErrorArg(kUnreadable, {format, why}));
}

Error CutShortPictureError(const QString& subject, const std::string& format)
{
    return PictureError(subject, ErrorArg(kCutShort, {format}));
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
