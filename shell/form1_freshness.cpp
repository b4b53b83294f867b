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

#include <algorithm>

namespace centrafix {

namespace {

constexpr Message kTipNotFound{
    "Bei der letzten Analyse nicht im Bild gefunden, darum ohne Kreuz; ein neues Bild, eine neue Toleranz oder ein "
    "anderes Kreuz kreuzt die Farbe wieder an.",
    "Not found in the picture by the last analysis, so unticked; a new picture, tolerance or tick ticks it again."};

bool Any(const std::array<bool, 8>& flags)
{
    return std::any_of(flags.begin(), flags.end(), [](bool f) { return f; });
}

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

    const std::pair<QLineEdit*, const Message*> fields[] = {{txtScale, &kChangedScale},
                                                            {txtAltitude, &kChangedAltitude},
                                                            {txtMach, &kChangedMach},
                                                            {txtTolerance, &kChangedTolerance}};
    for (const auto& [field, what] : fields)
        connect(field, &QLineEdit::textChanged, this, [this, what = what] { markResultsOutOfDate(*what); });
    // Another tolerance may find what the last one did not.
    connect(txtTolerance, &QLineEdit::textChanged, this, [this] { forgetNotFound(); });
    connect(theListView, &QTableWidget::itemChanged, this, [this] { theListView_ItemCheck(); });
}

void Form1::markResultsOutOfDate(const Message& what)
{
    if (!isRunning() && !m_savedRun)
        return;
    if (std::find(m_staleReasons.begin(), m_staleReasons.end(), &what) == m_staleReasons.end())
        m_staleReasons.push_back(&what);
    // A run under way shows it when its results are there.
    if (!isRunning())
        showOutOfDate();
}

// The grid greyed, a first line in the report, a note over the loading chart
// and words in the status bar, for as long as the results are out of date.
void Form1::showOutOfDate()
{
    const bool stale = resultsOutOfDate();
    if (stale)
        setStatus(OutOfDateText(kOutOfDateStatus, m_staleReasons, LanguageIndex));
    const QString note =
        stale ? QString::fromStdString(OutOfDateText(kOutOfDateNote, m_staleReasons, LanguageIndex)) : QString();
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
}

// Without results, or with the results of a run just begun, nothing is out
// of date. The report is the caller's.
void Form1::clearOutOfDate()
{
    m_staleReasons.clear();
    m_chartWindow->setOutOfDate({});
    statusOutOfDate->hide();
}

// What an export says it did, and from which inputs when they are no longer
// the fields'.
QString Form1::withRunInputs(const std::string& said) const
{
    QString text = QString::fromStdString(said);
    if (resultsOutOfDate() && m_savedRun)
        text += u' ' + QString::fromStdString(RunInputsText(m_savedRun->inputs, m_savedRun->setup, LanguageIndex,
                                                            decimalSeparator()));
    return text;
}

// After Flip, Invert B/W or Clean up: the marks and the quarter-chord canvas
// belonged to the picture as it was, the numbers stay for the exports.
void Form1::pictureChanged()
{
    picQuarterChord = {};
    m_plotOrigin.reset();
    forgetNotFound();
    markResultsOutOfDate(kChangedPicture);
}

void Form1::forgetNotFound()
{
    if (isRunning())
        m_findingsOverruled = true;
    if (!Any(m_notFound))
        return;
    std::array<bool, 8> ticked = ticks();
    for (std::size_t i = 1; i < ticked.size(); ++i)
        ticked[i] = ticked[i] || m_notFound[i];
    m_notFound = {};
    setTicks(ticked);
    showFoundMarks();
}

// After a run that went to its end: every colour it scanned and did not find
// loses its tick and is shown greyed.
void Form1::applyFindings(const std::array<bool, 8>& scanned)
{
    std::array<bool, 8> ticked = ticks();
    for (std::size_t i = 1; i < ticked.size(); ++i)
        if (scanned[i] && !ColorObjects[i].Found) {
            m_notFound[i] = true;
            ticked[i] = false;
        }
    setTicks(ticked);
    showFoundMarks();
}

void Form1::showFoundMarks()
{
    const QSignalBlocker quiet(theListView);
    for (int i = 1; i <= kObjectCount && i <= theListView->rowCount(); ++i) {
        QTableWidgetItem* entry = colorEntry(i);
        const bool notFound = m_notFound[static_cast<std::size_t>(i)];
        entry->setData(ColorListDelegate::kNotFoundRole, notFound);
        entry->setToolTip(text(notFound ? kTipNotFound : kTipWeight));
    }
}

// A tick the user set or took away; an edited entry text comes here too.
void Form1::theListView_ItemCheck()
{
    if (ticks() == m_ticksShown)
        return;
    m_ticksShown = ticks();
    forgetNotFound();
    markResultsOutOfDate(kChangedColors);
}

// "Tick all" and "Untick all": the user's choice for every colour at once.
void Form1::userSetTicks(const std::array<bool, 8>& ticked)
{
    std::array<bool, 8> wanted = ticked;
    wanted[0] = false; // the total is never ticked
    const bool changed = ticks() != wanted;
    if (isRunning())
        m_findingsOverruled = true;
    m_notFound = {};
    setTicks(wanted);
    showFoundMarks();
    if (changed)
        markResultsOutOfDate(kChangedColors);
}

} // namespace centrafix
