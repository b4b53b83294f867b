// The language switch, the colour list with its ticks and weights, the
// results grid and the report.

#include "form1.h"

#include "frozen_column_grid.h"
#include "loading_chart_window.h"

#include "menu_texts.h"
#include "out_of_date.h"
#include "panel_texts.h"
#include "picture_view.h"
#include "window_clipboard.h"
#include "window_texts.h"

#include "engine/balance_report.h"
#include "engine/drag_report.h"
#include "engine/eval_number.h"
#include "engine/number_text.h"
#include "engine/results_grid.h"
#include "picture/mark_sprites.h"
#include "picture/result_plot.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTranslator>

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
    // The buttons show their actions' texts (setMenuTexts).
    lblScale->setText(text(msg::ScaleFactorCaption));
    Label1->setText(text(msg::ToleranceCaption));
    lblScaleUnit->setText(text(kUnitFieldCaption));
    lblOrigin->setText(text(kOriginCaption));
    Label2->setText(text(msg::ColorsCaption));
    lblLanguage->setText(text(msg::LanguageCaption));
    Label3->setText(text(kAltitudeCaption));
    Label4->setText(text(kMachCaption));
    actTickAll->setText(text(kTickAll));
    actUntickAll->setText(text(kUntickAll));
    setMenuTexts();
    setTranslation();
    m_chartWindow->setLanguage(LanguageIndex);
    // The ticks and the last run stay; only their words change.
    m_document.setLanguage(LanguageIndex);
    rebuildColorList();
    setBalanceTexts();
    setTicks(m_document.ticks());
    setToolTips();
    showFoundMarks();
    theListView->setCurrentCell(0, 0);
    translateLastRun();
    // Nothing on screen stays in the language left behind.
    setStatus(text(msg::Ready));
    showReport();
    showOutOfDate();
    showTitle();
    showZoom();
}

// The last run's names, grid rows, report and marks in the window's
// language, as if the run had been made in it; without a run, the empty
// grid's titles.
void Form1::translateLastRun()
{
    if (!m_document.lastRun()) {
        SetupGrid();
        return;
    }
    const LastRun& run = *m_document.lastRun();
    const RunValues& values = run.result.values;
    showGrid();
    if (m_hasPlot) {
        m_plot = ResultMarks(run.objects, values, run.inputs.OriginX, run.inputs.OriginY, LanguageIndex);
        picSideView->setMarks(MarkSprites(m_plot));
    }
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
    std::string lines = r.ScaleFactor && r.drag ? ReportLines(r.width, r.height, *r.ScaleFactor, *r.drag, LanguageIndex,
                                                              decimalSeparator(), r.unit, r.matches)
                                                : PictureSizeText(r.width, r.height, LanguageIndex);
    if (r.ScaleFactor && r.drag)
        lines += BalanceLines(r.balance, r.noBalance, LanguageIndex, decimalSeparator(), r.unit);
    // Read first, before any number below it.
    if (resultsOutOfDate())
        lines = OutOfDateText(kOutOfDateNote, m_document.staleReasons(), LanguageIndex) + "\n" + lines;
    setReport(lines);
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
    std::array<bool, 8> all{};
    all.fill(true);
    connect(actTickAll, &QAction::triggered, this, [this, all] { userSetTicks(all); });
    connect(actUntickAll, &QAction::triggered, this, [this] { userSetTicks({}); });
}

void Form1::rebuildColorList()
{
    fillColorList(m_document.colorObjects(), LanguageIndex);
}

void Form1::fillColorList(const ColorObjectTable& objects, int languageIndex)
{
    const QSignalBlocker quiet(theListView);
    theListView->setHorizontalHeaderLabels({QString::fromUtf8(Tr(msg::Object, languageIndex)),
                                            QString::fromUtf8(Tr(msg::Efficiency, languageIndex)),
                                            QString::fromStdString(FieldName(Field::Role, languageIndex))});
    theListView->setRowCount(0);
    theListView->setRowCount(kObjectCount);
    for (int i = 1; i <= kObjectCount; ++i) {
        const ColorObject& object = objects[At(i)];
        picColor.fill(ToQColor(object.Color));
        auto* entry = new QTableWidgetItem(QIcon(QPixmap::fromImage(picColor)), QString::fromStdString(object.Name));
        entry->setData(Qt::UserRole, QString::fromStdString(object.Name));
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsUserCheckable);
        entry->setCheckState(Qt::Unchecked);
        theListView->setItem(i - 1, 0, entry);
        auto* weight = new QTableWidgetItem(QString::fromStdString(FormatGeneral(object.Weight, decimalSeparator())));
        weight->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        weight->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        theListView->setItem(i - 1, 1, weight);
        auto* role = new QTableWidgetItem;
        role->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        theListView->setItem(i - 1, 2, role);
    }
    showRoles(languageIndex);
}

QTableWidgetItem* Form1::colorEntry(int i) const
{
    return theListView->item(i - 1, 0);
}

