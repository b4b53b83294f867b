// The balance in the window: its panel beside the report, the roles in the
// colour list's menu, and its marks over the picture and in the pictures the
// window copies and saves.

#include "form1.h"

#include "balance_panel.h"
#include "balance_text.h"
#include "mass_panel.h"
#include "picture_view.h"
#include "window_menus.h"
#include "window_texts.h"

#include "document/balance_placement.h"
#include "engine/balance_fields.h"
#include "engine/weight_balance_report.h"
#include "picture/balance_marks.h"
#include "picture/picture_area.h"

#include <QAction>
#include <QLineEdit>
#include <QActionGroup>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace centrafix {
namespace {

constexpr Message kReportTab{"Bericht", "Report"};
constexpr Message kBalanceTab{"Schwerpunkt", "Balance"};
constexpr Message kShowBalance{"&Schwerpunktlage im Bild", "&Balance on the picture"};
constexpr Message kRoleMenu{"&Rolle", "&Role"};

constexpr aero::SurfaceRole kRoles[] = {aero::SurfaceRole::Wing, aero::SurfaceRole::Tail, aero::SurfaceRole::Canard,
                                        aero::SurfaceRole::Fuselage, aero::SurfaceRole::Other};

} // namespace

void Form1::buildBalance()
{
    m_balancePanel = new BalancePanel([this](const aero::BalanceSettings& settings) { setBalanceSettings(settings); },
                                      [this](const Error& error) { showError(error); });
    m_massPanel = new MassPanel(
        [this](const aero::MassList& items, const aero::AdviceChoice& choice) { setMassItems(items, choice); },
        [this](const Error& error) { showError(error); },
        [this](int row) {
            m_placeRow = row;
            startPlanTool(PlanTool::PlaceMass);
        });
    m_balancePanel->addSection(m_massPanel);

    actShowBalance = m_menus->view->addAction(QString());
    actShowBalance->setObjectName(QStringLiteral("actShowBalance"));
    actShowBalance->setCheckable(true);
    actShowBalance->setChecked(true);
    connect(actShowBalance, &QAction::toggled, this, [this](bool on) { picSideView->setBalanceShown(on); });

    // The colour list's menu: the role of the colour under the cursor.
    m_roleMenu = new QMenu(this);
    m_roleMenu->setObjectName(QStringLiteral("menuRole"));
    auto* roles = new QActionGroup(m_roleMenu);
    for (const aero::SurfaceRole role : kRoles) {
        QAction* action = m_roleMenu->addAction(QString());
        action->setCheckable(true);
        action->setData(static_cast<int>(role));
        action->setObjectName(QStringLiteral("actRole_%1").arg(QString::fromUtf8(RoleKey(role).data())));
        roles->addAction(action);
        connect(action, &QAction::triggered, this, [this, role] { setRoleOfCurrent(role); });
    }
    connect(m_roleMenu, &QMenu::aboutToShow, this, [this] { showRoleChecks(); });
    actRole = new QAction(theListView);
    actRole->setObjectName(QStringLiteral("actRole"));
    actRole->setMenu(m_roleMenu);
    theListView->addAction(actRole);
    connect(theListView, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        if (column != 2 || row < 0 || row >= kObjectCount)
            return;
        const QRect cell = theListView->visualRect(theListView->model()->index(row, column));
        m_roleMenu->popup(theListView->viewport()->mapToGlobal(cell.bottomLeft()));
    });
}

// The report and the balance panel share the place beside the grid.
QWidget* Form1::buildReportTabs()
{
    m_reportTabs = new QTabWidget;
    m_reportTabs->setObjectName(QStringLiteral("reportTabs"));
    m_reportTabs->setDocumentMode(true);
    // The run hides the report for its progress; in a page of its own it
    // never shows over the balance.
    auto* reportPage = new QWidget;
    auto* layout = new QVBoxLayout(reportPage);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtReport);
    m_reportTabs->addTab(reportPage, QString());
    m_reportTabs->addTab(m_balancePanel, QString());
    return m_reportTabs;
}

void Form1::setBalanceTexts()
{
    m_reportTabs->setTabText(0, text(kReportTab));
    m_reportTabs->setTabText(1, text(kBalanceTab));
    actShowBalance->setText(text(kShowBalance));
    actRole->setText(text(kRoleMenu));
    for (QAction* action : m_roleMenu->actions())
        action->setText(text(RoleName(static_cast<aero::SurfaceRole>(action->data().toInt()))));
    m_balancePanel->setLanguage(LanguageIndex, m_document.colorObjects());
    m_massPanel->setLanguage(LanguageIndex);
    showMassItems();
    showBalanceResults();
}

// Each colour's role beside its weight in the colour list.
void Form1::showRoles(int languageIndex)
{
    const QSignalBlocker quiet(theListView);
    for (int i = 1; i <= kObjectCount && i <= theListView->rowCount(); ++i)
        if (QTableWidgetItem* role = theListView->item(i - 1, 2))
            role->setText(QString::fromUtf8(
                Tr(RoleName(m_document.balanceSettings().roles[static_cast<std::size_t>(i)]), languageIndex)));
}

