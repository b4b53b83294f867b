// What the window's controls need, in either language, so that no caption
// is cut and no list scrolls: their smallest sizes, and with them the
// window's. Where the dividers between the panels start, and the window kept
// on its screen.

#include "form1.h"

#include "frozen_column_grid.h"
#include "panel_texts.h"
#include "picture_scroll.h"
#include "screen_fit.h"
#include "window_settings.h"
#include "window_texts.h"

#include "engine/balance_fields.h"
#include "engine/drag_report.h"
#include "engine/results_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>
#include <array>
#include <initializer_list>

namespace centrafix {

namespace {

// Hinting makes a text a pixel or two wider at some scales than at others.
constexpr int kSlack = 4;

// What a window manager's frame may take, for as long as the window has none
// yet to measure.
constexpr QMargins kFrameAllowance(8, 40, 8, 8);

// The widest `widget`'s size hint gets with any of `captions` in either
// language; the widget keeps its text.
template <class W>
int WidestHint(W* widget, std::initializer_list<const Message*> captions)
{
    const QString kept = widget->text();
    int widest = 0;
    for (const Message* caption : captions)
        for (const int language : {kGerman, kEnglish}) {
            widget->setText(QString::fromUtf8(Tr(*caption, language)));
            widest = std::max(widest, widget->sizeHint().width());
        }
    widget->setText(kept);
    return widest + kSlack;
}

// A grid column holds its title or a number as wide as the analysis writes.
int GridWidth(const QFontMetrics& metrics, int margin)
{
    int total = 0;
    const QStringList german = QString::fromStdString(GridHeaderText(kGerman)).split('\t');
    const QStringList english = QString::fromStdString(GridHeaderText(kEnglish)).split('\t');
    for (int c = 0; c < kGridColumns; ++c) {
        int widest = metrics.horizontalAdvance(QStringLiteral("0000000.00"));
        for (const QStringList& titles : {german, english})
            if (c < titles.size())
                widest = std::max(widest, metrics.horizontalAdvance(titles[c]));
        total += widest + margin;
    }
    return total;
}

} // namespace

void Form1::measureNeeds()
{
    m_needs.button = WidestHint(btnOpen, {&msg::Open, &msg::Paste, &msg::Analyze, &msg::CopyTable, &msg::FlipHorz,
                                          &msg::InvertBW, &kCopyBitmapCaption});
    m_needs.check = WidestHint(chkAreaAC, {&msg::ShowAreaAC, &msg::ShowAreaCG});
    m_needs.label = WidestHint(lblScale, {&msg::ScaleFactorCaption, &kOriginCaption, &kAltitudeCaption, &kMachCaption,
                                          &msg::ToleranceCaption, &msg::LanguageCaption});
    m_needs.unitLabel = WidestHint(lblScaleUnit, {&kUnitFieldCaption});
    m_needs.panel = WidestHint(Label2, {&msg::ColorsCaption});

    // The report's first line for a big picture at a coarse scale; the
    // coefficient lines are shorter.
    const QFontMetrics reportFont = txtReport->fontMetrics();
    int line = 0;
    for (const int language : {kGerman, kEnglish})
        line = std::max(line, reportFont.horizontalAdvance(QString::fromStdString(
                                  PictureSizeText(10000, 10000, language) + " -> " +
                                  std::string(Tr(msg::Scaled, language)) + ": 100000.00 x 100000.00")));
    const int documentMargin = 2 * 4;
    m_needs.report = line + documentMargin + 2 * txtReport->frameWidth() + kSlack;

    // The title row, seven colours and the total, and a scroll bar when the
    // grid is too narrow for all its columns.
    const QFontMetrics gridFont = grdResults->fontMetrics();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grdResults);
    const int header = std::max(grdResults->horizontalHeader()->sizeHint().height(), gridFont.height() + 8);
    m_needs.gridHeight =
        header + 8 * grdResults->verticalHeader()->defaultSectionSize() + scrollBar + 2 * grdResults->frameWidth();
    m_needs.gridFull = GridWidth(gridFont, 12) + 2 * grdResults->frameWidth();
    measureColorList();
}

// The colour list shows all seven colours with their names whole, in either
// language: measured with the names of both.
void Form1::measureColorList()
{
    int name = 0;
    int weight = 0;
    int role = 0;
    const int cellPadding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, theListView) + 8;
    for (const int language : {kGerman, kEnglish}) {
        fillColorList(MakeColorObjects(language), language);
        QHeaderView* header = theListView->horizontalHeader();
        const QAbstractItemView* view = theListView;
        name = std::max({name, view->sizeHintForColumn(0), header->sectionSizeHint(0)});
        weight = std::max({weight, view->sizeHintForColumn(1), header->sectionSizeHint(1)});
        role = std::max(role, header->sectionSizeHint(2));
        for (const aero::SurfaceRole r : {aero::SurfaceRole::Wing, aero::SurfaceRole::Tail, aero::SurfaceRole::Canard,
                                          aero::SurfaceRole::Fuselage, aero::SurfaceRole::Other})
            role = std::max(role,
                            theListView->fontMetrics().horizontalAdvance(QString::fromUtf8(Tr(RoleName(r), language))) +
                                cellPadding);
    }
    theListView->horizontalHeader()->resizeSection(1, weight);
    theListView->horizontalHeader()->resizeSection(2, role);
    const int frame = 2 * theListView->frameWidth();
    m_needs.colorList = QSize(name + weight + role + frame + kSlack,
                              theListView->horizontalHeader()->sizeHint().height() +
                                  kObjectCount * theListView->verticalHeader()->defaultSectionSize() + frame);
}

