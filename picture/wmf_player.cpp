#include "wmf_player.h"

#include <QPainter>
#include <QPainterPath>
#include <QtEndian>
#include <QtMath>

#include <cmath>
#include <functional>
#include <optional>
#include <queue>
#include <vector>

namespace centrafix {

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7u;
constexpr qsizetype kPlaceableBytes = 22;
constexpr qsizetype kHeaderBytes = 18;
constexpr qsizetype kRecordHeaderBytes = 6;
// A file small enough to read can still hold millions of tiny records; these
// caps keep a hostile file from turning into minutes of drawing or a huge
// object table. Real drawings stay far below them.
constexpr qint64 kMaxRecords = 4'000'000;
constexpr int kMaxObjects = 65535; // object indices are 16-bit
constexpr int kMaxSavedStates = 1024;
constexpr double kScreenDpi = 96.0;

// Record functions: the low byte names the record, the high byte is the
// parameter count Windows assumes for it.
enum class Fn : quint16 {
    Eof = 0x0000,
    SaveDc = 0x001E,
    CreatePalette = 0x00F7,
    SetBkMode = 0x0102,
    SetPolyFillMode = 0x0106,
    RestoreDc = 0x0127,
    SelectObject = 0x012D,
    DibCreatePatternBrush = 0x0142,
    DeleteObject = 0x01F0,
    CreatePatternBrush = 0x01F9,
    SetBkColor = 0x0201,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    OffsetWindowOrg = 0x020F,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    ScaleWindowExt = 0x0410,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    CreateRegion = 0x06FF,
    Arc = 0x0817,
    Pie = 0x081A,
    Chord = 0x0830,
    DibBitBlt = 0x0940,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
};

quint16 ReadU16(QByteArrayView b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.data() + at);
}

quint32 ReadU32(QByteArrayView b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.data() + at);
}

qint16 ReadS16(QByteArrayView b, qsizetype at)
{
    return qFromLittleEndian<qint16>(b.data() + at);
}

qint32 ReadS32(QByteArrayView b, qsizetype at)
{
    return qFromLittleEndian<qint32>(b.data() + at);
}

// One record's parameters. Accessors do not check: the player tests words()
// before it reads, and the walk has already checked the record against the file.
struct Record {
    quint16 function = 0;
    QByteArrayView params;

    int words() const { return static_cast<int>(params.size() / 2); }
    quint16 u(int i) const { return ReadU16(params, 2 * qsizetype(i)); }
    qint16 s(int i) const { return ReadS16(params, 2 * qsizetype(i)); }
    quint32 u32(int i) const { return ReadU32(params, 2 * qsizetype(i)); }
    // COLORREF: red, green, blue, then a flags byte we ignore.
    QColor color(int i) const { return QColor(u(i) & 0xFF, u(i) >> 8, u(i + 1) & 0xFF); }
    // Points are stored x first; most other coordinate pairs y first.
    QPointF point(int i) const { return QPointF(s(i), s(i + 1)); }
    QByteArrayView from(int word) const { return params.sliced(2 * qsizetype(word)); }
};

// Walks the record chain. A record is handed out only after its size has been
// checked against the bytes left, so nothing later can read past the end.
class RecordWalk {
public:
    RecordWalk(QByteArrayView bytes, qsizetype start) : m_bytes(bytes), m_pos(start) {}

    // The next record; nullopt at the end record or on a problem (error()).
    std::optional<Record> next();
    const QString& error() const { return m_error; }
    qint64 index() const { return m_index; }
    qsizetype offset() const { return m_offset; }

private:
    std::optional<Record> fail(const QString& problem)
    {
        m_error = QStringLiteral("record %1 at byte %2 %3").arg(m_index).arg(m_offset).arg(problem);
        m_done = true;
        return std::nullopt;
    }

    QByteArrayView m_bytes;
    qsizetype m_pos;
    qsizetype m_offset = 0;
    qint64 m_index = 0;
    bool m_done = false;
    QString m_error;
};

