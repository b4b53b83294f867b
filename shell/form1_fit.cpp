// Where the window's controls go: the drawing's places, widened where a
// caption needs more room in either language, the colour panel flush right,
// the grid taking the width between, and the picture region taking all the
// rest of the window.

#include "form1.h"

#include "frozen_column_grid.h"
#include "picture_scroll.h"
#include "panel_texts.h"
#include "screen_fit.h"
#include "window_texts.h"

#include "engine/drag_report.h"
#include "engine/results_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <array>
#include <initializer_list>

namespace centrafix {

namespace {

// Hinting makes a text a pixel or two wider at some scales than at others.
constexpr int kSlack = 4;

// Scale and unit, origin, altitude, Mach, tolerance, language.
constexpr int kFieldRows = 6;

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
    m_needs.label = WidestHint(lblScale, {&msg::ScaleFactorCaption, &kOriginCaption, &kAltitudeCaption,
                                          &kMachCaption, &msg::ToleranceCaption, &msg::LanguageCaption});
    m_needs.unitLabel = WidestHint(lblScaleUnit, {&kUnitFieldCaption});
    m_needs.panel = WidestHint(Label2, {&msg::ColorsCaption});

    // The report's first line for a big picture at a coarse scale; the
    // coefficient lines are shorter.
    const QFontMetrics reportFont = txtReport->fontMetrics();
    int line = 0;
    for (const int language : {kGerman, kEnglish})
        line = std::max(line, reportFont.horizontalAdvance(QString::fromStdString(
                                  PictureSizeText(10000, 10000, language) + " -> " + std::string(Tr(msg::Scaled, language)) +
                                  ": 100000.00 x 100000.00")));
    const int documentMargin = 2 * 4;
    m_needs.report = line + documentMargin + 2 * txtReport->frameWidth() + kSlack;

    // The title row, seven colours and the total, and a scroll bar when the
    // grid is too narrow for all its columns.
    const QFontMetrics gridFont = grdResults->fontMetrics();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grdResults);
    const int header = std::max(grdResults->horizontalHeader()->sizeHint().height(), gridFont.height() + 8);
    m_needs.gridHeight = header + 8 * grdResults->verticalHeader()->defaultSectionSize() + scrollBar +
                         2 * grdResults->frameWidth();
    m_needs.gridFull = GridWidth(gridFont, 12) + 2 * grdResults->frameWidth();
    measureColorList();
}

// The colour list shows all seven colours with their names whole, in either
// language: measured with the names of both.
void Form1::measureColorList()
{
    int name = 0;
    int weight = 0;
    for (const int language : {kGerman, kEnglish}) {
        fillColorList(MakeColorObjects(language), language);
        QHeaderView* header = theListView->horizontalHeader();
        const QAbstractItemView* view = theListView;
        name = std::max({name, view->sizeHintForColumn(0), header->sectionSizeHint(0)});
        weight = std::max({weight, view->sizeHintForColumn(1), header->sectionSizeHint(1)});
    }
    theListView->horizontalHeader()->resizeSection(1, weight);
    const int frame = 2 * theListView->frameWidth();
    m_needs.colorList = QSize(name + weight + frame + kSlack,
                              theListView->horizontalHeader()->sizeHint().height() +
                                  kObjectCount * theListView->verticalHeader()->defaultSectionSize() + frame);
}

void Form1::placeControls()
{
    const QSize client = centralWidget()->size();
    const int gap = twipsX(105);
    const int left = twipsX(120);
    const int top = twipsY(120);
    const int bottomMargin = twipsY(60);

    // The buttons, the grid and the colour list in a band across the top;
    // under it the picture region, with the report and the fields in a
    // column on its right. The picture gives way to them: the grid gets the
    // width for its columns, the colour list the height for all its rows.
    const Band band = placeBand(top, gap);
    const int below = band.bottom + twipsY(75);
    const int columnW = fieldColumnWidth(gap);
    const int columnH = fieldColumnHeight(gap);
    const int pictureMinW = twipsX(3000);
    const int pictureMinH = twipsY(2340);
    const int columnLeft = std::max(left + pictureMinW + gap, client.width() - left - columnW);
    const int height = std::max({pictureMinH, columnH, client.height() - below - bottomMargin});
    placeFields(QRect(columnLeft, below, columnW, height), gap);
    picSideScroll->setGeometry(left, below, columnLeft - gap - left, height);

    // Never so small that a control would be covered or cut.
    centralWidget()->setMinimumSize(std::max(band.minimumWidth, left + pictureMinW + gap + columnW + left),
                                    below + std::max(pictureMinH, columnH) + bottomMargin);
}

