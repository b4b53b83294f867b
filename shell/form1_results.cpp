// The language switch, the colour list with its ticks and weights, the
// results grid and the report.

#include "form1.h"

#include "window_clipboard.h"
#include "window_texts.h"

#include "engine/results_grid.h"

#include <QCheckBox>
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
    AssignColorsAndNames(ColorObjects, LanguageIndex);
    SetupGrid();
    showWorkingCopy();
    rebuildColorList();
    theListView->setCurrentRow(0);
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

void Form1::theListView_AfterLabelEdit(int editedRow, const QString& NewString)
{
    const std::optional<double> weight = WeightFromEditedText(NewString.toStdString());
    if (!weight)
        return;
    // The colour is found by the entry's text from before the edit. Without a
    // selection the edited entry stands in for it.
    const QList<QListWidgetItem*> selected = theListView->selectedItems();
    const QListWidgetItem* entry = selected.isEmpty() ? theListView->item(editedRow) : selected.first();
    if (entry == nullptr)
        return;
    const int i = FindColorEntry(entry->text().toStdString(), ColorObjects);
    if (i > 0)
        ColorObjects[At(i)].Weight = *weight;
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

    QStringList titles;
    for (int c = 0; c < columns; ++c) {
        const QTableWidgetItem* title = grdResults->horizontalHeaderItem(c);
        titles << (title ? title->text() : QString());
    }
    std::vector<std::string> lines;
    for (int r = 0; r < rows; ++r) {
        QStringList cells;
        for (int c = 0; c < columns; ++c) {
            const QTableWidgetItem* cell = grdResults->item(r, c);
            cells << (cell ? cell->text() : QString());
        }
        lines.push_back(cells.join('\t').toStdString());
    }
    PutOnClipboard(QString::fromStdString(CopyTableText(titles.join('\t').toStdString(), lines)));
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