std::optional<Record> RecordWalk::next()
{
    if (m_done)
        return std::nullopt;
    const qsizetype left = m_bytes.size() - m_pos;
    m_offset = m_pos;
    ++m_index;
    // Every metafile ends with an end record; without one, the file was cut
    // short and the picture would silently miss whatever followed.
    if (left == 0)
        return fail(QStringLiteral("is missing: the file ends before its end record"));
    if (left < kRecordHeaderBytes)
        return fail(QStringLiteral("is cut off by the end of the file"));
    if (m_index > kMaxRecords)
        return fail(QStringLiteral("is one too many: more than %1 records").arg(kMaxRecords));
    const quint32 words = ReadU32(m_bytes, m_pos);
    const quint16 function = ReadU16(m_bytes, m_pos + 4);
    if (words < 3)
        return fail(QStringLiteral("has an impossible size of %1 words").arg(words));
    if (static_cast<qint64>(words) * 2 > left)
        return fail(QStringLiteral("claims %1 bytes, but only %2 are left in the file")
                        .arg(static_cast<qint64>(words) * 2)
                        .arg(left));
    if (function == static_cast<quint16>(Fn::Eof)) {
        m_done = true;
        return std::nullopt;
    }
    Record record;
    record.function = function;
    record.params = m_bytes.sliced(m_pos + kRecordHeaderBytes, qsizetype(words) * 2 - kRecordHeaderBytes);
    m_pos += qsizetype(words) * 2;
    return record;
}

// A logical pen stays in logical units: its width becomes pixels only with the
// mapping in force when something is drawn.
struct LogicalPen {
    quint16 style = 0;
    int width = 0;
    QColor color = Qt::black;
};

struct GdiObject {
    enum class Kind { Free, Pen, Brush, Other };
    Kind kind = Kind::Free;
    LogicalPen pen;
    QBrush brush;
};

// Everything SaveDC keeps and RestoreDC brings back.
struct DeviceContext {
    LogicalPen pen;
    QBrush brush{Qt::white};
    Qt::FillRule fillRule = Qt::OddEvenFill;
    QPointF windowOrg;
    QSizeF windowExt{1, 1};
    QPointF position;
    QColor background{Qt::white};
    bool opaqueBackground = true;
};

QBrush LogicalBrush(quint16 style, const QColor& color, quint16 hatch)
{
    constexpr quint16 kNull = 1, kHatched = 2;
    if (style == kNull)
        return QBrush(Qt::NoBrush);
    if (style == kHatched) {
        constexpr Qt::BrushStyle kHatches[] = {Qt::HorPattern,   Qt::VerPattern,  Qt::FDiagPattern,
                                               Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(color, hatch < 6 ? kHatches[hatch] : Qt::SolidPattern);
    }
    // Solid, and pattern styles whose bitmap this record cannot carry.
    return QBrush(color);
}

// A packed bitmap (header, colour table, pixels) as found in blit and pattern
// records.
struct Dib {
    QImage image;       // null: nothing to draw (a kind of bitmap we skip)
    bool bottomUp = true;
    QString problem;    // set when the bitmap does not fit its record
};

Dib DecodeDib(QByteArrayView dib)
{
    Dib result;
    auto problem = [&](const QString& text) {
        result.problem = text;
        return result;
    };
    if (dib.size() < 16)
        return problem(QStringLiteral("its bitmap header is cut off"));
    const quint32 headerSize = ReadU32(dib, 0);
    if (headerSize < 12 || headerSize > static_cast<quint64>(dib.size()))
        return problem(QStringLiteral("its bitmap header of %1 bytes does not fit").arg(headerSize));
    qint64 width = 0, height = 0;
    int bitCount = 0, entryBytes = 4;
    quint32 compression = 0, colorsUsed = 0;
    if (headerSize == 12) {
        width = ReadU16(dib, 4);
        height = ReadU16(dib, 6);
        bitCount = ReadU16(dib, 10);
        entryBytes = 3;
    } else if (headerSize >= 40) {
        width = ReadS32(dib, 4);
        height = ReadS32(dib, 8);
        bitCount = ReadU16(dib, 14);
        compression = ReadU32(dib, 16);
        colorsUsed = ReadU32(dib, 32);
    } else {
        return result;
    }
    result.bottomUp = height > 0;
    height = std::abs(height);
    if (width <= 0 || height == 0)
        return result;
    if (width * height > kMaxPicturePixels)
        return problem(QStringLiteral("its bitmap of %1 x %2 pixels is larger than the %3-megapixel limit")
                           .arg(width)
                           .arg(height)
                           .arg(kMaxPicturePixels / 1'000'000));
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32)
        return problem(QStringLiteral("its bitmap has %1 bits per pixel").arg(bitCount));

    constexpr quint32 kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;
    const qint64 colors = colorsUsed != 0 ? colorsUsed : (bitCount <= 8 ? (1 << bitCount) : 0);
    const qint64 masks = headerSize == 40 ? (compression == kBitFields ? 12 : compression == kAlphaBitFields ? 16 : 0) : 0;
    const qint64 bitsOffset = headerSize + masks + colors * entryBytes;
    if (bitsOffset > dib.size())
        return problem(QStringLiteral("its bitmap's colour table runs past the record"));
    const qint64 available = dib.size() - bitsOffset;
    if (compression == kRgb || compression == kBitFields || compression == kAlphaBitFields) {
        const qint64 needed = (width * bitCount + 31) / 32 * 4 * height;
        if (available < needed)
            return problem(QStringLiteral("its bitmap of %1 x %2 pixels needs %3 bytes, the record holds %4")
                               .arg(width)
                               .arg(height)
                               .arg(needed)
                               .arg(available));
    } else if (compression != kRle8 && compression != kRle4) {
        return result; // JPEG or PNG inside a metafile: not drawn
    }

    // Qt reads packed bitmaps only as files: give it the file header.
    QByteArray file;
    file.reserve(14 + dib.size());
    file.append("BM");
    auto append32 = [&file](quint32 value) {
        char le[4];
        qToLittleEndian(value, le);
        file.append(le, 4);
    };
    append32(static_cast<quint32>(14 + dib.size()));
    append32(0);
    append32(static_cast<quint32>(14 + bitsOffset));
    file.append(dib.data(), dib.size());
    result.image = QImage::fromData(file, "BMP");
    // A blit copies colours; whatever alpha the bitmap has plays no part.
    if (!result.image.isNull())
        result.image.convertTo(QImage::Format_RGB32);
    return result;
}