void Form1::setBalanceSettings(const aero::BalanceSettings& settings)
{
    const bool changed = settings != m_document.balanceSettings();
    m_document.setBalanceSettings(settings);
    showRoles(LanguageIndex);
    m_balancePanel->setSettings(settings, decimalSeparator());
    if (changed)
        showInputsChanged();
}

void Form1::setRoleOfCurrent(aero::SurfaceRole role)
{
    const int row = theListView->currentRow();
    if (row < 0 || row >= kObjectCount)
        return;
    aero::BalanceSettings settings = m_document.balanceSettings();
    settings.roles[static_cast<std::size_t>(row + 1)] = role;
    setBalanceSettings(settings);
}

void Form1::showRoleChecks()
{
    const int row = theListView->currentRow();
    const bool colour = row >= 0 && row < kObjectCount;
    for (QAction* action : m_roleMenu->actions()) {
        action->setEnabled(colour);
        action->setChecked(colour &&
                           action->data().toInt() ==
                               static_cast<int>(m_document.balanceSettings().roles[static_cast<std::size_t>(row + 1)]));
    }
}

// The last completed run's balance, or why it has none, greyed while out of
// date like the grid; nothing before the first run.
void Form1::showBalanceResults()
{
    QString shown;
    if (const std::optional<LastRun>& run = m_document.lastRun()) {
        if (run->result.balance)
            shown = QString::fromStdString(BalanceText(*run->result.balance, m_document.colorObjects(), LanguageIndex,
                                                       decimalSeparator(), run->inputs.unit));
        else if (run->result.noBalance)
            shown = QString::fromStdString(NoBalanceText(*run->result.noBalance, LanguageIndex));
    }
    if (const std::optional<WeighedRun> weighed = weighedRun()) {
        const QString lines = QString::fromStdString(WeightBalanceLines(
            weighed->weighed, weighed->items, LanguageIndex, decimalSeparator(), m_document.lastRun()->inputs.unit));
        shown += QStringLiteral("\n\n") + QString(lines).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).trimmed();
    }
    m_balancePanel->setResults(shown, resultsOutOfDate());
    showBalanceMarks();
}

// The marks go with the plot: a new picture, or one changed, has neither.
void Form1::showBalanceMarks()
{
    const std::optional<LastRun>& run = m_document.lastRun();
    if (!m_hasPlot || !m_plotOrigin || !run || !run->result.balance) {
        picSideView->setBalance(std::nullopt, {}, LanguageIndex);
        return;
    }
    BalancePlacement placement =
        BalancePlacementOf(run->inputs, run->result.values.ScaleFactor, run->objects, picBackBuffer->picture());
    if (const std::optional<WeighedRun> weighed = weighedRun())
        placement.weighedCgX = weighed->weighed.cgX;
    picSideView->setBalance(run->result.balance, placement, LanguageIndex);
    picSideView->setBalanceShown(actShowBalance->isChecked());
}

void Form1::drawBalanceInto(QImage& picture) const
{
    const std::optional<LastRun>& run = m_document.lastRun();
    if (!m_hasPlot || !m_plotOrigin || !run || !run->result.balance || !actShowBalance->isChecked())
        return;
    const QImage::Format format = picture.format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        picture = picture.convertToFormat(QImage::Format_RGB32); // a painter cannot draw on every format
    BalancePlacement placement =
        BalancePlacementOf(run->inputs, run->result.values.ScaleFactor, run->objects, picBackBuffer->picture());
    if (const std::optional<WeighedRun> weighed = weighedRun())
        placement.weighedCgX = weighed->weighed.cgX;
    QPainter painter(&picture);
    DrawBalanceMarks(painter, *run->result.balance, placement, LanguageIndex);
}

// The last completed run's balance weighed with the list as it is now.
std::optional<WeighedRun> Form1::weighedRun() const
{
    const std::optional<LastRun>& run = m_document.lastRun();
    if (!run)
        return std::nullopt;
    return WeighRun(run->inputs, run->result, m_document.massItems(), m_document.adviceChoice());
}

void Form1::setMassItems(const aero::MassList& items, const aero::AdviceChoice& choice)
{
    m_document.setMassItems(items);
    m_document.setAdviceChoice(choice);
    showBalanceResults();
    showModified();
}

void Form1::showMassItems()
{
    m_massPanel->setItems(m_document.massItems(), m_document.adviceChoice(), decimalSeparator(), decimalSeparator());
}

// The x of a click, as the status bar reads it out: the scale and the origin
// as they are now.
void Form1::placeMassAt(float X)
{
    const int row = m_placeRow;
    m_placeRow = -1;
    leavePlanTool();
    const Result<double> scale = m_document.scaleFactor();
    if (!scale || *scale == 0.0) {
        setStatus(ScaleProblemText(txtScale->text(), LanguageIndex));
        return;
    }
    m_massPanel->placeItem(row, static_cast<double>(X) * *scale - m_document.origin().x);
    setStatus(QString());
}

} // namespace centrafix
