#include "report_composer.h"

#include "first_page.h"
#include "page_frame.h"
#include "report_texts.h"
#include "true_size_pages.h"

#include "picture/files/atomic_file.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace centrafix {
namespace {

constexpr Message kCannotDraw{"auf das Gerät kann nicht gezeichnet werden", "the device cannot be drawn on"};

// What page 1 says about the pages after it.
QString TrueSizeNote(const ReportContent& content, const std::optional<TrueSizeLayout>& layout)
{
    const int language = content.languageIndex;
    if (layout) {
        const int sheets = layout->grid.pages();
        if (sheets == 1)
            return QString::fromStdString(std::string(Tr(kReportTrueSizePage, language)));
        return QString::fromStdString(Tr(kReportTrueSizePages, language,
                                         {std::to_string(sheets + 1), std::to_string(sheets),
                                          std::to_string(layout->grid.rows), std::to_string(layout->grid.columns)}));
    }
    const QString unit = QString::fromStdString(content.unit).trimmed();
    if (unit.isEmpty())
        return QString::fromStdString(std::string(Tr(kReportNoTrueSizeNoUnit, language)));
    return QString::fromStdString(Tr(kReportNoTrueSize, language, {unit.toStdString()}));
}

} // namespace

QByteArray ReportCreatorMark()
{
    // QPdfWriter writes its information first, its texts in UTF-16 with a
    // byte order mark.
    QByteArray mark("/Creator (\xfe\xff");
    for (const char c : std::string_view(kReportCreator))
        mark.append('\0').append(c);
    return mark + ')';
}

int ReportPageCount(const ReportContent& content, Paper paper)
{
    const std::optional<TrueSizeLayout> layout = LayOutTrueSize(content, paper);
    return 1 + (layout ? layout->grid.pages() : 0);
}

std::optional<Error> ComposeReport(QPagedPaintDevice& device, const ReportContent& content, Paper paper)
{
    QPageLayout layout(QPageSize(PageSizeIdOf(paper)), QPageLayout::Portrait, QMarginsF());
    layout.setMode(QPageLayout::FullPageMode);
    device.setPageLayout(layout);
    const std::optional<TrueSizeLayout> trueSize = LayOutTrueSize(content, paper);
    const int pages = 1 + (trueSize ? trueSize->grid.pages() : 0);

    QPainter painter;
    if (!painter.begin(&device))
        return Because(ErrorArg(kCannotDraw));
    const PageFrame frame = FrameOf(device, paper);
    DrawFirstPage(painter, frame, content, TrueSizeNote(content, trueSize));
    if (trueSize) {
        int page = 2;
        for (int row = 0; row < trueSize->grid.rows; ++row) {
            for (int column = 0; column < trueSize->grid.columns; ++column) {
                device.newPage();
                DrawTrueSizePage(painter, frame, content, *trueSize, row, column, page++, pages, paper);
            }
        }
    }
    if (!painter.end())
        return Because(ErrorArg(kCannotDraw));
    return std::nullopt;
}

std::optional<Error> WriteReportPdf(const QString& path, const ReportContent& content, Paper paper,
                                    const Message& cannotWrite)
{
    return WriteFileSafely(path, cannotWrite, [&](QIODevice& device) -> std::optional<Error> {
        QPdfWriter writer(&device);
        writer.setCreator(QString::fromLatin1(kReportCreator));
        writer.setTitle(content.title);
        // QPdfWriter writes as the painter ends and says nothing of a failed
        // write; WriteFileSafely finds it on the file.
        return ComposeReport(writer, content, paper);
    });
}

} // namespace centrafix