// The buttons in two columns with the check boxes under them, the colour
// list flush with the right edge, and the grid taking the width between.
Form1::Band Form1::placeBand(int top, int gap)
{
    const int left = twipsX(120);
    const int bw = std::max(twipsX(1455), m_needs.button);
    const int bh = std::max(twipsY(375), btnOpen->sizeHint().height());
    const std::array<QPushButton*, 7> buttons{btnOpen, btnAnalyze, btnPaste, btnCopy, btnInvert, btnCopyBitmap, btnFlip};
    for (std::size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->setGeometry(i % 2 == 0 ? left : left + bw + gap, top + twipsY(480) * static_cast<int>(i / 2), bw, bh);
    const int cw = std::max({twipsX(3015), m_needs.check, 2 * bw + gap});
    const int ch = std::max(twipsY(255), chkAreaAC->sizeHint().height());
    chkAreaAC->setGeometry(left, twipsY(2040), cw, ch);
    chkAreaCG->setGeometry(left, std::max(twipsY(2280), twipsY(2040) + ch), cw, ch);

    const int gridLeft = std::max(twipsX(3240), left + cw + gap);
    const int gridMin = twipsX(3000);
    const int labelH = std::max(twipsY(255), Label2->sizeHint().height());
    const int pw = std::max(m_needs.colorList.width(), m_needs.panel);
    const int ph = labelH + m_needs.colorList.height();
    const int panelLeft = std::max(gridLeft + gridMin + gap, centralWidget()->width() - left - pw);
    const int bandH = std::max({m_needs.gridHeight, twipsY(2805) - top, ph, chkAreaCG->geometry().bottom() + 1 - top});
    grdResults->setGeometry(gridLeft, top, panelLeft - gap - gridLeft, bandH);
    picBox->setGeometry(panelLeft, top, pw, ph);
    Label2->setGeometry(0, 0, pw, labelH);
    theListView->setGeometry(0, labelH, pw, m_needs.colorList.height());
    return {top + bandH, gridLeft + gridMin + gap + pw + left};
}

int Form1::fieldRowStep() const
{
    return std::max(twipsY(360), txtScale->sizeHint().height() + twipsY(60));
}

int Form1::fieldColumnWidth(int gap) const
{
    const int lw = std::max(twipsX(1215), m_needs.label);
    const int fields = m_needs.unitLabel + 2 * gap + 2 * twipsX(735);
    return std::max({twipsX(3615), m_needs.report, lw + gap + fields});
}

// The report, as many lines as a run writes, over the six rows of fields.
int Form1::fieldColumnHeight(int gap) const
{
    return reportMinimumHeight() + gap + kFieldRows * fieldRowStep();
}

int Form1::reportMinimumHeight() const
{
    return std::max(twipsY(1005), 5 * txtReport->fontMetrics().lineSpacing() + 2 * txtReport->frameWidth() + 8);
}

void Form1::placeFields(const QRect& column, int gap)
{
    const int step = fieldRowStep();
    const int fieldsTop = column.bottom() + 1 - kFieldRows * step;
    txtReport->setGeometry(column.x(), column.y(), column.width(), fieldsTop - gap - column.y());

    const int lw = std::max(twipsX(1215), m_needs.label);
    const int fh = std::max(twipsY(285), txtScale->sizeHint().height());
    const int fx = column.x() + lw + gap;
    const int room = column.right() + 1 - fx;
    const int half = (room - gap) / 2;
    const auto rowTop = [&](int row) { return fieldsTop + row * step; };
    const std::array<QLabel*, kFieldRows> labels{lblScale, lblOrigin, Label3, Label4, Label1, lblLanguage};
    for (int row = 0; row < kFieldRows; ++row)
        labels[static_cast<std::size_t>(row)]->setGeometry(column.x(), rowTop(row), lw, fh);

    // The scale and its unit share the first row, X and Y the second.
    const int scaleW = (room - m_needs.unitLabel - 2 * gap) / 2;
    txtScale->setGeometry(fx, rowTop(0), scaleW, fh);
    lblScaleUnit->setGeometry(fx + scaleW + gap, rowTop(0), m_needs.unitLabel, fh);
    const int unitLeft = fx + scaleW + 2 * gap + m_needs.unitLabel;
    txtScaleUnit->setGeometry(unitLeft, rowTop(0), column.right() + 1 - unitLeft, fh);
    txtOriginX->setGeometry(fx, rowTop(1), half, fh);
    txtOriginY->setGeometry(fx + half + gap, rowTop(1), room - half - gap, fh);
    txtAltitude->setGeometry(fx, rowTop(2), half, fh);
    txtMach->setGeometry(fx, rowTop(3), half, fh);
    txtTolerance->setGeometry(fx, rowTop(4), half, fh);
    cbLanguage->setGeometry(fx, rowTop(5), std::min(room, std::max(half, cbLanguage->sizeHint().width())),
                            std::max(fh, cbLanguage->sizeHint().height()));
}

// The first size: wide enough for every column of the grid, as high as
// drawn, within the screen.
QSize Form1::defaultSize() const
{
    const QSize minimum = minimumSizeHint();
    const int gridGrowth = std::max(0, m_needs.gridFull - twipsX(3000));
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
