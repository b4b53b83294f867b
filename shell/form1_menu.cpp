// The menu bar and the tooltips: the standard ways in beside the buttons.
// Every entry calls the handler its button or control calls.

#include "form1.h"

#include "frozen_column_grid.h"

#include "menu_texts.h"
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

QAction* AddAction(QMenu* menu, const QList<QKeySequence>& keys, std::function<void()> handler)
{
    QAction* action = menu->addAction(QString());
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
    m.open = AddAction(m.file, {QKeySequence::Open}, [this] { btnOpen_Click(); });
    m.paste = AddAction(m.file, {QKeySequence::Paste}, [this] { btnPaste_Click(); });
    m.file->addSeparator();
    m.saveResults = AddAction(m.file, {QKeySequence::Save}, [this] { saveResults(); });
    m.savePicture = AddAction(m.file, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}, [this] { savePicture(); });
    m.saveChart = AddAction(m.file, {}, [this] { saveChart(); });
    m.saveChart->setEnabled(false); // until a run leaves a chart
    m.file->addSeparator();
    m.copyTable = AddAction(m.file, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)}, [this] { btnCopy_Click(); });
    m.copyBitmap = AddAction(m.file, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B)}, [this] { btnCopyBitmap_Click(); });
    m.file->addSeparator();
    m.quit = AddAction(m.file, {QKeySequence(Qt::CTRL | Qt::Key_Q)}, [this] { close(); });

    // "+" is Shift+"=" on many keyboards; Ctrl+"=" zooms in there too.
    m.view = bar->addMenu(QString());
    m.fit = AddAction(m.view, {QKeySequence(Qt::CTRL | Qt::Key_F)}, [this] { picSideScroll->fit(); });
    m.actualSize = AddAction(m.view, {QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { picSideScroll->actualSize(); });
    m.zoomIn = AddAction(m.view, {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
                         [this] { picSideScroll->zoomBy(1); });
    m.zoomOut = AddAction(m.view, {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, [this] { picSideScroll->zoomBy(-1); });
    m.view->addSeparator();
    m.loadingChart = AddAction(m.view, {}, [this] { showLoadingChart(); });

    m.picture = bar->addMenu(QString());
    m.analyze = AddAction(m.picture, {QKeySequence(Qt::Key_F5)}, [this] { btnAnalyze_Click(); });
    m.picture->addSeparator();
    m.flip = AddAction(m.picture, {}, [this] { btnFlip_Click(); });
    m.invert = AddAction(m.picture, {}, [this] { btnInvert_Click(); });
    m.cleanUp = AddAction(m.picture, {}, [this] { btnCleanUp_Click(); });
    m.cleanUp->setObjectName(QStringLiteral("actCleanUp"));
    m.scaleLine = AddAction(m.picture, {QKeySequence(Qt::CTRL | Qt::Key_L)}, [this] { startScaleLine(); });
    m.scaleLine->setObjectName(QStringLiteral("actScaleLine"));
    m.picture->addSeparator();
    m.showAC = AddAction(m.picture, {}, [this] { chkAreaAC->setChecked(m_menus->showAC->isChecked()); });
    m.showCG = AddAction(m.picture, {}, [this] { chkAreaCG->setChecked(m_menus->showCG->isChecked()); });
    m.showAC->setCheckable(true);
    m.showCG->setCheckable(true);

    m.language = bar->addMenu(QString());
    auto* languages = new QActionGroup(m.language);
    m.german = AddAction(m.language, {}, [this] { cbLanguage->setCurrentIndex(kGerman - 1); });
    m.english = AddAction(m.language, {}, [this] { cbLanguage->setCurrentIndex(kEnglish - 1); });
    for (QAction* language : {m.german, m.english}) {
        language->setCheckable(true);
        languages->addAction(language);
    }
}

void Form1::setMenuTexts()
{
    WindowMenus& m = *m_menus;
    const std::pair<QMenu*, const Message*> menus[] = {
        {m.file, &kMenuFile}, {m.view, &kMenuView}, {m.picture, &kMenuPicture}, {m.language, &kMenuLanguage}};
    for (const auto& [menu, caption] : menus)
        menu->setTitle(text(*caption));
    const std::pair<QAction*, const Message*> actions[] = {
        {m.open, &msg::Open},           {m.paste, &msg::Paste},          {m.saveResults, &kSaveResults},
        {m.savePicture, &kSavePicture}, {m.copyTable, &msg::CopyTable},  {m.copyBitmap, &kCopyBitmapCaption},
        {m.quit, &kQuit},               {m.fit, &kZoomFit},              {m.actualSize, &kZoomActual},
        {m.zoomIn, &kZoomIn},           {m.zoomOut, &kZoomOut},          {m.analyze, &msg::Analyze},
        {m.flip, &msg::FlipHorz},       {m.invert, &msg::InvertBW},      {m.cleanUp, &kCleanUpMenu},
        {m.scaleLine, &kScaleLineMenu}, {m.showAC, &msg::ShowAreaAC},
        {m.showCG, &msg::ShowAreaCG},   {m.german, &kGermanName},        {m.english, &kEnglishName},
        {m.saveChart, &kSaveChart},     {m.loadingChart, &kLoadingChart}};
    for (const auto& [action, caption] : actions)
        action->setText(text(*caption));
    syncMenuChecks();
}

void Form1::setToolTips()
{
    const std::pair<QWidget*, const Message*> tips[] = {
        {btnOpen, &kTipOpen},         {btnAnalyze, &kTipAnalyze},   {btnPaste, &kTipPaste},
        {btnCopy, &kTipCopyTable},    {btnInvert, &kTipInvert},     {btnCopyBitmap, &kTipCopyBitmap},
        {btnFlip, &kTipFlip},         {chkAreaAC, &kTipShowAC},     {chkAreaCG, &kTipShowCG},
        {txtScale, &kTipScale},       {lblScale, &kTipScale},       {txtAltitude, &kTipAltitude},
        {txtScaleUnit, &kTipUnit},    {lblScaleUnit, &kTipUnit},    {txtOriginX, &kTipOrigin},
        {txtOriginY, &kTipOrigin},    {lblOrigin, &kTipOrigin},
        {Label3, &kTipAltitude},      {txtMach, &kTipMach},         {Label4, &kTipMach},
        {txtTolerance, &kTipTolerance}, {Label1, &kTipTolerance},   {cbLanguage, &kTipLanguage},
        {picSideView, &kTipPicture},  {theListView, &kTipWeight},   {grdResults, &kTipGrid}};
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
    m_menus->showAC->setChecked(chkAreaAC->isChecked());
    m_menus->showCG->setChecked(chkAreaCG->isChecked());
    m_menus->german->setChecked(LanguageIndex == kGerman);
    m_menus->english->setChecked(LanguageIndex == kEnglish);
}

} // namespace centrafix
