// The window's commands: one QAction each, shown by its menu item, reached by
// its key and, where it has one, by its button; their texts and tooltips in
// the window's language, and which of them are offered.

#include "form1.h"

#include "action_button.h"

#include "frozen_column_grid.h"
#include "help_texts.h"
#include "history_texts.h"
#include "loading_chart_window.h"
#include "plan_tool_texts.h"

#include "menu_texts.h"
#include "project_texts.h"
#include "panel_texts.h"
#include "picture_scroll.h"
#include "picture_view.h"
#include "tool_texts.h"
#include "window_menus.h"
#include "window_texts.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>

#include <functional>

namespace centrafix {

namespace {

// `name` is the action's object name: what tests and the button it may get
// know it by.
QAction* AddAction(QMenu* menu, const char* name, const QList<QKeySequence>& keys, std::function<void()> handler)
{
    QAction* action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(keys);
    QObject::connect(action, &QAction::triggered, menu, [handler = std::move(handler)] { handler(); });
    return action;
}

} // namespace

void Form1::buildMenus()
{
    m_menus = std::make_unique<WindowMenus>();
    WindowMenus& m = *m_menus;
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MenuBar"));

    m.file = bar->addMenu(QString());
    m.open = AddAction(m.file, "actOpen", {QKeySequence::Open}, [this] { btnOpen_Click(); });
    m.paste = AddAction(m.file, "actPaste", {QKeySequence::Paste}, [this] { btnPaste_Click(); });
    m.file->addSeparator();
    m.saveResults = AddAction(m.file, "actSaveResults", {}, [this] { saveResults(); });
    m.savePicture = AddAction(m.file, "actSavePicture", {}, [this] { savePicture(); });
    m.saveWorkingPicture = AddAction(m.file, "actSaveWorkingPicture", {}, [this] { saveWorkingPicture(); });
    m.saveChart = AddAction(m.file, "actSaveChart", {}, [this] { saveChart(); });
    m.file->addSeparator();
    // The project keeps the work: Ctrl+S, as in every program that keeps one.
    m.saveProject = AddAction(m.file, "actSaveProject", {QKeySequence(Qt::CTRL | Qt::Key_S)}, [this] { saveProject(); });
    m.saveProjectAs = AddAction(m.file, "actSaveProjectAs", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
                                [this] { saveProjectAs(); });
    m_recentMenu = m.file->addMenu(QString());
    m_recentMenu->setObjectName(QStringLiteral("menuRecentFiles"));
    m.file->addSeparator();
    m.copyTable = AddAction(m.file, "actCopyTable", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
                            [this] { btnCopy_Click(); });
    m.copyBitmap = AddAction(m.file, "actCopyBitmap", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B)},
                             [this] { btnCopyBitmap_Click(); });
    m.file->addSeparator();
    m.print = AddAction(m.file, "actPrint", {QKeySequence::Print}, [this] { printReport(); });
    m.exportPdf = AddAction(m.file, "actExportPdf", {}, [this] { exportPdf(); });
    m.file->addSeparator();
    m.quit = AddAction(m.file, "actQuit", {QKeySequence(Qt::CTRL | Qt::Key_Q)}, [this] { close(); });

    m.edit = bar->addMenu(QString());
    m.undo = AddAction(m.edit, "actUndo", {QKeySequence::Undo}, [this] { stepPicture(true); });
    m.redo = AddAction(m.edit, "actRedo",
                       {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
                       [this] { stepPicture(false); });

    // "+" is Shift+"=" on many keyboards; Ctrl+"=" zooms in there too.
    m.view = bar->addMenu(QString());
    m.fit = AddAction(m.view, "actFit", {QKeySequence(Qt::CTRL | Qt::Key_F)}, [this] { picSideScroll->fit(); });
    m.actualSize = AddAction(m.view, "actActualSize", {QKeySequence(Qt::CTRL | Qt::Key_0)},
                             [this] { picSideScroll->actualSize(); });
    m.zoomIn =
        AddAction(m.view, "actZoomIn", {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
                  [this] { picSideScroll->zoomBy(1); });
    m.zoomOut = AddAction(m.view, "actZoomOut", {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
                          [this] { picSideScroll->zoomBy(-1); });
    m.view->addSeparator();
    m.loadingChart = AddAction(m.view, "actLoadingChart", {}, [this] { showLoadingChart(); });

    m.picture = bar->addMenu(QString());
    m.analyze = AddAction(m.picture, "actAnalyze", {QKeySequence(Qt::Key_F5)}, [this] { btnAnalyze_Click(); });
    m.picture->addSeparator();
    m.flip = AddAction(m.picture, "actFlip", {}, [this] { btnFlip_Click(); });
    m.invert = AddAction(m.picture, "actInvert", {}, [this] { btnInvert_Click(); });
    m.cleanUp = AddAction(m.picture, "actCleanUp", {}, [this] { btnCleanUp_Click(); });
    m.scaleLine =
        AddAction(m.picture, "actScaleLine", {QKeySequence(Qt::CTRL | Qt::Key_L)}, [this] { startScaleLine(); });
    m.picture->addSeparator();
    m.fill = AddAction(m.picture, "actFill", {}, [this] { startPlanTool(PlanTool::Fill); });
    m.mapColour = AddAction(m.picture, "actMapColour", {}, [this] { startPlanTool(PlanTool::Map); });
    m.fillSettings = AddAction(m.picture, "actFillSettings", {}, [this] { askFillSettings(); });
    m.straighten = AddAction(m.picture, "actStraighten", {}, [this] { startPlanTool(PlanTool::Straighten); });
    m.level = AddAction(m.picture, "actLevel", {}, [this] { startPlanTool(PlanTool::Level); });
    m.mirrorRow = AddAction(m.picture, "actMirrorRow", {}, [this] { startPlanTool(PlanTool::Mirror); });
    m.crop = AddAction(m.picture, "actCrop", {}, [this] { startPlanTool(PlanTool::Crop); });
    m.picture->addSeparator();
    m.showAC = m.picture->addAction(QString());
    m.showAC->setObjectName(QStringLiteral("actShowAC"));
    m.showCG = m.picture->addAction(QString());
    m.showCG->setObjectName(QStringLiteral("actShowCG"));
    for (QAction* marks : {m.showAC, m.showCG}) {
        marks->setCheckable(true);
        connect(marks, &QAction::toggled, this, [this] { showChoice(); });
    }

    m.language = bar->addMenu(QString());
    auto* languages = new QActionGroup(m.language);
    m.german = AddAction(m.language, "actGerman", {}, [this] { cbLanguage->setCurrentIndex(kGerman - 1); });
    m.english = AddAction(m.language, "actEnglish", {}, [this] { cbLanguage->setCurrentIndex(kEnglish - 1); });
    for (QAction* language : {m.german, m.english}) {
        language->setCheckable(true);
        languages->addAction(language);
    }

    m.help = bar->addMenu(QString());
    m.userGuide = AddAction(m.help, "actUserGuide", {QKeySequence::HelpContents}, [this] { showUserGuide(); });
    m.about = AddAction(m.help, "actAbout", {}, [this] { showAbout(); });

    const std::pair<QAbstractButton*, QAction*> buttons[] = {
        {btnOpen, m.open},      {btnAnalyze, m.analyze}, {btnPaste, m.paste},
        {btnCopy, m.copyTable}, {btnInvert, m.invert},   {btnCopyBitmap, m.copyBitmap},
        {btnFlip, m.flip},      {chkAreaAC, m.showAC},   {chkAreaCG, m.showCG}};
    for (const auto& [button, action] : buttons)
        ShowAction(button, action);
}

// While a run or a picture pass holds the working copy, nothing may replace,
// change or draw over it, and the language stays (the run writes its texts in
// the one it began with); looking, zooming, copying the table and saving the
// results stay open. The origin fields turn read-only rather than off, so
// that the one with the focus keeps it (F5 from there leaves it there).
void Form1::updateActions()
{
    const bool busy = isBusy();
    const WindowMenus& m = *m_menus;
    for (QAction* a :
         {m.open, m.paste, m.saveProject, m.saveProjectAs, m.flip, m.invert, m.cleanUp, m.scaleLine, m.copyBitmap, m.savePicture, m.saveWorkingPicture,
          m.analyze, m.german, m.english, m.fill, m.mapColour, m.straighten, m.level, m.mirrorRow, m.crop})
        a->setEnabled(!busy);
    updateUndoActions();
    // A chart is there to save once a run has made one; results once a run
    // has completed (a new picture or the start of a run take them away).
    m.saveChart->setEnabled(m_chartWindow != nullptr && m_chartWindow->hasSamples());
    m.saveResults->setEnabled(m_document.lastRun().has_value());
    m_recentMenu->setEnabled(!busy);
    showModified();
    // The report draws the picture shown, which a run or pass is changing.
    for (QAction* report : {m.print, m.exportPdf})
        report->setEnabled(!busy && m_document.lastRun().has_value());
    cbLanguage->setEnabled(!busy);
    for (QLineEdit* origin : {txtOriginX, txtOriginY})
        origin->setReadOnly(busy);
}

void Form1::setMenuTexts()
{
    WindowMenus& m = *m_menus;
    const std::pair<QMenu*, const Message*> menus[] = {{m.file, &kMenuFile},
                                                       {m.edit, &kMenuEdit},
                                                       {m.view, &kMenuView},
                                                       {m.picture, &kMenuPicture},
                                                       {m.language, &kMenuLanguage},
                                                       {m.help, &kMenuHelp}};
    for (const auto& [menu, caption] : menus)
        menu->setTitle(text(*caption));
    const std::pair<QAction*, const Message*> actions[] = {{m.open, &msg::Open},
                                                           {m.paste, &msg::Paste},
                                                           {m.saveProject, &kSaveProject},
                                                           {m.saveProjectAs, &kSaveProjectAs},
                                                           {m.saveResults, &kSaveResults},
                                                           {m.savePicture, &kSavePicture},
                                                           {m.saveWorkingPicture, &kSaveWorkingPicture},
                                                           {m.copyTable, &msg::CopyTable},
                                                           {m.copyBitmap, &kCopyBitmapCaption},
                                                           {m.print, &kPrintReport},
                                                           {m.exportPdf, &kExportPdf},
                                                           {m.quit, &kQuit},
                                                           {m.fit, &kZoomFit},
                                                           {m.actualSize, &kZoomActual},
                                                           {m.zoomIn, &kZoomIn},
                                                           {m.zoomOut, &kZoomOut},
                                                           {m.analyze, &msg::Analyze},
                                                           {m.flip, &msg::FlipHorz},
                                                           {m.invert, &msg::InvertBW},
                                                           {m.cleanUp, &kCleanUpMenu},
                                                           {m.scaleLine, &kScaleLineMenu},
                                                           {m.fill, &kFillTool},
                                                           {m.mapColour, &kMapTool},
                                                           {m.fillSettings, &kFillSettingsMenu},
                                                           {m.straighten, &kStraightenTool},
                                                           {m.level, &kLevelTool},
                                                           {m.mirrorRow, &kMirrorTool},
                                                           {m.crop, &kCropTool},
                                                           {m.showAC, &msg::ShowAreaAC},
                                                           {m.showCG, &msg::ShowAreaCG},
                                                           {m.german, &kGermanName},
                                                           {m.english, &kEnglishName},
                                                           {m.saveChart, &kSaveChart},
                                                           {m.loadingChart, &kLoadingChart},
                                                           {m.userGuide, &kUserGuide},
                                                           {m.about, &kAbout}};
    for (const auto& [action, caption] : actions)
        action->setText(text(*caption));
    showRecentFiles();
    updateUndoActions();
    syncMenuChecks();
}

void Form1::setToolTips()
{
    // The buttons show their actions' tips.
    const WindowMenus& m = *m_menus;
    const std::pair<QAction*, const Message*> actionTips[] = {
        {m.open, &kTipOpen},           {m.analyze, &kTipAnalyze}, {m.paste, &kTipPaste},
        {m.copyTable, &kTipCopyTable}, {m.invert, &kTipInvert},   {m.copyBitmap, &kTipCopyBitmap},
        {m.flip, &kTipFlip},           {m.showAC, &kTipShowAC},   {m.showCG, &kTipShowCG},
        {m.saveProject, &kTipSaveProject}};
    for (const auto& [action, tip] : actionTips)
        action->setToolTip(text(*tip));
    const std::pair<QWidget*, const Message*> tips[] = {
        {txtScale, &kTipScale},     {lblScale, &kTipScale},      {txtAltitude, &kTipAltitude},
        {txtScaleUnit, &kTipUnit},  {lblScaleUnit, &kTipUnit},   {txtOriginX, &kTipOrigin},
        {txtOriginY, &kTipOrigin},  {lblOrigin, &kTipOrigin},    {Label3, &kTipAltitude},
        {txtMach, &kTipMach},       {Label4, &kTipMach},         {txtTolerance, &kTipTolerance},
        {Label1, &kTipTolerance},   {cbLanguage, &kTipLanguage}, {picSideView, &kTipPicture},
        {theListView, &kTipWeight}, {grdResults, &kTipGrid}};
    for (const auto& [widget, tip] : tips)
        widget->setToolTip(text(*tip));
    for (int i = 1; i <= kObjectCount; ++i) {
        colorEntry(i)->setToolTip(text(kTipWeight));
        theListView->item(i - 1, 1)->setToolTip(text(kTipWeightColumn));
    }
}

void Form1::syncMenuChecks()
{
    if (!m_menus)
        return;
    m_menus->german->setChecked(LanguageIndex == kGerman);
    m_menus->english->setChecked(LanguageIndex == kEnglish);
}

} // namespace centrafix
