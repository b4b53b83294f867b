#include "picture/formats/plan_pages.h"

#include "picture/formats/decoder_log.h"
#include "picture/formats/picture_load.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfDocument>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace centrafix {

// PDF pages are drawn by QtPdf (PDFium) rather than Poppler: Poppler is GPL,
// which would bind the whole program; QtPdf draws any clipped part of a page
// at any scale, which drawing a page in bands needs; and it is a Qt module
// like the others, with no second set of image and error types to wrap.

namespace {

constexpr Message kEncrypted{"ein mit Kennwort geschütztes (verschlüsseltes) PDF; bitte ohne Kennwort speichern",
                             "a password-protected (encrypted) PDF; save it without a password"};
constexpr Message kDamagedPdf{"beschädigtes oder unlesbares PDF", "damaged or unreadable PDF"};
constexpr Message kDamagedPdfWhy{"beschädigtes oder unlesbares PDF (%1)", "damaged or unreadable PDF (%1)"};
constexpr Message kNoPages{"das PDF hat keine Seiten", "the PDF has no pages"};
constexpr Message kPageNotDrawn{"Seite %1 des PDF lässt sich nicht zeichnen", "page %1 of the PDF cannot be drawn"};

// A page of 100 x 100 points, black above the middle.
QByteArray HalfBlackPage()
{
    const QByteArray content = "0 0 0 rg 0 50 100 50 re f";
    const QByteArray objects[] = {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                                  "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 100] /Contents 4 0 R >>",
                                  "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content +
                                      "\nendstream"};
    QByteArray pdf = "%PDF-1.4\n";
    QByteArray table;
    for (int i = 0; i < 4; ++i) {
        table += QByteArray::number(pdf.size()).rightJustified(10, '0') + " 00000 n \n";
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    return pdf + "xref\n0 5\n0000000000 65535 f \n" + table + "trailer\n<< /Size 5 /Root 1 0 R >>\nstartxref\n" +
           QByteArray::number(xref) + "\n%%EOF\n";
}

// QtPdf 6.4 draws a clipped part of a page `n` pixels high or wide at
// (n - 1) / n of the scale asked for: in bands of 256 rows, a line 2800 rows
// down a page lands 10 rows too high, and a page drawn whole is off by a
// pixel at its far edge. Whether this QtPdf does so is seen once, on a page
// of our own: a band of 20 rows across the edge of a black half page.
bool BandsShrink()
{
    static bool shrink = true;
    static std::once_flag seen;
    std::call_once(seen, [] {
        QBuffer buffer;
        buffer.setData(HalfBlackPage());
        buffer.open(QIODevice::ReadOnly);
        QPdfDocument document;
        document.load(&buffer);
        if (document.status() != QPdfDocument::Status::Ready)
            return;
        QPdfDocumentRenderOptions options;
        options.setScaledSize(QSize(100, 400));
        options.setScaledClipRect(QRect(0, 190, 100, 20));
        const QImage band = document.render(0, QSize(100, 20), options);
        // Row 195 lies above the edge at 200: black, unless the band shrinks
        // everything towards the top, which leaves the band white.
        if (!band.isNull())
            shrink = qAlpha(band.pixel(50, 5)) < 128;
    });
    return shrink;
}

// The size to ask QtPdf for so that a band `rows` high comes out at `full`.
QSize AskedSize(QSize full, int rows)
{
    if (!BandsShrink())
        return full;
    const auto stretched = [](int length, int drawn) {
        return drawn > 1 ? static_cast<int>(std::lround(double(length) * drawn / (drawn - 1))) : length;
    };
    return QSize(stretched(full.width(), full.width()), stretched(full.height(), rows));
}

// Bands drawn are at least this high: a band of very few rows would be
// asked for at a scale far from the page's.
constexpr int kFewestRows = 16;

class PdfPages final : public PlanPages {
public:
    explicit PdfPages(const QString& path) : m_path(path) {}

    std::optional<Error> open()
    {
        DecoderLog log;
        const QPdfDocument::Error error = m_document.load(m_path);
        const std::string said = JoinedDecoderLines(log.finish());
        switch (error) {
        case QPdfDocument::Error::None: break;
        case QPdfDocument::Error::IncorrectPassword:
        case QPdfDocument::Error::UnsupportedSecurityScheme: return PictureError(m_path, kEncrypted);
        default:
            return said.empty() ? PictureError(m_path, kDamagedPdf)
                                : PictureError(m_path, ErrorArg(kDamagedPdfWhy, {said}));
        }
        if (m_document.pageCount() <= 0)
            return PictureError(m_path, kNoPages);
        return std::nullopt;
    }

    int count() const override { return m_document.pageCount(); }
    QSizeF pointSize(int index) const override { return m_document.pagePointSize(index); }

    std::optional<Error> drawBand(int index, QSize full, int top, QImage& band) override
    {
        // The last band of a page may be a row or two: drawn as the end of
        // a taller one.
        const int rows = std::max(band.height(), std::min(kFewestRows, full.height()));
        const int from = std::min(top, full.height() - rows);
        QPdfDocumentRenderOptions options;
        options.setScaledSize(AskedSize(full, rows));
        options.setScaledClipRect(QRect(0, from, full.width(), rows));
        DecoderLog log;
        const QImage drawn = m_document.render(index, QSize(full.width(), rows), options);
        log.finish();
        if (drawn.isNull())
            return PictureError(m_path, ErrorArg(kPageNotDrawn, {std::to_string(index + 1)}));
        // PDFium leaves the paper transparent.
        band.fill(Qt::white);
        QPainter painter(&band);
        painter.drawImage(0, from - top, drawn);
        return std::nullopt;
    }

private:
    QString m_path;
    QPdfDocument m_document;
};

} // namespace

bool LooksLikePdf(const QByteArray& head)
{
    // Readers accept the header anywhere in the first kilobyte.
    return head.left(1024).contains("%PDF-");
}

Result<std::unique_ptr<PlanPages>> OpenPdfPages(const QString& path)
{
    auto pages = std::make_unique<PdfPages>(path);
    if (std::optional<Error> error = pages->open())
        return *std::move(error);
    return std::unique_ptr<PlanPages>(std::move(pages));
}

} // namespace centrafix