// The angle Qt's arc functions take (degrees, counter-clockwise from three
// o'clock, measured on the unit circle the ellipse is stretched from) at which
// the ray from the centre through `p` meets the ellipse.
double EllipseAngle(const QRectF& r, QPointF p)
{
    const double dx = (p.x() - r.center().x()) / (r.width() / 2);
    const double dy = (r.center().y() - p.y()) / (r.height() / 2);
    if (dx == 0 && dy == 0)
        return 0;
    return qRadiansToDegrees(std::atan2(dy, dx));
}

class Player {
public:
    Player(QImage& target, const DeviceContext& start, int objectsHint);

    // Draws one record; returns the problem when its parameters do not fit it.
    QString play(const Record& r);

private:
    QString needWords(const Record& r, qint64 words, const char* what) const;
    QPointF map(QPointF p) const;
    QRectF mapRect(double left, double top, double right, double bottom) const;
    double scaleX() const { return std::abs(m_device.width() / m_dc.windowExt.width()); }
    double scaleY() const { return std::abs(m_device.height() / m_dc.windowExt.height()); }
    QPen devicePen() const;
    void draw(const QPainterPath& path, bool filled);
    QPolygonF points(const Record& r, int firstWord, int count) const;

    QString addObject(GdiObject object);
    void selectObject(int index);
    void deleteObject(int index);
    void restore(int which);

    QString polygon(const Record& r, bool closed);
    QString polyPolygon(const Record& r);
    QString arc(const Record& r);
    QString blit(const Record& r);
    void fillByRasterOp(quint32 rop, const QRectF& target);

    QPainter m_painter;
    QSizeF m_device;
    DeviceContext m_dc;
    std::vector<DeviceContext> m_saved;
    std::vector<GdiObject> m_objects;
    // New objects take the lowest free index, as in Windows; later records
    // refer to them by that index.
    std::priority_queue<int, std::vector<int>, std::greater<int>> m_freeSlots;
};

Player::Player(QImage& target, const DeviceContext& start, int objectsHint)
    : m_painter(&target), m_device(target.size()), m_dc(start)
{
    // Measured drawings need exact colours: no blended edge pixels.
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_objects.reserve(static_cast<std::size_t>(std::min(objectsHint, 4096)));
}

QString Player::needWords(const Record& r, qint64 words, const char* what) const
{
    if (r.words() >= words)
        return {};
    return QStringLiteral("%1 needs %2 bytes, its record holds %3")
        .arg(QLatin1String(what))
        .arg(words * 2)
        .arg(r.params.size());
}

