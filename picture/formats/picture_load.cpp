#include "picture/formats/picture_load.h"

#include <QImageReader>

#include <string>

namespace centrafix {

namespace {

constexpr Message kNoPixels{"das Bild hat keine Pixel (%1 x %2)", "the picture has no pixels (%1 x %2)"};
constexpr Message kTooLarge{
    "%1 x %2 Pixel sind mehr als die Grenze von %3 Megapixeln für ein ganz gehaltenes Bild, und Bilder dieser Art "
    "werden immer ganz gehalten; als 24-Bit-Bitmap oder 24-Bit-PNG gespeichert, misst die Stapelverarbeitung "
    "(centrafix-cli) ohne --annotated es beim Lesen, bis %4 Megapixel",
    "%1 x %2 pixels is larger than the %3-megapixel limit for a picture held whole, and pictures of this kind are "
    "always held whole; saved as a 24-bit bitmap or 24-bit PNG, the batch command (centrafix-cli) without "
    "--annotated measures it as it is read, up to %4 megapixels"};
constexpr Message kTooLargeButStreamable{
    "%1 x %2 Pixel sind mehr als die Grenze von %3 Megapixeln für ein ganz gehaltenes Bild; die "
    "Stapelverarbeitung (centrafix-cli) ohne --annotated misst dieses Bild beim Lesen, bis %4 Megapixel",
    "%1 x %2 pixels is larger than the %3-megapixel limit for a picture held whole; the batch command "
    "(centrafix-cli) without --annotated measures this picture as it is read, up to %4 megapixels"};
constexpr Message kTooLargeEvenStreamed{
    "%1 x %2 Pixel sind mehr als die Grenze von %3 Megapixeln für ein ganz gehaltenes Bild und mehr, als die "
    "Stapelverarbeitung beim Lesen misst (höchstens %4 Pixel je Seite und %5 Megapixel)",
    "%1 x %2 pixels is larger than the %3-megapixel limit for a picture held whole, and more than the batch command "
    "measures as it reads (at most %4 pixels a side and %5 megapixels)"};
constexpr Message kUnreadable{"beschädigtes oder unlesbares %1-Bild (%2)", "damaged or unreadable %1 picture (%2)"};
constexpr Message kCutShort{"beschädigtes oder unvollständiges %1-Bild: die Datei endet vor dem Bild",
                            "damaged or incomplete %1 picture: the file ends before the picture does"};
constexpr Message kDataEndsEarly{"beschädigtes oder unvollständiges %1-Bild: seine Bilddaten enden vor dem Bild",
                                 "damaged or incomplete %1 picture: its pixel data ends before the picture does"};
constexpr Message kTooLargeToRead{
    "%1 x %2 Pixel sind mehr, als gelesen wird (höchstens %3 Pixel je Seite und %4 "
    "Megapixel)",
    "%1 x %2 pixels is more than we read (at most %3 pixels a side and %4 megapixels)"};
constexpr Message kNoMemoryToRead{"nicht genug Speicher, um das Bild zu lesen",
                                  "not enough memory to read the picture"};

} // namespace

std::optional<Error> PictureSizeProblem(const QString& subject, qint64 width, qint64 height)
{
    const std::string w = std::to_string(width), h = std::to_string(height);
    if (width <= 0 || height <= 0)
        return PictureError(subject, ErrorArg(kNoPixels, {w, h}));
    if (width * height > kMaxPicturePixels)
        return PictureError(subject, ErrorArg(kTooLarge, {w, h, std::to_string(kMaxPicturePixels / 1'000'000),
                                                          std::to_string(kMaxStreamedPixels / 1'000'000)}));
    return std::nullopt;
}

std::optional<Error> StreamablePictureSizeProblem(const QString& subject, qint64 width, qint64 height)
{
    std::optional<Error> whole = PictureSizeProblem(subject, width, height);
    if (!whole || whole->reason != &kTooLarge)
        return whole;
    // The batch command is named only where it would take the picture.
    if (StreamedPictureSizeProblem(subject, width, height))
        return PictureError(subject, ErrorArg(kTooLargeEvenStreamed, {std::to_string(width), std::to_string(height),
                                                                      std::to_string(kMaxPicturePixels / 1'000'000),
                                                                      std::to_string(kMaxStreamedSide),
                                                                      std::to_string(kMaxStreamedPixels / 1'000'000)}));
    return PictureError(subject, ErrorArg(kTooLargeButStreamable, std::move(whole->args)));
}

std::optional<Error> StreamedPictureSizeProblem(const QString& subject, qint64 width, qint64 height)
{
    const std::string w = std::to_string(width), h = std::to_string(height);
    if (width <= 0 || height <= 0)
        return PictureError(subject, ErrorArg(kNoPixels, {w, h}));
    if (width > kMaxStreamedSide || height > kMaxStreamedSide || width * height > kMaxStreamedPixels)
        return PictureError(subject, ErrorArg(kTooLargeToRead, {w, h, std::to_string(kMaxStreamedSide),
                                                                std::to_string(kMaxStreamedPixels / 1'000'000)}));
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

Error DataEndsEarlyPictureError(const QString& subject, const std::string& format)
{
    return PictureError(subject, ErrorArg(kDataEndsEarly, {format}));
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
