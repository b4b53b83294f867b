#include "first_page.h"

#include "report_texts.h"

#include "engine/balance_report.h"
#include "engine/number_text.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <numeric>

namespace centrafix {
namespace {

constexpr double kBodyPoints = 8.0;
constexpr double kSmallestPoints = 2.0;
constexpr double kGap = 4.0;        // millimetres between the blocks
constexpr double kColumnGap = 6.0;  // between the report's and the balance's column
constexpr double kCellPadding = 1.5; // millimetres either side of a cell's text
constexpr double kPictureHighest = 120.0;

QString Text(const Message& message, int languageIndex, std::initializer_list<std::string_view> args = {})
{
    return QString::fromStdString(Tr(message, languageIndex, args));
}

QFont FontOf(double points, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The grid's texts at `points`: the widths of its columns in millimetres.
std::vector<double> ColumnWidths(const ReportContent& content, double points, const PageFrame& frame,
                                 QPaintDevice* device)
{
    const QFontMetricsF plain(FontOf(points), device);
    const QFontMetricsF bold(FontOf(points, true), device);
    std::size_t columns = content.header.cells.size();
    for (const GridRow& row : content.rows)
        columns = std::max(columns, row.cells.size());
    std::vector<double> widths(columns, 0.0);
    const auto widen = [&](const GridRow& row, const QFontMetricsF& metrics) {
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const double w = metrics.horizontalAdvance(QString::fromStdString(row.cells[c])) / frame.pixelsPerMmX;
            widths[c] = std::max(widths[c], w + 2 * kCellPadding);
        }
    };
    widen(content.header, bold);
    for (const GridRow& row : content.rows)
        widen(row, plain);
    return widths;
}

double Sum(const std::vector<double>& values)
{
    return std::accumulate(values.begin(), values.end(), 0.0);
}

// The lines broken at blanks where they are wider than `width` pixels; a
// line's continuation is indented a little further than the line.
QStringList Wrapped(const QStringList& lines, const QFontMetricsF& metrics, double width)
{
    QStringList wrapped;
    for (const QString& line : lines) {
        if (metrics.horizontalAdvance(line) <= width) {
            wrapped << line;
            continue;
        }
        qsizetype indent = 0;
        while (indent < line.size() && line[indent] == u' ')
            ++indent;
        const QString lead = line.left(indent);
        const QStringList words = line.mid(lead.size()).split(u' ', Qt::SkipEmptyParts);
        QString current = lead;
        for (const QString& word : words) {
            const QString longer = current.trimmed().isEmpty() ? current + word : current + u' ' + word;
            if (metrics.horizontalAdvance(longer) <= width || current.trimmed().isEmpty()) {
                current = longer;
                continue;
            }
            wrapped << current;
            current = lead + QStringLiteral("    ") + word;
        }
        wrapped << current;
    }
    return wrapped;
}

// The sizes page 1 is laid out at: one text size for all, and the height
// left for the picture.
struct Layout {
    QStringList report; // the columns' lines, broken to fit
    QStringList balance;
    double points = kBodyPoints;
    double lineMm = 0.0;
    double tableMm = 0.0;
    double textMm = 0.0;
    double pictureMm = 0.0;
};

class FirstPage {
public:
    FirstPage(QPainter& painter, const PageFrame& frame, const ReportContent& content, const QString& note)
        : m_painter(painter),
          m_frame(frame),
          m_content(content),
          m_language(content.languageIndex),
          m_sections(SplitReport(content)),
          m_left(frame.paper.width() - 2 * kPageMargin)
    {
        m_sections.balance += content.extraLines;
        if (!note.isEmpty())
            m_sections.balance << QString() << note;
    }

    void draw()
    {
        double y = kPageMargin;
        const QString title = m_content.title.isEmpty()
                                  ? Text(kReportTitle, m_language)
                                  : Text(kReportTitleOf, m_language, {m_content.title.toStdString()});
        y = drawLine(title, y, FontOf(13.0, true));
        y = drawLine(scaleLine(), y, FontOf(kBodyPoints)) + kGap / 2;

        const Layout layout = layOut(kPageMargin + m_frame.paper.height() - 2 * kPageMargin - y);
        y = drawPicture(y, layout.pictureMm);
        y = drawTable(y + kGap, layout);
        drawColumns(y + kGap, layout);
    }

private:
    QString scaleLine() const
    {
        const std::string scale = FormatGeneral(m_content.placement.ScaleFactor, m_content.decimalSeparator);
        return Text(kReportScale, m_language, {scale, m_content.unit}).trimmed();
    }

    double drawLine(const QString& text, double y, const QFont& font)
    {
        m_painter.setFont(font);
        const QFontMetricsF metrics = m_painter.fontMetrics();
        m_painter.setPen(Qt::black);
        m_painter.drawText(m_frame.at(kPageMargin, y) + QPointF(0, metrics.ascent()), text);
        return y + metrics.lineSpacing() / m_frame.pixelsPerMmY;
    }

