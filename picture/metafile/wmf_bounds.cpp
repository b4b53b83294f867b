#include "picture/metafile/wmf_bounds.h"

#include "picture/formats/picture_load.h"
#include "picture/metafile/wmf_player.h"
#include "picture/metafile/wmf_records.h"

#include <QRectF>

#include <cmath>
#include <optional>

namespace centrafix {

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7u;
constexpr qsizetype kPlaceableBytes = 22;
constexpr qsizetype kHeaderBytes = 18;
constexpr double kScreenDpi = 96.0;

constexpr Message kNotAMetafile{"keine Windows-Metadatei (unbekannter Kopf)",
                                "not a Windows metafile (unknown header)"};
constexpr Message kEndsInPlaceable{"die Datei endet in ihrem Placeable-Kopf",
                                   "the file ends inside its placeable header"};
constexpr Message kNoUnits{"ihr Placeable-Kopf gibt 0 Einheiten pro Zoll an",
                           "its placeable header gives 0 units per inch"};
constexpr Message kEndsInHeader{"die Datei endet in ihrem Kopf", "the file ends inside its header"};
constexpr Message kNoSize{"sie nennt keine Größe (kein Placeable-Kopf und keine Fenstergröße)",
                          "it gives no size (no placeable header and no window extent)"};

using wmf::Damaged;
using wmf::ReadS16;
using wmf::ReadU16;
using wmf::ReadU32;

// What the placeable header (when there is one) and the standard header say.
struct Headers {
    qsizetype recordsStart = 0;
    int objectsHint = 0;
    std::optional<QRectF> bounds; // placeable: in logical units
    int unitsPerInch = 0;
};

Result<Headers> ReadHeaders(QByteArrayView bytes)
{
    Headers headers;
    qsizetype start = 0;
    if (bytes.size() >= 4 && ReadU32(bytes, 0) == kPlaceableKey) {
        if (bytes.size() < kPlaceableBytes)
            return Damaged(kEndsInPlaceable);
        headers.bounds =
            QRectF(QPointF(ReadS16(bytes, 6), ReadS16(bytes, 8)), QPointF(ReadS16(bytes, 10), ReadS16(bytes, 12)));
        headers.unitsPerInch = ReadU16(bytes, 14);
        if (headers.unitsPerInch == 0)
            return Damaged(kNoUnits);
        start = kPlaceableBytes;
    }
    if (bytes.size() - start < kHeaderBytes)
        return Damaged(kEndsInHeader);
    const QByteArrayView header = bytes.sliced(start, kHeaderBytes);
    if (ReadU16(header, 2) != 9 || (!headers.bounds && !LooksLikeWindowsMetafile(header)))
        return Described({}, kNotAMetafile);
    headers.objectsHint = ReadU16(header, 10);
    headers.recordsStart = start + kHeaderBytes;
    return headers;
}

// Walks the whole chain; the first usable window extent, if any.
Result<std::optional<QSizeF>> CheckRecords(QByteArrayView bytes, qsizetype start)
{
    std::optional<QSizeF> firstExtent;
    wmf::RecordWalk walk(bytes, start);
    while (const std::optional<wmf::Record> r = walk.next()) {
        if (!firstExtent && r->fn() == wmf::Fn::SetWindowExt && r->words() >= 2 && r->s(0) != 0 && r->s(1) != 0)
            firstExtent = QSizeF(r->s(1), r->s(0));
    }
    if (walk.problem())
        return Damaged(ReasonOf(*walk.problem()));
    return firstExtent;
}

} // namespace

bool LooksLikeWindowsMetafile(QByteArrayView head)
{
    if (head.size() >= 4 && ReadU32(head, 0) == kPlaceableKey)
        return true;
    if (head.size() < 6)
        return false;
    const quint16 type = ReadU16(head, 0), headerWords = ReadU16(head, 2), version = ReadU16(head, 4);
    return (type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300);
}

Result<wmf::MetafileBounds> wmf::ReadMetafileBounds(QByteArrayView bytes)
{
    const Result<Headers> headers = ReadHeaders(bytes);
    if (!headers)
        return headers.error();
    const Result<std::optional<QSizeF>> firstExtent = CheckRecords(bytes, headers->recordsStart);
    if (!firstExtent)
        return firstExtent.error();

    MetafileBounds result;
    result.recordsStart = headers->recordsStart;
    result.objectsHint = headers->objectsHint;
    if (const std::optional<QRectF>& bounds = headers->bounds) {
        result.pixels = QSize(qRound(std::abs(bounds->width()) * kScreenDpi / headers->unitsPerInch),
                              qRound(std::abs(bounds->height()) * kScreenDpi / headers->unitsPerInch));
        result.windowOrg = bounds->topLeft();
        result.windowExt = bounds->size();
    } else {
        if (!*firstExtent)
            return Damaged(kNoSize);
        result.pixels = QSize(qRound(std::abs((*firstExtent)->width())), qRound(std::abs((*firstExtent)->height())));
        result.windowExt = **firstExtent;
    }
    if (std::optional<Error> problem = PictureSizeProblem({}, result.pixels.width(), result.pixels.height()))
        return *problem;
    return result;
}

} // namespace centrafix
