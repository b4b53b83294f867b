#include "picture/formats/plan_pages.h"

#include "picture/files/local_path.h"
#include "picture/formats/decoder_log.h"
#include "picture/formats/picture_load.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <cmath>

namespace centrafix {

namespace {

// Drawings are text; one past this is no plan but an attack on memory.
constexpr qint64 kMaxSvgBytes = 64LL * 1024 * 1024;

constexpr Message kSvgTooLarge{"eine SVG-Zeichnung von %1 Bytes ist größer, als gelesen wird",
                               "an SVG drawing of %1 bytes is larger than we read"};
constexpr Message kCannotReadSvg{"kann nicht gelesen werden (%1)", "cannot be read (%1)"};
constexpr Message kDamagedSvg{"beschädigte oder unlesbare SVG-Zeichnung (%1)",
                              "damaged or unreadable SVG drawing (%1)"};
constexpr Message kNotSvg{"keine SVG-Zeichnung (das erste Element ist <%1>)",
                          "not an SVG drawing (its first element is <%1>)"};
constexpr Message kOtherFile{
    "die SVG-Zeichnung verweist auf eine andere Datei (\"%1\"), die nicht gelesen wird; bitte eingebettet speichern",
    "the SVG drawing refers to another file (\"%1\"), which is not read; save it with everything embedded"};
constexpr Message kNoReason{"ungültiges SVG", "not valid SVG"};

// Qt reads absolute lengths at 90 per inch and a plain number as one of
// those; a width in percent, or none, takes the view box's. The page is the
// size Qt draws the drawing at, so its points are Qt's units times 72/90.
constexpr double kQtUnitsPerInch = 90.0;

std::optional<double> QtLength(QStringView text)
{
    static const std::pair<QLatin1StringView, double> kUnits[] = {
        {QLatin1StringView("px"), 1.0},          {QLatin1StringView("pt"), 1.25},
        {QLatin1StringView("pc"), 15.0},         {QLatin1StringView("mm"), 90.0 / 25.4},
        {QLatin1StringView("cm"), 900.0 / 25.4}, {QLatin1StringView("in"), 90.0}};
    text = text.trimmed();
    double factor = 1.0;
    for (const auto& [unit, perUnit] : kUnits) {
        if (text.endsWith(unit)) {
            text.chop(unit.size());
            factor = perUnit;
            break;
        }
    }
    bool number = false;
    const double value = text.toDouble(&number);
    if (!number || !std::isfinite(value))
        return std::nullopt;
    return value * factor;
}

struct SvgRoot {
    std::optional<double> width, height; // in Qt's units
    std::optional<QSizeF> viewBox;
};

// Reads the drawing once before Qt does: it must be SVG, and it must not
// make Qt read other files (Qt loads the pictures an <image> names, and an
// external entity names a file too).
Result<SvgRoot> ScanSvg(const QByteArray& bytes, const QString& path)
{
    QXmlStreamReader reader(bytes);
    SvgRoot root;
    bool first = true;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::DTD) {
            for (const QXmlStreamEntityDeclaration& entity : reader.entityDeclarations()) {
                if (!entity.systemId().isEmpty() || !entity.publicId().isEmpty())
                    return PictureError(path, ErrorArg(kOtherFile, {entity.systemId().toString().toStdString()}));
            }
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        if (first) {
            first = false;
            if (reader.name() != QLatin1StringView("svg"))
                return PictureError(path, ErrorArg(kNotSvg, {reader.name().toString().toStdString()}));
            root.width = QtLength(attributes.value("width"));
            root.height = QtLength(attributes.value("height"));
            const QList<QStringView> box =
                attributes.value("viewBox").split(QRegularExpression("[\\s,]+"), Qt::SkipEmptyParts);
            if (box.size() == 4)
                root.viewBox = QSizeF(box[2].toDouble(), box[3].toDouble());
        }
        for (const QXmlStreamAttribute& attribute : attributes) {
            if (attribute.name() != QLatin1StringView("href"))
                continue;
            const QStringView target = attribute.value().trimmed();
            if (!target.startsWith('#') && !target.startsWith(QLatin1StringView("data:"), Qt::CaseInsensitive))
                return PictureError(path, ErrorArg(kOtherFile, {target.left(200).toString().toStdString()}));
        }
    }
    if (reader.hasError())
        return PictureError(path, ErrorArg(kDamagedSvg, {reader.errorString().toStdString()}));
    if (first)
        return PictureError(path, ErrorArg(kNotSvg, {""}));
    return root;
}

class SvgPages final : public PlanPages {
public:
    SvgPages(const QByteArray& bytes, const SvgRoot& root) : m_renderer(bytes)
    {
        const QSizeF box = root.viewBox.value_or(QSizeF(m_renderer.defaultSize()));
        const double width = root.width.value_or(box.width());
        const double height = root.height.value_or(box.height());
        m_points = QSizeF(width, height) * (72.0 / kQtUnitsPerInch);
    }

    bool valid() const { return m_renderer.isValid(); }
    int count() const override { return 1; }
    QSizeF pointSize(int) const override { return m_points; }

    std::optional<Error> drawBand(int, QSize full, int top, QImage& band) override
    {
        band.fill(Qt::white);
        QPainter painter(&band);
        painter.translate(0, -top);
        DecoderLog log;
        m_renderer.render(&painter, QRectF(0, 0, full.width(), full.height()));
        log.finish();
        return std::nullopt;
    }

private:
    QSvgRenderer m_renderer;
    QSizeF m_points;
};

Result<QByteArray> ReadSvgBytes(const QString& path)
{
    QFile file;
    if (std::optional<Error> failed = OpenForReading(file, path))
        return PictureError(path, ErrorArg(kCannotReadSvg, {ReasonOf(*failed)}));
    if (file.size() > kMaxSvgBytes)
        return PictureError(path, ErrorArg(kSvgTooLarge, {std::to_string(file.size())}));
    QByteArray bytes = file.read(kMaxSvgBytes + 1);
    if (bytes.size() > kMaxSvgBytes)
        return PictureError(path, ErrorArg(kSvgTooLarge, {std::to_string(bytes.size())}));
    return bytes;
}

} // namespace

Result<std::unique_ptr<PlanPages>> OpenSvgPages(const QString& path)
{
    const Result<QByteArray> bytes = ReadSvgBytes(path);
    if (!bytes)
        return bytes.error();
    const Result<SvgRoot> root = ScanSvg(*bytes, path);
    if (!root)
        return root.error();
    DecoderLog log;
    auto pages = std::make_unique<SvgPages>(*bytes, *root);
    const std::string said = JoinedDecoderLines(log.finish());
    if (!pages->valid())
        return PictureError(path, ErrorArg(kDamagedSvg, {said.empty() ? ErrorArg(kNoReason) : ErrorArg(said)}));
    return std::unique_ptr<PlanPages>(std::move(pages));
}

} // namespace centrafix
