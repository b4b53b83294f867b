#include "picture/edits/plan_geometry.h"

#include "picture/edits/geometry_checks.h"
#include "picture/formats/working_copy.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace centrafix {

namespace {

constexpr Message kRowOutside{"die Zeile %1 liegt außerhalb des Bildes (Zeilen 0 bis %2)",
                              "row %1 lies outside the picture (rows 0 to %2)"};
constexpr Message kEmptyRectangle{"das Rechteck ist leer (%1 x %2 Pixel)", "the rectangle is empty (%1 x %2 pixels)"};
constexpr Message kRectangleOutside{
    "das Rechteck bei (%1, %2) mit %3 x %4 Pixeln liegt nicht ganz im Bild (%5 x %6 Pixel)",
    "the rectangle at (%1, %2), %3 x %4 pixels, is not inside the picture (%5 x %6 pixels)"};

// A pixel is drawing, not paper, when it is this far from white (the sum of
// its three channels' distances): the paper of a scan or photo is rarely
// quite white, and its grain must not decide which half is drawn.
constexpr int kPaperTolerance = 96;

std::int64_t DrawingPixels(const QImage& picture, int firstRow, int endRow)
{
    std::int64_t count = 0;
    for (int y = firstRow; y < endRow; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            count += 765 - (qRed(row[x]) + qGreen(row[x]) + qBlue(row[x])) >= kPaperTolerance ? 1 : 0;
    }
    return count;
}

void CopyRow(const QImage& from, int fromRow, QImage& to, int toRow)
{
    std::memcpy(to.scanLine(toRow), from.constScanLine(fromRow), static_cast<std::size_t>(from.width()) * 4);
}

} // namespace

// The half with more drawing is kept as it is and mirrored over the other,
// whose rows beyond the mirror's reach turn white: the result holds the
// drawn half and its mirror image, nothing of the half it replaced. When the
// bottom half is the drawn one and the longer, the picture grows at the top,
// so the row moves down by as many rows as were added.
Result<QImage> MirrorAboutRow(const QImage& picture, int row)
{
    if (auto problem = NoPictureProblem(picture))
        return *problem;
    if (row < 0 || row >= picture.height())
        return Described({}, kRowOutside, {std::to_string(row), std::to_string(picture.height() - 1)});
    const QImage source = ToWorkingCopy(picture);
    if (source.isNull())
        return ResultMemoryError(picture.width(), picture.height());
    const int above = row, below = picture.height() - 1 - row;
    const bool keepTop = DrawingPixels(source, 0, row) >= DrawingPixels(source, row + 1, source.height());
    const int half = keepTop ? above : below;
    const int reach = std::max(above, below);
    const qint64 height = static_cast<qint64>(half) + 1 + reach;
    if (auto problem = ResultSizeProblem(source.width(), height))
        return *problem;
    QImage mirrored(source.width(), static_cast<int>(height), QImage::Format_RGB32);
    if (mirrored.isNull())
        return ResultMemoryError(source.width(), height);
    mirrored.fill(0xFFFFFFFFu);
    // The axis lands at `axis` in the result; source row row + k goes to
    // axis + k on the kept side and to axis - k on the other.
    const int axis = keepTop ? row : reach;
    const int direction = keepTop ? -1 : 1;
    CopyRow(source, row, mirrored, axis);
    for (int k = 1; k <= half; ++k) {
        CopyRow(source, row + direction * k, mirrored, axis + direction * k);
        CopyRow(source, row + direction * k, mirrored, axis - direction * k);
    }
    return mirrored;
}

Result<QImage> CropPicture(const QImage& picture, QRect rect)
{
    if (auto problem = NoPictureProblem(picture))
        return *problem;
    // From the corners: QRect's width() overflows for rectangles far off.
    const qint64 x = rect.left(), y = rect.top();
    const qint64 w = static_cast<qint64>(rect.right()) - x + 1, h = static_cast<qint64>(rect.bottom()) - y + 1;
    if (w <= 0 || h <= 0)
        return Described({}, kEmptyRectangle, {std::to_string(w), std::to_string(h)});
    if (x < 0 || y < 0 || x + w > picture.width() || y + h > picture.height())
        return Described({}, kRectangleOutside,
                         {std::to_string(x), std::to_string(y), std::to_string(w), std::to_string(h),
                          std::to_string(picture.width()), std::to_string(picture.height())});
    QImage cropped = ToWorkingCopy(picture).copy(rect);
    if (cropped.isNull())
        return ResultMemoryError(w, h);
    return cropped;
}

} // namespace centrafix
