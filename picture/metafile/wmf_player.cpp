#include "picture/metafile/wmf_player.h"

#include "picture/metafile/wmf_bounds.h"
#include "picture/metafile/wmf_record_player.h"

#include <string>

namespace centrafix {

namespace {

constexpr Message kRecordProblem{"Datensatz %1 bei Byte %2: %3", "record %1 at byte %2: %3"};
constexpr Message kTooCostly{"zu aufwendig zu zeichnende Windows-Metadatei: Datensatz %1 bei Byte %2: %3",
                             "Windows metafile too costly to draw: record %1 at byte %2: %3"};
constexpr Message kNoMemory{"nicht genug Speicher für %1 x %2 Pixel", "not enough memory for %1 x %2 pixels"};

// Plays the records, whose chain has been checked, onto the picture.
std::optional<Error> PlayRecords(QImage& image, const wmf::MetafileBounds& bounds, QByteArrayView bytes)
{
    wmf::DeviceContext context;
    context.windowOrg = bounds.windowOrg;
    context.windowExt = bounds.windowExt;
    wmf::RecordPlayer player(image, context, bounds.objectsHint);
    wmf::RecordWalk walk(bytes, bounds.recordsStart);
    while (const std::optional<wmf::Record> r = walk.next()) {
        wmf::Problem problem = player.play(*r);
        if (!problem)
            continue;
        std::vector<ErrorArg> where{std::to_string(walk.index()), std::to_string(walk.offset()), ReasonOf(*problem)};
        if (player.overBudget())
            return Described({}, kTooCostly, std::move(where));
        return wmf::Damaged(ErrorArg(kRecordProblem, std::move(where)));
    }
    return std::nullopt;
}

} // namespace

PictureLoad PlayWindowsMetafile(QByteArrayView bytes)
{
    // The whole chain is checked before anything is drawn.
    const Result<wmf::MetafileBounds> bounds = wmf::ReadMetafileBounds(bytes);
    if (!bounds)
        return bounds.error();
    const QSize pixels = bounds->pixels;
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull())
        return Described({}, kNoMemory, {std::to_string(pixels.width()), std::to_string(pixels.height())});
    image.fill(Qt::white);
    if (std::optional<Error> damage = PlayRecords(image, *bounds, bytes))
        return std::move(*damage);
    return image;
}

} // namespace centrafix
