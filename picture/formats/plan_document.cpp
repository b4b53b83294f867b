#include "picture/formats/plan_document.h"

#include "picture/files/local_path.h"
#include "picture/formats/picture_load.h"
#include "picture/formats/plan_pages.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace centrafix {

namespace {

constexpr Message kBadDpi{"die Auflösung %1 dpi ist keine Zahl über 0 und höchstens %2",
                          "the resolution of %1 dpi is not a number above 0 and at most %2"};
constexpr Message kNoSuchPage{"Seite %1 gibt es nicht: das Dokument hat %2 Seite(n)",
                              "there is no page %1: the document has %2 page(s)"};
constexpr Message kPageWithoutPixels{"Seite %1 hat bei %2 dpi keine Pixel (%3 x %4)",
                                     "page %1 has no pixels at %2 dpi (%3 x %4)"};
constexpr Message kPageTooLargeWhole{
    "Seite %1 ergibt bei %2 dpi %3 x %4 Pixel, mehr als die Grenze von %5 Megapixeln für ein ganz gehaltenes Bild; "
    "bei %6 dpi passt sie (die Stapelverarbeitung misst Seiten, die sie nicht ganz braucht, in Streifen, bis %7 "
    "Megapixel)",
    "page %1 at %2 dpi gives %3 x %4 pixels, more than the %5-megapixel limit for a picture held whole; at %6 dpi it "
    "fits (the batch command measures a page it needs not hold whole in bands, up to %7 megapixels)"};
constexpr Message kPageTooLargeStreamed{
    "Seite %1 ergibt bei %2 dpi %3 x %4 Pixel, mehr als in Streifen gemessen wird (höchstens %5 Pixel je Seite und "
    "%6 Megapixel); bei %7 dpi passt sie",
    "page %1 at %2 dpi gives %3 x %4 pixels, more than is measured in bands (at most %5 pixels a side and %6 "
    "megapixels); at %7 dpi it fits"};
constexpr Message kPageTooLargeAtAll{"Seite %1 ergibt bei %2 dpi %3 x %4 Pixel, zu viele selbst bei 1 dpi",
                                     "page %1 at %2 dpi gives %3 x %4 pixels, too many even at 1 dpi"};

// Beyond any limit, and a side times a side still fits in 64 bits.
constexpr double kHugeSide = 3e9;

struct Pixels {
    qint64 width = 0;
    qint64 height = 0;
};

Pixels PagePixels(QSizeF points, double dpi)
{
    const auto side = [&](double length) {
        const double pixels = std::round(length * dpi / 72.0);
        return static_cast<qint64>(std::isfinite(pixels) ? std::clamp(pixels, 0.0, kHugeSide) : 0.0);
    };
    return {side(points.width()), side(points.height())};
}

std::string DpiText(double dpi)
{
    return QString::number(dpi, 'g', 10).toStdString();
}

bool Fits(SizeRule rule, QSizeF points, double dpi)
{
    const Pixels pixels = PagePixels(points, dpi);
    return !rule(QString(), pixels.width, pixels.height);
}

// The largest whole resolution below `dpi` that `rule` takes; 0 for none.
int FittingDpi(SizeRule rule, QSizeF points, double dpi)
{
    int low = 0, high = static_cast<int>(std::min(std::floor(dpi), kMaxPlanDpi));
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (Fits(rule, points, middle))
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

// Why page `page` cannot be drawn at `dpi` under `rule`; nothing when it can.
std::optional<Error> PageSizeProblem(const QString& path, int page, QSizeF points, double dpi, SizeRule rule)
{
    const Pixels pixels = PagePixels(points, dpi);
    if (!rule(path, pixels.width, pixels.height))
        return std::nullopt;
    const std::string number = std::to_string(page), resolution = DpiText(dpi), w = std::to_string(pixels.width),
                      h = std::to_string(pixels.height);
    if (pixels.width <= 0 || pixels.height <= 0)
        return PictureError(path, ErrorArg(kPageWithoutPixels, {number, resolution, w, h}));
    const int fitting = FittingDpi(rule, points, dpi);
    if (fitting < 1)
        return PictureError(path, ErrorArg(kPageTooLargeAtAll, {number, resolution, w, h}));
    if (rule == StreamedPictureSizeProblem)
        return PictureError(path, ErrorArg(kPageTooLargeStreamed,
                                           {number, resolution, w, h, std::to_string(kMaxStreamedSide),
                                            std::to_string(kMaxStreamedPixels / 1'000'000), std::to_string(fitting)}));
    return PictureError(
        path, ErrorArg(kPageTooLargeWhole, {number, resolution, w, h, std::to_string(kMaxPicturePixels / 1'000'000),
                                            std::to_string(fitting), std::to_string(kMaxStreamedPixels / 1'000'000)}));
}

bool LooksLikeSvg(const QByteArray& head)
{
    QByteArray text = head.startsWith("\xEF\xBB\xBF") ? head.mid(3) : head;
    text = text.trimmed();
    return text.startsWith('<') && text.contains("<svg");
}

bool NamedAs(const QString& name, const char* suffix)
{
    return QFileInfo(name).suffix().compare(QLatin1String(suffix), Qt::CaseInsensitive) == 0;
}

// The document open, the page and resolution checked and the page's size
// judged by `rule`: what drawing a page needs before a pixel is drawn.
struct OpenPage {
    std::unique_ptr<PlanPages> pages;
    int index = 0;
    QSize size;
};

Result<OpenPage> OpenPlanPage(const QString& path, int page, double dpi, SizeRule rule)
{
    if (!IsPlanDpi(dpi))
        return PictureError(path, ErrorArg(kBadDpi, {DpiText(dpi), DpiText(kMaxPlanDpi)}));
    Result<std::unique_ptr<PlanPages>> pages = OpenPlanPages(path);
    if (!pages)
        return pages.error();
    const int count = (*pages)->count();
    if (page < 1 || page > count)
        return PictureError(path, ErrorArg(kNoSuchPage, {std::to_string(page), std::to_string(count)}));
    const QSizeF points = (*pages)->pointSize(page - 1);
    if (std::optional<Error> problem = PageSizeProblem(path, page, points, dpi, rule))
        return *std::move(problem);
    const Pixels pixels = PagePixels(points, dpi);
    return OpenPage{std::move(*pages), page - 1,
                    QSize(static_cast<int>(pixels.width), static_cast<int>(pixels.height))};
}

Result<QImage> DrawWholePage(OpenPage& open, const QString& path)
{
    QImage image(open.size, QImage::Format_RGB32);
    if (image.isNull())
        return PictureMemoryError(path);
    const int bandRows = PlanBandRows(open.size.width());
    for (int top = 0; top < open.size.height(); top += bandRows) {
        const int rows = std::min(bandRows, open.size.height() - top);
        // The band is a window on the picture's own rows.
        QImage band(image.scanLine(top), image.width(), rows, image.bytesPerLine(), QImage::Format_RGB32);
        if (std::optional<Error> error = open.pages->drawBand(open.index, open.size, top, band))
            return *std::move(error);
    }
    return image;
}

class PlanRows final : public RowReader {
public:
    PlanRows(OpenPage open, const QString& path) : m_open(std::move(open)), m_path(path)
    {
        m_width = m_open.size.width();
        m_height = m_open.size.height();
        m_bandRows = PlanBandRows(m_width);
    }

    std::optional<Error> readRows(std::uint32_t* out, std::ptrdiff_t stride, int count) override
    {
        try {
            for (int k = 0; k < count; ++k, ++m_row) {
                if (m_row >= m_height)
                    return CutShortPictureError(m_path, "PDF/SVG");
                if (m_band.isNull() || m_row >= m_bandTop + m_band.height()) {
                    if (std::optional<Error> error = nextBand())
                        return error;
                }
                const auto* row = reinterpret_cast<const std::uint32_t*>(m_band.constScanLine(m_row - m_bandTop));
                std::copy(row, row + m_width, out + k * stride);
            }
        } catch (const std::bad_alloc&) {
            return PictureMemoryError(m_path);
        }
        return std::nullopt;
    }

private:
    std::optional<Error> nextBand()
    {
        m_bandTop = m_band.isNull() ? 0 : m_bandTop + m_band.height();
        const int rows = std::min(m_bandRows, m_height - m_bandTop);
        if (m_band.isNull() || m_band.height() != rows)
            m_band = QImage(m_width, rows, QImage::Format_RGB32);
        if (m_band.isNull())
            return PictureMemoryError(m_path);
        return m_open.pages->drawBand(m_open.index, m_open.size, m_bandTop, m_band);
    }

    OpenPage m_open;
    QString m_path;
    int m_bandRows = 1;
    int m_bandTop = 0;
    int m_row = 0;
    QImage m_band;
};

} // namespace

bool IsPlanDpi(double dpi)
{
    return std::isfinite(dpi) && dpi > 0.0 && dpi <= kMaxPlanDpi;
}

bool IsPlanDocument(const QString& name, const QByteArray& head)
{
    if (LooksLikePdf(head) || LooksLikeSvg(head))
        return true;
    // A picture named as a plan is still read as the picture it is.
    if (!SniffFormat(head).isEmpty())
        return false;
    return NamedAs(name, "pdf") || NamedAs(name, "svg");
}

int PlanBandRows(int width)
{
    constexpr qint64 kBandPixels = qint64{1} << 22;
    return static_cast<int>(std::clamp<qint64>(kBandPixels / std::max(width, 1), 1, 256));
}

Result<std::unique_ptr<PlanPages>> OpenPlanPages(const QString& path)
{
    QFile file;
    QByteArray head;
    if (!OpenForReading(file, path))
        head = file.peek(1024);
    if (LooksLikePdf(head) || (!LooksLikeSvg(head) && NamedAs(path, "pdf")))
        return OpenPdfPages(path);
    return OpenSvgPages(path);
}

Result<PlanDocumentInfo> ReadPlanDocumentInfo(const QString& path)
{
    Result<std::unique_ptr<PlanPages>> pages = OpenPlanPages(path);
    if (!pages)
        return pages.error();
    PlanDocumentInfo info;
    for (int i = 0; i < (*pages)->count(); ++i)
        info.pageSizes.push_back((*pages)->pointSize(i));
    return info;
}

QSize PlanPagePixels(QSizeF points, double dpi)
{
    const Pixels pixels = PagePixels(points, dpi);
    constexpr qint64 kMost = std::numeric_limits<int>::max();
    return QSize(static_cast<int>(std::min(pixels.width, kMost)), static_cast<int>(std::min(pixels.height, kMost)));
}

std::optional<Error> PlanPageSizeProblem(const QString& path, int page, QSizeF points, double dpi)
{
    return PageSizeProblem(path, page, points, dpi, PictureSizeProblem);
}

Result<QImage> RenderPlanPage(const QString& path, int page, double dpi)
{
    try {
        Result<OpenPage> open = OpenPlanPage(path, page, dpi, PictureSizeProblem);
        if (!open)
            return open.error();
        return DrawWholePage(*open, path);
    } catch (const std::bad_alloc&) {
        return PictureMemoryError(path);
    }
}

Result<std::vector<QImage>> PlanThumbnails(const QString& path, QSize box)
{
    try {
        Result<std::unique_ptr<PlanPages>> pages = OpenPlanPages(path);
        if (!pages)
            return pages.error();
        std::vector<QImage> thumbnails;
        for (int i = 0; i < (*pages)->count(); ++i) {
            const QSizeF points = (*pages)->pointSize(i);
            const double dpi = 72.0 * std::min(box.width() / points.width(), box.height() / points.height());
            OpenPage open{std::move(*pages), i, PlanPagePixels(points, dpi).boundedTo(box).expandedTo(QSize(1, 1))};
            Result<QImage> drawn = DrawWholePage(open, path);
            *pages = std::move(open.pages);
            thumbnails.push_back(drawn ? std::move(*drawn) : QImage());
        }
        return thumbnails;
    } catch (const std::bad_alloc&) {
        return PictureMemoryError(path);
    }
}

Result<std::unique_ptr<RowReader>> OpenPlanRows(const QString& path, int page, double dpi)
{
    try {
        Result<OpenPage> open = OpenPlanPage(path, page, dpi, StreamedPictureSizeProblem);
        if (!open)
            return open.error();
        return std::unique_ptr<RowReader>(std::make_unique<PlanRows>(std::move(*open), path));
    } catch (const std::bad_alloc&) {
        return PictureMemoryError(path);
    }
}

} // namespace centrafix
