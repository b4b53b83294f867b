// The language switch, the colour list with its ticks and weights, the
// results grid and the report.

#include "form1.h"

#include "frozen_column_grid.h"
#include "loading_chart_window.h"

#include "window_clipboard.h"
#include "window_texts.h"

#include "engine/drag_report.h"
#include "engine/results_grid.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace centrafix {

namespace {

std::size_t At(int i)
{
    return static_cast<std::size_t>(i);
}

QColor ToQColor(std::int32_t color)
{
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

} // namespace

void Form1::cbLanguage_Click()
{
    if (cbLanguage->currentIndex() < 0)
        return;
    LanguageIndex = cbLanguage->currentIndex() + 1;
    SwitchLanguage();
}

void Form1::SwitchLanguage()
{
    btnOpen->setText(text(msg::Open));
    btnPaste->setText(text(msg::Paste));
    btnAnalyze->setText(text(msg::Analyze));
    btnCopy->setText(text(msg::CopyTable));
    btnFlip->setText(text(msg::FlipHorz));
    btnInvert->setText(text(msg::InvertBW));
    chkAreaAC->setText(text(msg::ShowAreaAC));
    chkAreaCG->setText(text(msg::ShowAreaCG));
    lblScale->setText(text(msg::ScaleFactorCaption));
    Label1->setText(text(msg::ToleranceCaption));
    Label2->setText(text(msg::ColorsCaption));
    lblLanguage->setText(text(msg::LanguageCaption));
    btnCopyBitmap->setText(text(kCopyBitmapCaption));
    Label3->setText(text(kAltitudeCaption));
    Label4->setText(text(kMachCaption));
    actTickAll->setText(text(kTickAll));
    actUntickAll->setText(text(kUntickAll));
    setMenuTexts();
    setTranslation();
    m_chartWindow->setLanguage(LanguageIndex);
    AssignColorsAndNames(ColorObjects, LanguageIndex);
    SetupGrid();
    showWorkingCopy();
    rebuildColorList();
    setToolTips();
    theListView->setCurrentRow(0);
    // Nothing on screen stays in the language left behind.
    setStatus(text(msg::Ready));
    showReport();
    showTitle();
    showZoom();
}

void Form1::setTranslation()
{
    QCoreApplication::removeTranslator(m_qtTranslator);
    if (LanguageIndex == kEnglish)
        return;
    // Without Qt's translations installed the dialogs keep Qt's English.
    if (m_qtTranslator->isEmpty() &&
        !m_qtTranslator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(m_qtTranslator);
}

void Form1::showReport()
{
    if (!m_report) {
        txtReport->clear();
        return;
    }
    const ReportSource& r = *m_report;
    if (r.ScaleFactor && r.drag)
        setReport(ReportLines(r.width, r.height, *r.ScaleFactor, *r.drag, LanguageIndex, decimalSeparator(), r.unit,
                              r.matches));
    else
        setReport(PictureSizeText(r.width, r.height, LanguageIndex));
}

void Form1::buildTickMenu()
{
    // The colour list's own menu (right click, or the menu key) and its keys:
    // "+" ticks every colour, "-" none.
    actTickAll = new QAction(theListView);
    actTickAll->setShortcut(QKeySequence(Qt::Key_Plus));
    actUntickAll = new QAction(theListView);
    actUntickAll->setShortcut(QKeySequence(Qt::Key_Minus));
    for (QAction* action : {actTickAll, actUntickAll}) {
        action->setShortcutContext(Qt::WidgetShortcut);
        theListView->addAction(action);
    }
    theListView->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(actTickAll, &QAction::triggered, this, [this] { tickAll(); });
    connect(actUntickAll, &QAction::triggered, this, [this] { setTicks({}); });
}

void Form1::rebuildColorList()
{
    theListView->clear();
    for (int i = 1; i <= kObjectCount; ++i) {
        const ColorObject& object = ColorObjects[At(i)];
        picColor.fill(ToQColor(object.Color));
        auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(picColor)),
                                         QString::fromStdString(ColorEntryText(object)),
                                         theListView);
        item->setData(Qt::UserRole, QString::fromStdString(object.Name));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable |
                       Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

bool Form1::theListView_AfterLabelEdit(int editedRow, const QString& NewString)
{
    const Result<std::optional<double>> weight =
        WeightFromEditedText(NewString.toStdString(), decimalSeparator());
    if (!weight) {
        // A number that would be cut short ("2,5" read as 2) is refused, and
        // the entry keeps the weight it shows.
        showError(weight.error());
        return false;
    }
    if (!*weight)
        return true;
    // The colour is found by the entry's text from before the edit. Without a
    // selection the edited entry stands in for it.
    const QList<QListWidgetItem*> selected = theListView->selectedItems();
    const QListWidgetItem* entry = selected.isEmpty() ? theListView->item(editedRow) : selected.first();
    if (entry == nullptr)
        return true;
    const int i = FindColorEntry(entry->text().toStdString(), ColorObjects);
    if (i > 0)
        ColorObjects[At(i)].Weight = **weight;
    return true;
}

void Form1::theListView_Click()
{
    const QList<QListWidgetItem*> selected = theListView->selectedItems();
    if (selected.isEmpty())
        return;
    const int i = FindColorEntry(selected.first()->text().toStdString(), ColorObjects);
    if (i > 0)
        setStatus(ColorReadout(ColorObjects[At(i)]));
}

void Form1::SetupGrid()
{
    m_savedRun.reset();
    grdResults->clear();
    grdResults->setRowCount(0);
    grdResults->setColumnCount(kGridColumns);
    grdResults->setHorizontalHeaderLabels(
        QString::fromStdString(GridHeaderText(LanguageIndex)).split('\t'));
    grdResults->clearSelection();
    grdResults->resizeColumnsToContents();
}

void Form1::appendGridRow(const QString& rowText)
{
    const QStringList cells = rowText.split('\t');
    const int row = grdResults->rowCount();
    grdResults->insertRow(row);
    for (int c = 0; c < kGridColumns; ++c) {
        auto* item = new QTableWidgetItem(c < cells.size() ? cells[c] : QString());
        if (c == 0) {
            // The name column is the grid's fixed column: styled like the header.
            item->setBackground(palette().button());
        } else {
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        grdResults->setItem(row, c, item);
    }
    grdResults->resizeColumnsToContents();
}

void Form1::btnCopy_Click()
{
    const int rows = grdResults->rowCount();
    const int columns = grdResults->columnCount();
    grdResults->clearSelection();
    if (rows > 0)
        grdResults->setRangeSelected(QTableWidgetSelectionRange(0, 0, rows - 1, columns - 1), true);

    PutOnClipboard(tableText());
    setStatus(Tr(kTableCopied, LanguageIndex, {std::to_string(rows + 1)}));
}

void Form1::tickAll()
{
    std::array<bool, 8> all{};
    all.fill(true);
    setTicks(all);
}

void Form1::setTicks(const std::array<bool, 8>& ticked)
{
    for (int i = 1; i <= kObjectCount && i <= theListView->count(); ++i)
        theListView->item(i - 1)->setCheckState(ticked[At(i)] ? Qt::Checked : Qt::Unchecked);
}

std::array<bool, 8> Form1::ticks() const
{
    std::array<bool, 8> ticked{};
    for (int i = 1; i <= kObjectCount && i <= theListView->count(); ++i)
        ticked[At(i)] = theListView->item(i - 1)->checkState() == Qt::Checked;
    return ticked;
}

void Form1::setReport(const QString& report)
{
    QString shown = report;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtReport->setPlainText(shown);
}

void Form1::setReport(const std::string& report)
{
    setReport(QString::fromStdString(report));
}

} // namespace centrafix