QPointF Player::map(QPointF p) const
{
    return {(p.x() - m_dc.windowOrg.x()) * m_device.width() / m_dc.windowExt.width(),
            (p.y() - m_dc.windowOrg.y()) * m_device.height() / m_dc.windowExt.height()};
}

QRectF Player::mapRect(double left, double top, double right, double bottom) const
{
    return QRectF(map({left, top}), map({right, bottom})).normalized();
}

QPen Player::devicePen() const
{
    const LogicalPen& lp = m_dc.pen;
    constexpr int kNullStyle = 5;
    const int style = lp.style & 0x0F;
    if (style == kNullStyle)
        return QPen(Qt::NoPen);
    QPen pen(lp.color);
    // Width 0 and anything thinner than a pixel draw one pixel wide; Qt takes
    // no pen wider than 32767 pixels, and none needs to be.
    const double width = std::min(std::abs(lp.width) * scaleX(), 32767.0);
    pen.setWidthF(width < 1.5 ? 0.0 : std::round(width));
    switch (style) {
    case 1: pen.setStyle(Qt::DashLine); break;
    case 2:
    case 8: pen.setStyle(Qt::DotLine); break;
    case 3: pen.setStyle(Qt::DashDotLine); break;
    case 4: pen.setStyle(Qt::DashDotDotLine); break;
    default: break;
    }
    switch (lp.style & 0x0F00) {
    case 0x0100: pen.setCapStyle(Qt::SquareCap); break;
    case 0x0200: pen.setCapStyle(Qt::FlatCap); break;
    default: pen.setCapStyle(Qt::RoundCap); break;
    }
    switch (lp.style & 0xF000) {
    case 0x1000: pen.setJoinStyle(Qt::BevelJoin); break;
    case 0x2000: pen.setJoinStyle(Qt::MiterJoin); break;
    default: pen.setJoinStyle(Qt::RoundJoin); break;
    }
    return pen;
}

void Player::draw(const QPainterPath& path, bool filled)
{
    m_painter.setPen(devicePen());
    m_painter.setBrush(filled ? m_dc.brush : QBrush(Qt::NoBrush));
    m_painter.setBackgroundMode(m_dc.opaqueBackground ? Qt::OpaqueMode : Qt::TransparentMode);
    m_painter.setBackground(m_dc.background);
    m_painter.drawPath(path);
}

QPolygonF Player::points(const Record& r, int firstWord, int count) const
{
    QPolygonF polygon;
    polygon.reserve(count);
    for (int i = 0; i < count; ++i)
        polygon << map(r.point(firstWord + 2 * i));
    return polygon;
}

QString Player::addObject(GdiObject object)
{
    int slot = 0;
    if (!m_freeSlots.empty()) {
        slot = m_freeSlots.top();
        m_freeSlots.pop();
    } else {
        if (m_objects.size() >= static_cast<std::size_t>(kMaxObjects))
            return QStringLiteral("more than %1 objects exist at once").arg(kMaxObjects);
        slot = static_cast<int>(m_objects.size());
        m_objects.emplace_back();
    }
    m_objects[static_cast<std::size_t>(slot)] = std::move(object);
    return {};
}

void Player::selectObject(int index)
{
    if (index >= static_cast<int>(m_objects.size()))
        return; // Windows fails the call and changes nothing
    const GdiObject& object = m_objects[static_cast<std::size_t>(index)];
    if (object.kind == GdiObject::Kind::Pen)
        m_dc.pen = object.pen;
    else if (object.kind == GdiObject::Kind::Brush)
        m_dc.brush = object.brush;
}

void Player::deleteObject(int index)
{
    if (index >= static_cast<int>(m_objects.size()))
        return;
    GdiObject& object = m_objects[static_cast<std::size_t>(index)];
    if (object.kind == GdiObject::Kind::Free)
        return;
    // What is selected stays in use: the context holds its own copy.
    object = GdiObject{};
    m_freeSlots.push(index);
}

void Player::restore(int which)
{
    // Negative: that many levels back; positive: the n-th state saved.
    const qint64 target = which < 0 ? static_cast<qint64>(m_saved.size()) + which : qint64(which) - 1;
    if (which == 0 || target < 0 || target >= static_cast<qint64>(m_saved.size()))
        return;
    m_dc = m_saved[static_cast<std::size_t>(target)];
    m_saved.resize(static_cast<std::size_t>(target));
}