// The entry of colour i as the colour is: its name, and its weight in the
// column beside it.
void Form1::showColorEntry(int i)
{
    const ColorObject& object = m_document.colorObjects()[At(i)];
    if (QTableWidgetItem* entry = colorEntry(i))
        entry->setText(QString::fromStdString(object.Name));
    if (QTableWidgetItem* weight = theListView->item(i - 1, 1))
        weight->setText(QString::fromStdString(FormatGeneral(object.Weight, decimalSeparator())));
}

bool Form1::theListView_AfterLabelEdit(int editedRow, const QString& NewString)
{
    const int edited = editedRow + 1;
    if (edited < 1 || edited > kObjectCount)
        return false;
    const Result<std::optional<double>> weight = WeightFromEditedText(NewString.toStdString(), decimalSeparator());
    if (!weight) {
        // A number that would be cut short ("2,5" read as 2) is refused, and
        // the entry keeps the weight it shows.
        showColorEntry(edited);
        showError(weight.error());
        return false;
    }
    if (!*weight) {
        // Typed over, the name would stand beside a weight it no longer
        // shows ("0.5" beside 1.00 in the grid); the entry stays the colour's.
        showColorEntry(edited);
        setStatus(text(kNoWeightSet));
        return true;
    }
    const bool changed = m_document.colorObjects()[At(edited)].Weight != **weight;
    m_document.setWeight(edited, **weight);
    showColorEntry(edited);
    if (changed)
        showInputsChanged();
    return true;
}

void Form1::setWeightText(int i, const QString& typed)
{
    if (i < 1 || i > kObjectCount)
        return;
    const Result<double> weight = EvalNumber(typed.toStdString(), Field::Weight, decimalSeparator());
    if (!weight) {
        showColorEntry(i);
        showError(weight.error());
        return;
    }
    const bool changed = m_document.colorObjects()[At(i)].Weight != *weight;
    m_document.setWeight(i, *weight);
    showColorEntry(i);
    if (changed)
        showInputsChanged();
}

void Form1::theListView_Click()
{
    const int row = theListView->currentRow();
    if (row >= 0 && row < kObjectCount)
        setStatus(ColorReadout(m_document.colorObjects()[At(row + 1)]));
}

void Form1::SetupGrid()
{
    m_document.forgetLastRun();
    clearOutOfDate();
    showGridHeader();
}

void Form1::showGridHeader()
{
    grdResults->clear();
    grdResults->setRowCount(0);
    grdResults->setColumnCount(kGridColumns);
    QStringList titles;
    for (const std::string& title : GridHeader(LanguageIndex).cells)
        titles << QString::fromStdString(title);
    grdResults->setHorizontalHeaderLabels(titles);
    grdResults->clearSelection();
    grdResults->fitColumnsToContents();
}

// The grid written anew from the last run's rows.
void Form1::showGrid()
{
    showGridHeader();
    for (const GridRow& row : m_document.lastRun()->result.gridRows)
        appendGridRow(row);
}

void Form1::appendGridRow(const GridRow& cells)
{
    const int row = grdResults->rowCount();
    grdResults->insertRow(row);
    for (int c = 0; c < kGridColumns; ++c) {
        const auto at = static_cast<std::size_t>(c);
        auto* item =
            new QTableWidgetItem(at < cells.cells.size() ? QString::fromStdString(cells.cells[at]) : QString());
        if (c == 0) {
            // The name column is the grid's fixed column: styled like the header.
            item->setBackground(palette().button());
        } else {
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        grdResults->setItem(row, c, item);
    }
    grdResults->fitColumnsToContents();
}

void Form1::btnCopy_Click()
{
    const int rows = grdResults->rowCount();
    const int columns = grdResults->columnCount();
    grdResults->clearSelection();
    if (rows > 0)
        grdResults->setRangeSelected(QTableWidgetSelectionRange(0, 0, rows - 1, columns - 1), true);

    PutOnClipboard(tableText());
    setStatus(withRunInputs(Tr(kTableCopied, LanguageIndex, {std::to_string(rows + 1)})));
}

// Every colour ticked, and none greyed: what a new picture starts with.
void Form1::tickAll()
{
    std::array<bool, 8> all{};
    all.fill(true);
    all[0] = false; // the total is never ticked
    m_document.setTicks(all);
    showTicks();
}

// The ticks as the window sets them; a tick the user sets comes through
// theListView_ItemCheck.
void Form1::setTicks(const std::array<bool, 8>& ticked)
{
    const QSignalBlocker quiet(theListView);
    for (int i = 1; i <= kObjectCount && i <= theListView->rowCount(); ++i)
        colorEntry(i)->setCheckState(ticked[At(i)] ? Qt::Checked : Qt::Unchecked);
    m_ticksShown = ticks();
}

std::array<bool, 8> Form1::ticks() const
{
    std::array<bool, 8> ticked{};
    for (int i = 1; i <= kObjectCount && i <= theListView->rowCount(); ++i)
        ticked[At(i)] = colorEntry(i)->checkState() == Qt::Checked;
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