    // The largest text size, at most kBodyPoints, at which the grid and the
    // two columns fit the page's width and, with a picture of at least a
    // fifth of what is left, its height.
    Layout layOut(double available)
    {
        Layout layout;
        QPaintDevice* device = m_painter.device();
        for (double points = kBodyPoints;; points -= 0.25) {
            layout.points = points;
            const QFontMetricsF metrics(FontOf(points), device);
            layout.lineMm = metrics.lineSpacing() / m_frame.pixelsPerMmY;
            const std::vector<double> widths = ColumnWidths(m_content, points, m_frame, device);
            const double tableWidth = Sum(widths);
            const double column = m_frame.width((m_left - kColumnGap) / 2);
            layout.report = Wrapped(m_sections.report, metrics, column);
            layout.balance = Wrapped(m_sections.balance, metrics, column);
            const qsizetype lines = std::max(layout.report.size() + 1, layout.balance.size() + 1);
            layout.tableMm = (static_cast<double>(m_content.rows.size()) + 2) * layout.lineMm;
            layout.textMm = static_cast<double>(lines) * layout.lineMm;
            const bool fitsWidth = tableWidth <= m_left;
            layout.pictureMm =
                std::min(kPictureHighest, available - layout.tableMm - layout.textMm - 2 * kGap);
            if ((fitsWidth && layout.pictureMm >= available / 5) || points - 0.25 < kSmallestPoints)
                return layout;
        }
    }

    double drawPicture(double y, double highest)
    {
        const QImage& picture = m_content.annotated;
        if (picture.isNull() || highest <= 0.0)
            return y;
        // The picture keeps its proportions; the PDF holds its own pixels,
        // the viewer or printer scales them.
        const double aspect = double(picture.width()) / std::max(1, picture.height());
        double w = m_left;
        double h = w / aspect;
        if (h > highest) {
            h = highest;
            w = h * aspect;
        }
        const QRectF target = m_frame.rect(kPageMargin, y, w, h);
        m_painter.drawImage(target, picture);
        m_painter.setPen(QPen(Qt::gray, m_frame.width(0.2)));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(target);
        return y + h;
    }

    double drawTable(double y, const Layout& layout)
    {
        y = drawHeading(Text(kReportResults, m_language), y, layout);
        std::vector<double> widths = ColumnWidths(m_content, layout.points, m_frame, m_painter.device());
        const auto drawRow = [&](const GridRow& row, bool bold) {
            m_painter.setFont(FontOf(layout.points, bold));
            const double ascent = m_painter.fontMetrics().ascent();
            double x = kPageMargin;
            for (std::size_t c = 0; c < row.cells.size() && c < widths.size(); ++c) {
                const QString cell = QString::fromStdString(row.cells[c]);
                // Names read from the left, numbers line up on the right.
                const double advance = m_painter.fontMetrics().horizontalAdvance(cell) / m_frame.pixelsPerMmX;
                const double left = c == 0 ? x + kCellPadding : x + widths[c] - kCellPadding - advance;
                m_painter.drawText(m_frame.at(left, y) + QPointF(0, ascent), cell);
                x += widths[c];
            }
            y += layout.lineMm;
        };
        m_painter.setPen(Qt::black);
        drawRow(m_content.header, true);
        m_painter.setPen(QPen(Qt::black, m_frame.width(0.15)));
        m_painter.drawLine(m_frame.at(kPageMargin, y), m_frame.at(kPageMargin + Sum(widths), y));
        for (const GridRow& row : m_content.rows)
            drawRow(row, false);
        return y;
    }

    double drawHeading(const QString& text, double y, const Layout& layout, double x = kPageMargin)
    {
        m_painter.setFont(FontOf(layout.points, true));
        m_painter.setPen(Qt::black);
        m_painter.drawText(m_frame.at(x, y) + QPointF(0, m_painter.fontMetrics().ascent()), text);
        return y + layout.lineMm;
    }

    void drawColumns(double y, const Layout& layout)
    {
        const double right = kPageMargin + (m_left + kColumnGap) / 2;
        const double below = drawHeading(Text(kReportText, m_language), y, layout);
        drawHeading(Text(kReportBalance, m_language), y, layout, right);
        m_painter.setFont(FontOf(layout.points));
        m_painter.setPen(Qt::black);
        const double ascent = m_painter.fontMetrics().ascent();
        const auto drawLines = [&](const QStringList& lines, double x) {
            double top = below;
            for (const QString& line : lines) {
                m_painter.drawText(m_frame.at(x, top) + QPointF(0, ascent), line);
                top += layout.lineMm;
            }
        };
        drawLines(layout.report, kPageMargin);
        drawLines(layout.balance, right);
    }

    QPainter& m_painter;
    const PageFrame& m_frame;
    const ReportContent& m_content;
    const int m_language;
    ReportSections m_sections;
    const double m_left; // the width between the margins, millimetres
};

} // namespace

ReportSections SplitReport(const ReportContent& content)
{
    const std::string balance = BalanceLines(content.balance, content.noBalance, content.languageIndex,
                                             content.decimalSeparator, content.unit);
    std::string report = content.report;
    if (!balance.empty() && report.size() >= balance.size() &&
        report.compare(report.size() - balance.size(), balance.size(), balance) == 0)
        report.resize(report.size() - balance.size());
    return {ReportLines(report), ReportLines(balance)};
}

void DrawFirstPage(QPainter& painter, const PageFrame& frame, const ReportContent& content,
                   const QString& trueSizeNote)
{
    FirstPage(painter, frame, content, trueSizeNote).draw();
}

QStringList ReportLines(const std::string& text)
{
    QStringList lines = QString::fromStdString(text).split(QStringLiteral("\r\n"));
    while (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace centrafix