QString Player::polygon(const Record& r, bool closed)
{
    const char* what = closed ? "a polygon" : "a polyline";
    if (QString problem = needWords(r, 1, what); !problem.isEmpty())
        return problem;
    const int count = r.s(0);
    if (count < 0)
        return QStringLiteral("%1 of %2 points").arg(QLatin1String(what)).arg(count);
    if (QString problem = needWords(r, 1 + 2 * qint64(count), what); !problem.isEmpty())
        return problem;
    if (count < 2)
        return {};
    QPainterPath path;
    path.setFillRule(m_dc.fillRule);
    path.addPolygon(points(r, 1, count));
    if (closed)
        path.closeSubpath();
    draw(path, closed);
    return {};
}

QString Player::polyPolygon(const Record& r)
{
    if (QString problem = needWords(r, 1, "a polypolygon"); !problem.isEmpty())
        return problem;
    const int polygons = r.u(0);
    if (QString problem = needWords(r, 1 + qint64(polygons), "a polypolygon's point counts");
        !problem.isEmpty())
        return problem;
    qint64 total = 0;
    for (int i = 0; i < polygons; ++i)
        total += r.u(1 + i);
    if (QString problem = needWords(r, 1 + qint64(polygons) + 2 * total, "a polypolygon's points");
        !problem.isEmpty())
        return problem;
    QPainterPath path;
    path.setFillRule(m_dc.fillRule);
    int at = 1 + polygons;
    for (int i = 0; i < polygons; ++i) {
        const int count = r.u(1 + i);
        if (count >= 2) {
            path.addPolygon(points(r, at, count));
            path.closeSubpath();
        }
        at += 2 * count;
    }
    draw(path, true);
    return {};
}

QString Player::arc(const Record& r)
{
    if (QString problem = needWords(r, 8, "an arc"); !problem.isEmpty())
        return problem;
    const QRectF box = mapRect(r.s(7), r.s(6), r.s(5), r.s(4));
    if (box.width() <= 0 || box.height() <= 0)
        return {};
    // Windows draws from the start ray to the end ray counter-clockwise as
    // seen on the device, whatever the window's orientation.
    const double start = EllipseAngle(box, map({double(r.s(3)), double(r.s(2))}));
    const double end = EllipseAngle(box, map({double(r.s(1)), double(r.s(0))}));
    double sweep = end - start;
    while (sweep <= 0)
        sweep += 360;
    QPainterPath path;
    const auto fn = static_cast<Fn>(r.function);
    if (fn == Fn::Pie) {
        path.moveTo(box.center());
        path.arcTo(box, start, sweep);
        path.closeSubpath();
    } else {
        path.arcMoveTo(box, start);
        path.arcTo(box, start, sweep);
        if (fn == Fn::Chord)
            path.closeSubpath();
    }
    draw(path, fn != Fn::Arc);
    return {};
}