void Form1::setMinimumSizes()
{
    const int bw = std::max(twipsX(1455), m_needs.button);
    const int bh = std::max(twipsY(375), btnOpen->sizeHint().height());
    for (QPushButton* button : {btnOpen, btnAnalyze, btnPaste, btnCopy, btnInvert, btnCopyBitmap, btnFlip}) {
        button->setMinimumWidth(bw);
        button->setFixedHeight(bh);
    }
    for (QCheckBox* check : {chkAreaAC, chkAreaCG})
        check->setMinimumWidth(m_needs.check);
    for (QLabel* label : {lblScale, lblOrigin, Label3, Label4, Label1, lblLanguage})
        label->setMinimumWidth(m_needs.label);
    lblScaleUnit->setMinimumWidth(m_needs.unitLabel);
    Label2->setMinimumWidth(m_needs.panel);
    for (QLineEdit* field : {txtScale, txtScaleUnit, txtOriginX, txtOriginY, txtAltitude, txtMach, txtTolerance})
        field->setMinimumWidth(twipsX(735));
    theListView->setMinimumWidth(m_needs.colorList.width());
    theListView->setFixedHeight(m_needs.colorList.height());
    // The grid's rows, up to the total, without scrolling.
    grdResults->setMinimumSize(twipsX(3000), m_needs.gridHeight);
    m_resultsSplit->widget(1)->setMinimumSize(m_needs.report, reportMinimumHeight());
    picSideScroll->setMinimumSize(twipsX(3000), twipsY(2340));
}

int Form1::reportMinimumHeight() const
{
    return std::max(twipsY(1005), 5 * txtReport->fontMetrics().lineSpacing() + 2 * txtReport->frameWidth() + 8);
}

// Kept sizes where there are any; else the side panel as narrow as keeps
// everything in it whole, the results panel as low as shows every row of
// the grid, and the report as wide as its longest line.
void Form1::setPanelSizes(const PanelSizes& kept)
{
    // The first of each pair takes whatever the window has left once it
    // shows; any size will do here.
    m_pictureSplit->setSizes({1, kept.side.value_or(m_pictureSplit->widget(1)->minimumSizeHint().width())});
    m_mainSplit->setSizes({1, kept.results.value_or(m_needs.gridHeight)});
    m_resultsSplit->setSizes({1, kept.report.value_or(m_needs.report)});
}

PanelSizes Form1::panelSizes() const
{
    return {m_pictureSplit->sizes().value(1), m_mainSplit->sizes().value(1), m_resultsSplit->sizes().value(1)};
}

// The first size: wide enough for every column of the grid beside the
// report, as high as drawn, within the screen.
QSize Form1::defaultSize() const
{
    const QSize minimum = minimumSizeHint();
    const int results = m_needs.gridFull + m_resultsSplit->handleWidth() + m_needs.report;
    const int gridGrowth = std::max(0, results - m_mainSplit->minimumSizeHint().width());
    QSize size(std::max(twipsX(11715), minimum.width() + gridGrowth), std::max(twipsY(10200), minimum.height()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().marginsRemoved(kFrameAllowance).size());
    return size.expandedTo(minimum);
}

void Form1::keepOnScreen()
{
    if (isMaximized() || isFullScreen())
        return;
    const QScreen* screen = QGuiApplication::screenAt(frameGeometry().center());
    if (screen == nullptr)
        screen = this->screen();
    if (screen == nullptr)
        return;
    // Before the window manager has framed the window its frame is not
    // known; the allowance stands in for it, all of it to the right and
    // below, so that a window put back where it was left is not moved for a
    // frame it may not have.
    const QRect inner = geometry();
    const QRect outer = frameGeometry();
    QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                   outer.bottom() - inner.bottom());
    if (frame.isNull())
        frame = QMargins(0, 0, kFrameAllowance.left() + kFrameAllowance.right(),
                         kFrameAllowance.top() + kFrameAllowance.bottom());
    const QRect fitted = FittedOnScreen(inner, frame, screen->availableGeometry(), minimumSizeHint());
    if (fitted.size() != inner.size())
        resize(fitted.size());
    if (fitted.topLeft() != inner.topLeft())
        move(fitted.topLeft() - QPoint(frame.left(), frame.top()));
}

} // namespace centrafix
