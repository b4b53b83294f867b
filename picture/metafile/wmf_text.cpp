// The records that write text, in the font, colour and alignment the
// records before them chose.

#include "picture/metafile/wmf_font.h"
#include "picture/metafile/wmf_names.h"
#include "picture/metafile/wmf_record_player.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <vector>

namespace centrafix::wmf {

namespace {

constexpr quint16 kUpdateCp = 1, kAlignRight = 2, kAlignCentre = 6, kAlignBottom = 8, kAlignBaseline = 24;
constexpr quint16 kEtoOpaque = 2, kEtoClipped = 4;

constexpr Message kNoFonts{
    "Text ist ohne Schriftarten nicht zu zeichnen (das Programm läuft ohne grafische Oberfläche)",
    "text cannot be drawn without fonts (the program runs without its graphical side)"};

} // namespace

// What a text record asks for, in logical units.
struct RecordPlayer::TextRun {
    QPointF at;
    QByteArrayView bytes;
    std::vector<double> advances; // one a character, or none: the font's own
    std::optional<QRectF> box;    // the ExtTextOut rectangle
    quint16 options = 0;
};

// The string's length, the string padded to whole words, then y and x.
Problem RecordPlayer::textOut(const Record& r)
{
    const int length = r.u(0), words = (length + 1) / 2;
    if (Problem problem = NeedWords(r, 3 + qint64(words), name::Text))
        return problem;
    TextRun run;
    run.bytes = r.params.sliced(2, length);
    run.at = QPointF(r.s(2 + words), r.s(1 + words));
    return drawText(run);
}

// y, x, the string's length, options, a rectangle when the options use one,
// the string padded to whole words, and a width for each character when the
// writer fixed them.
Problem RecordPlayer::extTextOut(const Record& r)
{
    TextRun run;
    run.at = QPointF(r.s(1), r.s(0));
    run.options = r.u(3);
    const int length = r.u(2), words = (length + 1) / 2;
    int at = 4;
    if (run.options & (kEtoOpaque | kEtoClipped)) {
        if (Problem problem = NeedWords(r, 8, name::Text))
            return problem;
        run.box = QRectF(QPointF(r.s(4), r.s(5)), QPointF(r.s(6), r.s(7)));
        at = 8;
    }
    if (Problem problem = NeedWords(r, at + qint64(words), name::Text))
        return problem;
    run.bytes = r.params.sliced(2 * qsizetype(at), length);
    at += words;
    if (r.words() >= at + length) {
        for (int i = 0; i < length; ++i)
            run.advances.push_back(r.s(at + i));
    }
    return drawText(run);
}

// The Qt font for the logical font in force. Finding a font is slow, and
// counted so; drawings switch between a few, so the last few are kept.
Problem RecordPlayer::resolveFont()
{
    constexpr std::size_t kKept = 32;
    const QSizeF scale(scaleX(), scaleY());
    const auto made = std::find_if(m_madeFonts.begin(), m_madeFonts.end(),
                                   [&](const MadeFont& f) { return f.scale == scale && f.logical == m_dc.font; });
    if (made != m_madeFonts.end()) {
        m_font = made->font;
        return std::nullopt;
    }
    if (Problem problem = m_budget.spend(cost::kFontResolve))
        return problem;
    m_font = DeviceFont(m_dc.font, scale.width(), scale.height());
    if (m_madeFonts.size() == kKept)
        m_madeFonts.erase(m_madeFonts.begin());
    m_madeFonts.push_back({m_dc.font, scale, m_font});
    return std::nullopt;
}

// Where a line of text goes: its reference point on the picture, and from
// there its left end, baseline and characters, in pixels along the line.
struct RecordPlayer::TextLine {
    QPointF reference;
    double left = 0;
    double baseline = 0;
    double width = 0;
    std::vector<double> offsets; // of each character from the left end; none: as the font sets them
};

// Places the line as the alignment in force says, and moves the current
// position past it when the alignment asks for that.
RecordPlayer::TextLine RecordPlayer::layOut(const TextRun& run, const QString& text, const QFontMetricsF& metrics)
{
    TextLine line;
    const double deviceX = m_device.width() / m_dc.windowExt.width();
    for (const double advance : run.advances) {
        line.offsets.push_back(line.width);
        line.width += std::abs(advance * deviceX);
    }
    if (run.advances.empty())
        line.width = metrics.horizontalAdvance(text);
    const quint16 align = m_dc.textAlign;
    const quint16 horizontal = align & kAlignCentre, vertical = align & kAlignBaseline;
    line.left = horizontal == kAlignCentre ? -line.width / 2 : horizontal == kAlignRight ? -line.width : 0.0;
    line.baseline = vertical == kAlignBaseline ? 0.0 : vertical == kAlignBottom ? -metrics.descent() : metrics.ascent();
    if (align & kUpdateCp) {
        line.reference = map(m_dc.position);
        const double moved = horizontal == kAlignCentre ? 0.0 : horizontal == kAlignRight ? -line.width : line.width;
        m_dc.position.rx() += moved / deviceX;
    } else {
        line.reference = map(run.at);
    }
    return line;
}

Problem RecordPlayer::drawText(const TextRun& run)
{
    const QRectF box =
        run.box ? mapRect(run.box->left(), run.box->top(), run.box->right(), run.box->bottom()) : QRectF();
    if (Problem problem = m_budget.spend(ClippedArea(box, m_budget.canvas())))
        return problem;
    // Writers fill rectangles with an ExtTextOut of no text: no font needed.
    if (run.box && (run.options & kEtoOpaque))
        m_painter.fillRect(box, m_dc.background);
    if (run.bytes.isEmpty())
        return std::nullopt;
    if (!FontsAvailable())
        return Described({}, kNoFonts);
    if (Problem problem = resolveFont())
        return problem;
    const QString text = DecodeAnsi(run.bytes);
    const QFontMetricsF metrics(m_font);
    const double em = m_font.pixelSize(), canvasArea = ClippedArea(m_budget.canvas(), m_budget.canvas());
    if (Problem problem = m_budget.spend(double(text.size()) * (cost::kGlyph + std::min(4 * em * em, canvasArea))))
        return problem;

    const TextLine line = layOut(run, text, metrics);
    m_painter.save();
    if (run.box && (run.options & kEtoClipped))
        m_painter.setClipRect(box, Qt::IntersectClip);
    m_painter.translate(line.reference);
    m_painter.rotate(-m_dc.font.escapement / 10.0);
    if (m_dc.opaqueBackground)
        m_painter.fillRect(QRectF(line.left, line.baseline - metrics.ascent(), line.width, metrics.height()),
                           m_dc.background);
    m_painter.setFont(m_font);
    m_painter.setPen(m_dc.textColor);
    if (line.offsets.empty())
        m_painter.drawText(QPointF(line.left, line.baseline), text);
    for (qsizetype i = 0; i < qsizetype(line.offsets.size()) && i < text.size(); ++i)
        m_painter.drawText(QPointF(line.left + line.offsets[std::size_t(i)], line.baseline), QString(text[i]));
    m_painter.restore();
    return std::nullopt;
}

} // namespace centrafix::wmf
