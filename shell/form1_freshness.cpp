// What the shown results and ticks owe to inputs the user can still change:
// results made from other inputs are marked out of date until the next run,
// and a colour a run unticked because it did not find it is ticked again once
// the picture, the tolerance or the ticks give it a new chance.

#include "form1.h"

#include "color_list_delegate.h"
#include "frozen_column_grid.h"
#include "loading_chart_window.h"
#include "menu_texts.h"
#include "out_of_date.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTableWidget>

#include <utility>

namespace centrafix {

namespace {

constexpr Message kTipNotFound{
    "Bei der letzten Analyse nicht im Bild gefunden, darum ohne Kreuz; ein neues Bild, eine neue Toleranz oder ein "
    "anderes Kreuz kreuzt die Farbe wieder an.",
    "Not found in the picture by the last analysis, so unticked; a new picture, tolerance or tick ticks it again."};

} // namespace

void Form1::connectFreshness()
{
    statusOutOfDate = new QLabel(statusBar());
    statusOutOfDate->setObjectName(QStringLiteral("StatusBar1OutOfDate"));
    QFont bold = statusOutOfDate->font();
    bold.setBold(true);
    statusOutOfDate->setFont(bold);
    statusOutOfDate->hide();
    statusBar()->addPermanentWidget(statusOutOfDate);

    // The scale's own handler (txtScale_Change) forwards it, with the origin
    // that follows it.
    using Setter = void (Document::*)(const std::string&);
    const std::pair<QLineEdit*, Setter> fields[] = {{txtAltitude, &Document::setAltitudeText},
                                                    {txtMach, &Document::setMachText},
                                                    {txtTolerance, &Document::setToleranceText}};
    for (const auto& [field, set] : fields)
        connect(field, &QLineEdit::textChanged, this, [this, set = set](const QString& typed) {
            (m_document.*set)(typed.toStdString());
            // Another tolerance may find what the last one did not: the
            // document has ticked those colours again.
            showTicks();
            showInputsChanged();
        });
    connect(theListView, &QTableWidget::itemChanged, this, [this] { theListView_ItemCheck(); });
}

// After an edit the document took: results shown from other inputs say so.
// A run under way shows it when its results are there.
void Form1::showInputsChanged()
{
    showModified();
    if (m_document.lastRun() && !m_document.runUnderWay())
        showOutOfDate();
}

// The grid greyed, a first line in the report, a note over the loading chart
// and words in the status bar, for as long as the results are out of date.
void Form1::showOutOfDate()
{
    const bool stale = resultsOutOfDate();
    const std::vector<const Message*>& reasons = m_document.staleReasons();
    if (stale)
        setStatus(OutOfDateText(kOutOfDateStatus, reasons, LanguageIndex));
    const QString note =
        stale ? QString::fromStdString(OutOfDateText(kOutOfDateNote, reasons, LanguageIndex)) : QString();
    const QVariant ink = stale ? QVariant(palette().brush(QPalette::Disabled, QPalette::Text)) : QVariant();
    for (int r = 0; r < grdResults->rowCount(); ++r)
        for (int c = 0; c < grdResults->columnCount(); ++c)
            if (QTableWidgetItem* cell = grdResults->item(r, c))
                cell->setData(Qt::ForegroundRole, ink);
    showReport();
    m_chartWindow->setOutOfDate(note);
    statusOutOfDate->setText(text(kOutOfDateShort));
    statusOutOfDate->setToolTip(note);
    statusOutOfDate->setVisible(stale);
    showBalanceResults();
}

// Without results, or with the results of a run just begun, nothing is out
// of date (the document knows). The report is the caller's.
void Form1::clearOutOfDate()
{
    m_chartWindow->setOutOfDate({});
    statusOutOfDate->hide();
    showBalanceResults();
}

// What an export says it did, and from which inputs when they are no longer
// the fields'.
QString Form1::withRunInputs(const std::string& said) const
{
    QString text = QString::fromStdString(said);
    if (const std::optional<LastRun>& run = m_document.lastRun(); resultsOutOfDate() && run)
        text +=
            u' ' + QString::fromStdString(RunInputsText(run->inputs, run->setup, LanguageIndex, decimalSeparator()));
    return text;
}

// After Flip, Invert B/W or Clean up: the marks and the quarter-chord canvas
// belonged to the picture as it was, the numbers stay for the exports.
void Form1::pictureChanged()
{
    picQuarterChord = {};
    m_plotOrigin.reset();
    m_document.pictureChanged();
    showTicks();
    showInputsChanged();
}

// The run's outcome to the document. Only a run that went to its end has
// looked at every ticked colour: every one it did not find loses its tick
// and is shown greyed. One that Esc ended leaves the ticks as the user set
// them, and nothing that could be out of date.
void Form1::takeRunOutcome(std::optional<LastRun> completed)
{
    m_document.finishRun(std::move(completed));
    showTicks();
    showModified();
}

// The ticks and not-found marks as the document has them.
void Form1::showTicks()
{
    setTicks(m_document.ticks());
    showFoundMarks();
}

void Form1::showFoundMarks()
{
    const QSignalBlocker quiet(theListView);
    for (int i = 1; i <= kObjectCount && i <= theListView->rowCount(); ++i) {
        QTableWidgetItem* entry = colorEntry(i);
        const bool notFound = m_document.colorChoices()[static_cast<std::size_t>(i)].notFound;
        entry->setData(ColorListDelegate::kNotFoundRole, notFound);
        entry->setToolTip(text(notFound ? kTipNotFound : kTipWeight));
    }
}

// A tick the user set or took away; an edited entry text comes here too.
void Form1::theListView_ItemCheck()
{
    const std::array<bool, 8> shown = ticks();
    if (shown == m_ticksShown)
        return;
    const std::array<bool, 8> before = std::exchange(m_ticksShown, shown);
    for (std::size_t i = 1; i < shown.size(); ++i)
        if (shown[i] != before[i])
            m_document.setTicked(static_cast<int>(i), shown[i]);
    showTicks();
    showInputsChanged();
}

// "Tick all" and "Untick all": the user's choice for every colour at once.
void Form1::userSetTicks(const std::array<bool, 8>& ticked)
{
    std::array<bool, 8> wanted = ticked;
    wanted[0] = false; // the total is never ticked
    const bool changed = ticks() != wanted;
    m_document.setTicks(wanted);
    showTicks();
    if (changed)
        showInputsChanged();
}

} // namespace centrafix
