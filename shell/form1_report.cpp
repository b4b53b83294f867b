// File › Print... and File › Export PDF...: the last run's report drawn by
// the one composer the batch command's --report uses, into a printer or a
// PDF written whole or not at all.

#include "form1.h"

#include "frozen_column_grid.h"
#include "menu_texts.h"
#include "picture/picture_area.h"

#include "document/balance_placement.h"
#include "engine/weight_balance_report.h"
#include "picture/files/atomic_file.h"
#include "picture/report/report_composer.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTableWidget>

namespace centrafix {

ReportContent Form1::reportContent()
{
    const LastRun& run = *m_document.lastRun();
    ReportContent content;
    if (!m_document.pictureIsPasted())
        content.title = m_document.pictureName();
    content.annotated = annotatedPicture();
    content.plain = picBackBuffer->picture();
    // The grid and the report as the window shows them, in its language.
    for (int c = 0; c < grdResults->columnCount(); ++c) {
        const QTableWidgetItem* title = grdResults->horizontalHeaderItem(c);
        content.header.cells.push_back(title ? title->text().toStdString() : std::string());
    }
    for (int r = 0; r < grdResults->rowCount(); ++r) {
        GridRow& row = content.rows.emplace_back();
        for (int c = 0; c < grdResults->columnCount(); ++c) {
            const QTableWidgetItem* cell = grdResults->item(r, c);
            row.cells.push_back(cell ? cell->text().toStdString() : std::string());
        }
        while (!row.cells.empty() && row.cells.back().empty())
            row.cells.pop_back();
    }
    QString report = txtReport->toPlainText();
    report.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    content.report = report.split(u'\n').join(QStringLiteral("\r\n")).toStdString() + "\r\n";
    content.balance = run.result.balance;
    content.noBalance = run.result.noBalance;
    content.placement =
        BalancePlacementOf(run.inputs, run.result.values.ScaleFactor, run.objects, picBackBuffer->picture());
    content.unit = run.inputs.unit;
    content.decimalSeparator = decimalSeparator();
    content.languageIndex = LanguageIndex;
    if (const std::optional<WeighedRun> weighed = weighedRun()) {
        content.placement.weighedCgX = weighed->weighed.cgX;
        content.extraLines = QStringList{QString()} +
                             ReportLines(WeightBalanceLines(weighed->weighed, weighed->items, LanguageIndex,
                                                            decimalSeparator(), run.inputs.unit));
    }
    return content;
}

void Form1::exportPdf()
{
    if (!m_document.lastRun() || isBusy())
        return;
    // The paper is chosen with the file's type: A4 or Letter.
    const Paper paper = m_paper.value_or(PaperForLocale(QLocale()));
    const QStringList filters{text(kReportFilterA4), text(kReportFilterLetter)};
    QString selected = filters[paper == Paper::Letter ? 1 : 0];
    QString folder = m_saveFolder;
    if (folder.isEmpty() && !m_document.pictureIsPasted() && !m_document.picturePath().isEmpty())
        folder = QFileInfo(m_document.picturePath()).absolutePath();
    const QString name = suggestedSaveName(QStringLiteral("-report"), QStringLiteral("pdf"));
    QString path = chooseSaveFile(filters.join(QStringLiteral(";;")), selected,
                                  folder.isEmpty() ? name : QDir(folder).filePath(name));
    if (path.isEmpty())
        return;
    m_saveFolder = QFileInfo(path).absolutePath();
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    if (!mayReplace(path))
        return;
    m_paper = selected == filters[1] ? Paper::Letter : Paper::A4;
    withMemory([&] {
        if (const std::optional<Error> failure = WriteReportPdf(path, reportContent(), *m_paper, kCannotWriteFile))
            showFailure(*failure);
        else
            setStatus(Tr(kReportSaved, LanguageIndex, {QFileInfo(path).fileName().toStdString()}));
    });
}

void Form1::printReport()
{
    if (!m_document.lastRun() || isBusy())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(PageSizeIdOf(m_paper.value_or(PaperForLocale(QLocale())))));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The paper chosen in the dialog, where it is one of the two the report
    // knows; A4 for any other.
    const Paper paper = printer.pageLayout().pageSize().id() == QPageSize::Letter ? Paper::Letter : Paper::A4;
    m_paper = paper;
    withMemory([&] {
        if (const std::optional<Error> failure = ComposeReport(printer, reportContent(), paper))
            showMessage(QMessageBox::Warning, QString::fromStdString(Tr(kCannotPrint, LanguageIndex,
                                                                        {ErrorText(*failure, LanguageIndex)})));
        else
            setStatus(text(kReportPrinted));
    });
}

} // namespace centrafix