void Player::fillByRasterOp(quint32 rop, const QRectF& target)
{
    constexpr quint32 kPatCopy = 0x00F00021, kPatInvert = 0x005A0049, kDstInvert = 0x00550009,
                      kBlackness = 0x00000042, kWhiteness = 0x00FF0062;
    switch (rop) {
    case kPatCopy: m_painter.fillRect(target, m_dc.brush); break;
    case kBlackness: m_painter.fillRect(target, Qt::black); break;
    case kWhiteness: m_painter.fillRect(target, Qt::white); break;
    case kPatInvert:
        m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        m_painter.fillRect(target, m_dc.brush);
        break;
    case kDstInvert:
        m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        m_painter.fillRect(target, Qt::black);
        break;
    default: break;
    }
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

QString Player::blit(const Record& r)
{
    const auto fn = static_cast<Fn>(r.function);
    // Without a bitmap the record has exactly the words its function names,
    // one of them reserved; with one, the bitmap follows the fixed words.
    const bool withoutBitmap = fn != Fn::StretchDib && r.words() == (r.function >> 8);
    struct Layout {
        int srcH, srcW, ySrc, xSrc, destH, destW, yDest, xDest, bitmap;
    };
    Layout at{};
    switch (fn) {
    case Fn::DibBitBlt:
        at = withoutBitmap ? Layout{5, 6, 2, 3, 5, 6, 7, 8, -1} : Layout{4, 5, 2, 3, 4, 5, 6, 7, 8};
        break;
    case Fn::DibStretchBlt:
        at = withoutBitmap ? Layout{2, 3, 4, 5, 7, 8, 9, 10, -1} : Layout{2, 3, 4, 5, 6, 7, 8, 9, 10};
        break;
    default: at = Layout{3, 4, 5, 6, 7, 8, 9, 10, 11}; break;
    }
    const int fixedWords = withoutBitmap ? r.words() : at.bitmap;
    if (QString problem = needWords(r, fixedWords, "a bitmap transfer"); !problem.isEmpty())
        return problem;

    const quint32 rop = r.u32(0);
    const QPointF corner = map({double(r.s(at.xDest)), double(r.s(at.yDest))});
    const QPointF opposite =
        map({double(r.s(at.xDest)) + r.s(at.destW), double(r.s(at.yDest)) + r.s(at.destH)});
    const QRectF target = QRectF(corner, opposite).normalized();
    if (withoutBitmap) {
        fillByRasterOp(rop, target);
        return {};
    }
    constexpr quint16 kPaletteIndices = 1;
    if (fn == Fn::StretchDib && r.u(2) == kPaletteIndices)
        return {}; // colours as indices into a palette we do not keep

    Dib dib = DecodeDib(r.from(at.bitmap));
    if (!dib.problem.isEmpty())
        return dib.problem;
    if (dib.image.isNull() || target.isEmpty())
        return {};
    const int srcW = std::abs(r.s(at.srcW)), srcH = std::abs(r.s(at.srcH));
    const int srcX = r.s(at.xSrc);
    // Source rows of a bottom-up bitmap count from its bottom edge.
    const int srcY = dib.bottomUp ? dib.image.height() - r.s(at.ySrc) - srcH : r.s(at.ySrc);
    const QRect source = QRect(srcX, srcY, srcW, srcH).intersected(dib.image.rect());
    if (source.isEmpty())
        return {};
    const QImage part = dib.image.copy(source).mirrored(opposite.x() < corner.x(), opposite.y() < corner.y());

    constexpr quint32 kSrcAnd = 0x008800C6, kSrcPaint = 0x00EE0086, kSrcInvert = 0x00660046,
                      kNotSrcCopy = 0x00330008;
    QPainter::CompositionMode mode = QPainter::CompositionMode_Source;
    switch (rop) {
    case kSrcAnd: mode = QPainter::RasterOp_SourceAndDestination; break;
    case kSrcPaint: mode = QPainter::RasterOp_SourceOrDestination; break;
    case kSrcInvert: mode = QPainter::RasterOp_SourceXorDestination; break;
    case kNotSrcCopy: mode = QPainter::RasterOp_NotSource; break;
    default: break; // copies, and operations we approximate by a copy
    }
    m_painter.setCompositionMode(mode);
    m_painter.drawImage(target, part);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    return {};
}

QString Player::play(const Record& r)
{
    switch (static_cast<Fn>(r.function)) {
    case Fn::SetWindowOrg:
        if (QString problem = needWords(r, 2, "a window origin"); !problem.isEmpty())
            return problem;
        m_dc.windowOrg = QPointF(r.s(1), r.s(0));
        return {};
    case Fn::OffsetWindowOrg:
        if (QString problem = needWords(r, 2, "a window offset"); !problem.isEmpty())
            return problem;
        m_dc.windowOrg += QPointF(r.s(1), r.s(0));
        return {};
    case Fn::SetWindowExt:
        if (QString problem = needWords(r, 2, "a window extent"); !problem.isEmpty())
            return problem;
        if (r.s(0) != 0 && r.s(1) != 0) // Windows refuses an empty window
            m_dc.windowExt = QSizeF(r.s(1), r.s(0));
        return {};
    case Fn::ScaleWindowExt: {
        if (QString problem = needWords(r, 4, "a window scaling"); !problem.isEmpty())
            return problem;
        if (r.s(0) == 0 || r.s(2) == 0)
            return {};
        // Extents are whole numbers, as in Windows: repeated scaling can
        // neither creep towards zero nor grow without bound.
        const qint64 w = static_cast<qint64>(m_dc.windowExt.width()) * r.s(3) / r.s(2);
        const qint64 h = static_cast<qint64>(m_dc.windowExt.height()) * r.s(1) / r.s(0);
        constexpr qint64 kLargest = 1 << 30;
        if (w != 0 && h != 0 && std::abs(w) <= kLargest && std::abs(h) <= kLargest)
            m_dc.windowExt = QSizeF(w, h);
        return {};
    }
    case Fn::SetPolyFillMode:
        if (QString problem = needWords(r, 1, "a fill mode"); !problem.isEmpty())
            return problem;
        m_dc.fillRule = r.u(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        return {};
    case Fn::SetBkMode:
        if (QString problem = needWords(r, 1, "a background mode"); !problem.isEmpty())
            return problem;
        m_dc.opaqueBackground = r.u(0) == 2;
        return {};
    case Fn::SetBkColor:
        if (QString problem = needWords(r, 2, "a background colour"); !problem.isEmpty())
            return problem;
        m_dc.background = r.color(0);
        return {};
    case Fn::CreatePenIndirect: {
        if (QString problem = needWords(r, 5, "a pen"); !problem.isEmpty())
            return problem;
        GdiObject pen;
        pen.kind = GdiObject::Kind::Pen;
        pen.pen = LogicalPen{r.u(0), r.s(1), r.color(3)};
        return addObject(std::move(pen));
    }
    case Fn::CreateBrushIndirect: {
        if (QString problem = needWords(r, 4, "a brush"); !problem.isEmpty())
            return problem;
        GdiObject brush;
        brush.kind = GdiObject::Kind::Brush;
        brush.brush = LogicalBrush(r.u(0), r.color(1), r.u(3));
        return addObject(std::move(brush));
    }
    case Fn::DibCreatePatternBrush: {
        if (QString problem = needWords(r, 2, "a pattern brush"); !problem.isEmpty())
            return problem;
        GdiObject brush;
        // Only the two packed-bitmap styles carry a bitmap we can read here.
        constexpr quint16 kDibPattern = 5, kDibPatternPt = 6, kPaletteIndices = 1;
        if ((r.u(0) == kDibPattern || r.u(0) == kDibPatternPt) && r.u(1) != kPaletteIndices) {
            Dib dib = DecodeDib(r.from(2));
            if (!dib.problem.isEmpty())
                return dib.problem;
            if (!dib.image.isNull()) {
                brush.kind = GdiObject::Kind::Brush;
                brush.brush = QBrush(dib.image);
            }
        }
        if (brush.kind != GdiObject::Kind::Brush)
            brush.kind = GdiObject::Kind::Other;
        return addObject(std::move(brush));
    }
    case Fn::CreateFontIndirect:
    case Fn::CreatePalette:
    case Fn::CreatePatternBrush:
    case Fn::CreateRegion: {
        // Not drawn with, but they take an index that later records count on.
        GdiObject other;
        other.kind = GdiObject::Kind::Other;
        return addObject(std::move(other));
    }
    case Fn::SelectObject:
        if (QString problem = needWords(r, 1, "an object selection"); !problem.isEmpty())
            return problem;
        selectObject(r.u(0));
        return {};
    case Fn::DeleteObject:
        if (QString problem = needWords(r, 1, "an object deletion"); !problem.isEmpty())
            return problem;
        deleteObject(r.u(0));
        return {};
    case Fn::SaveDc:
        if (m_saved.size() < static_cast<std::size_t>(kMaxSavedStates))
            m_saved.push_back(m_dc);
        return {};
    case Fn::RestoreDc:
        if (QString problem = needWords(r, 1, "a state restore"); !problem.isEmpty())
            return problem;
        restore(r.s(0));
        return {};
    case Fn::MoveTo:
        if (QString problem = needWords(r, 2, "a move"); !problem.isEmpty())
            return problem;
        m_dc.position = QPointF(r.s(1), r.s(0));
        return {};
    case Fn::LineTo: {
        if (QString problem = needWords(r, 2, "a line"); !problem.isEmpty())
            return problem;
        const QPointF to(r.s(1), r.s(0));
        QPainterPath path(map(m_dc.position));
        path.lineTo(map(to));
        draw(path, false);
        m_dc.position = to;
        return {};
    }
    case Fn::Polygon: return polygon(r, true);
    case Fn::Polyline: return polygon(r, false);
    case Fn::PolyPolygon: return polyPolygon(r);
    case Fn::Rectangle:
    case Fn::Ellipse: {
        if (QString problem = needWords(r, 4, "a rectangle"); !problem.isEmpty())
            return problem;
        QPainterPath path;
        const QRectF box = mapRect(r.s(3), r.s(2), r.s(1), r.s(0));
        if (static_cast<Fn>(r.function) == Fn::Rectangle)
            path.addRect(box);
        else
            path.addEllipse(box);
        draw(path, true);
        return {};
    }
    case Fn::RoundRect: {
        if (QString problem = needWords(r, 6, "a rounded rectangle"); !problem.isEmpty())
            return problem;
        QPainterPath path;
        path.addRoundedRect(mapRect(r.s(5), r.s(4), r.s(3), r.s(2)), std::abs(r.s(1)) * scaleX() / 2,
                            std::abs(r.s(0)) * scaleY() / 2);
        draw(path, true);
        return {};
    }
    case Fn::Arc:
    case Fn::Pie:
    case Fn::Chord: return arc(r);
    case Fn::DibBitBlt:
    case Fn::DibStretchBlt:
    case Fn::StretchDib: return blit(r);
    default: return {}; // text, clipping, palettes, escapes: not part of a planform
    }
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

PictureLoad PlayWindowsMetafile(QByteArrayView bytes)
{
    PictureLoad result;
    auto fail = [&result](const QString& problem) {
        result.error = problem;
        return result;
    };
    auto damaged = [&fail](const QString& problem) {
        return fail(QStringLiteral("damaged Windows metafile: %1").arg(problem));
    };

    qsizetype start = 0;
    bool placeable = false;
    QRectF bounds;
    int unitsPerInch = 0;
    if (bytes.size() >= 4 && ReadU32(bytes, 0) == kPlaceableKey) {
        if (bytes.size() < kPlaceableBytes)
            return damaged(QStringLiteral("the file ends inside its placeable header"));
        placeable = true;
        bounds = QRectF(QPointF(ReadS16(bytes, 6), ReadS16(bytes, 8)),
                        QPointF(ReadS16(bytes, 10), ReadS16(bytes, 12)));
        unitsPerInch = ReadU16(bytes, 14);
        if (unitsPerInch == 0)
            return damaged(QStringLiteral("its placeable header gives 0 units per inch"));
        start = kPlaceableBytes;
    }
    if (bytes.size() - start < kHeaderBytes)
        return damaged(QStringLiteral("the file ends inside its header"));
    const QByteArrayView header = bytes.sliced(start, kHeaderBytes);
    if (ReadU16(header, 2) != 9 || (!placeable && !LooksLikeWindowsMetafile(header)))
        return fail(QStringLiteral("not a Windows metafile (unknown header)"));
    const int objectsHint = ReadU16(header, 10);
    const qsizetype recordsStart = start + kHeaderBytes;

    // A first walk checks the whole chain before anything is drawn, and finds
    // the picture size of a file without a placeable header.
    std::optional<QSizeF> firstExtent;
    RecordWalk check(bytes, recordsStart);
    while (const std::optional<Record> r = check.next()) {
        if (!firstExtent && r->function == static_cast<quint16>(Fn::SetWindowExt) && r->words() >= 2 &&
            r->s(0) != 0 && r->s(1) != 0)
            firstExtent = QSizeF(r->s(1), r->s(0));
    }
    if (!check.error().isEmpty())
        return damaged(check.error());

    DeviceContext context;
    QSize pixels;
    if (placeable) {
        pixels = QSize(qRound(std::abs(bounds.width()) * kScreenDpi / unitsPerInch),
                       qRound(std::abs(bounds.height()) * kScreenDpi / unitsPerInch));
        context.windowOrg = bounds.topLeft();
        context.windowExt = bounds.size();
    } else {
        if (!firstExtent)
            return damaged(QStringLiteral("it gives no size (no placeable header and no window extent)"));
        pixels = QSize(qRound(std::abs(firstExtent->width())), qRound(std::abs(firstExtent->height())));
        context.windowExt = *firstExtent;
    }
    if (const QString problem = PictureSizeProblem(pixels); !problem.isEmpty())
        return fail(problem);

    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull())
        return fail(QStringLiteral("not enough memory for %1 x %2 pixels").arg(pixels.width()).arg(pixels.height()));
    image.fill(Qt::white);
    {
        Player player(image, context, objectsHint);
        RecordWalk replay(bytes, recordsStart);
        while (const std::optional<Record> r = replay.next()) {
            if (const QString problem = player.play(*r); !problem.isEmpty())
                return damaged(QStringLiteral("record %1 at byte %2: %3")
                                   .arg(replay.index())
                                   .arg(replay.offset())
                                   .arg(problem));
        }
    }
    result.image = std::move(image);
    return result;
}

} // namespace centrafix
