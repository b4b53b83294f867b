#include "picture/edits/geometry_checks.h"

#include "engine/number_text.h"
#include "picture/formats/picture_load.h"

#include <cmath>

namespace centrafix {

namespace {

constexpr Message kNoPicture{"es ist kein Bild da", "there is no picture"};
constexpr Message kPointNotFinite{"der Punkt (%1, %2) hat eine Koordinate, die keine endliche Zahl ist",
                                  "the point (%1, %2) has a coordinate that is not a finite number"};
constexpr Message kPointOutside{"der Punkt (%1, %2) liegt außerhalb des Bildes (%3 x %4 Pixel)",
                                "the point (%1, %2) lies outside the picture (%3 x %4 pixels)"};
constexpr Message kResultTooLarge{
    "das Ergebnis hätte %1 x %2 Pixel, mehr als die Grenze von %3 Megapixeln für ein ganz gehaltenes Bild",
    "the result would have %1 x %2 pixels, more than the %3-megapixel limit for a picture held whole"};
constexpr Message kNoMemory{"nicht genug Speicher für das Ergebnis (%1 x %2 Pixel)",
                            "not enough memory for the result (%1 x %2 pixels)"};

} // namespace

std::string CoordinateText(double value)
{
    return FormatGeneral(value);
}

std::optional<Error> NoPictureProblem(const QImage& picture)
{
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0)
        return Described({}, kNoPicture);
    return std::nullopt;
}

std::optional<Error> PointProblem(const QImage& picture, QPointF point)
{
    const std::string x = CoordinateText(point.x()), y = CoordinateText(point.y());
    if (!std::isfinite(point.x()) || !std::isfinite(point.y()))
        return Described({}, kPointNotFinite, {x, y});
    if (point.x() < 0 || point.y() < 0 || point.x() > picture.width() - 1 || point.y() > picture.height() - 1)
        return Described({}, kPointOutside, {x, y, std::to_string(picture.width()), std::to_string(picture.height())});
    return std::nullopt;
}

std::optional<Error> ResultSizeProblem(qint64 width, qint64 height)
{
    if (width > 0 && height > 0 && width <= kMaxPicturePixels / height)
        return std::nullopt;
    return Described({}, kResultTooLarge,
                     {std::to_string(width), std::to_string(height), std::to_string(kMaxPicturePixels / 1'000'000)});
}

Error ResultMemoryError(qint64 width, qint64 height)
{
    Error error = Described({}, kNoMemory, {std::to_string(width), std::to_string(height)});
    error.kind = ErrorKind::OutOfMemory;
    return error;
}

} // namespace centrafix
