// Where the window's controls go: the drawing's places, widened where a
// caption needs more room in either language, the colour panel flush right,
// the grid taking the width between, and the picture region taking all the
// rest of the window.

#include "form1.h"

#include "frozen_column_grid.h"
#include "picture_scroll.h"
#include "window_texts.h"

#include "engine/drag_report.h"
#include "engine/results_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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
    m_needs.label = WidestHint(lblScale, {&msg::ScaleFactorCaption, &kAltitudeCaption, &kMachCaption});
    m_needs.panel = WidestHint(Label1, {&msg::ToleranceCaption, &msg::ColorsCaption, &msg::LanguageCaption});

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
    m_needs.gridFull = GridWidth(gridFont, 12) + 2 * grdResults->frameWidth() + scrollBar;
}

void Form1::placeControls()
{
    const QSize client = centralWidget()->size();
    const int gap = twipsX(105);
    const int left = twipsX(120);
    const int top = twipsY(120);

    // The buttons in two columns, the check boxes under them.
    const int bw = std::max(twipsX(1455), m_needs.button);
    const int bh = std::max(twipsY(375), btnOpen->sizeHint().height());
    const std::array<QPushButton*, 7> buttons{btnOpen, btnAnalyze, btnPaste, btnCopy, btnInvert, btnCopyBitmap, btnFlip};
    for (std::size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->setGeometry(i % 2 == 0 ? left : left + bw + gap, top + twipsY(480) * static_cast<int>(i / 2), bw, bh);
    const int cw = std::max({twipsX(3015), m_needs.check, 2 * bw + gap});
    const int ch = std::max(twipsY(255), chkAreaAC->sizeHint().height());
    chkAreaAC->setGeometry(left, twipsY(2040), cw, ch);
    chkAreaCG->setGeometry(left, std::max(twipsY(2280), twipsY(2040) + ch), cw, ch);

    // The grid, then a column of the report over the three fields, then the
    // colour panel flush with the right edge.
    const int gridLeft = std::max(twipsX(3240), left + cw + gap);
    const int lw = std::max(twipsX(1215), m_needs.label);
    const int fw = twipsX(735);
    const int colW = std::max({twipsX(3615), m_needs.report, lw + gap + fw});
    const int pw = std::max(twipsX(2535), twipsX(240) + m_needs.panel + twipsX(615));
    const int gridMin = twipsX(3000);
    const int gridHeight = std::max(twipsY(2805) - top, m_needs.gridHeight);
    const int gridW = std::max(gridMin, client.width() - pw - gap - colW - gap - gridLeft);
    grdResults->setGeometry(gridLeft, top, gridW, gridHeight);
    const int colLeft = gridLeft + gridW + gap;
    txtReport->setGeometry(colLeft, top, colW, twipsY(1575));
    const std::array<std::pair<QLabel*, QLineEdit*>, 3> fields{
        {{lblScale, txtScale}, {Label3, txtAltitude}, {Label4, txtMach}}};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const int y = twipsY(1800 + 360 * static_cast<int>(i));
        fields[i].first->setGeometry(colLeft, y, lw, std::max(twipsY(255), fields[i].first->sizeHint().height()));
        fields[i].second->setGeometry(colLeft + colW - fw, y, fw, twipsY(285));
    }
    picBox->setGeometry(colLeft + colW + gap, twipsY(80), pw, twipsY(2775));
    for (QLabel* label : {Label1, Label2, lblLanguage})
        label->resize(std::max(label->width(), m_needs.panel), label->height());

    // The picture region takes the rest: to the right edge and down to the
    // status bar, keeping the left margin on both sides.
    const int picTop = std::max(twipsY(2880), top + gridHeight + twipsY(75));
    picSideScroll->setGeometry(left, picTop, std::max(1, client.width() - 2 * left),
                               std::max(1, client.height() - picTop - twipsY(60)));

    // Never so small that a control would be covered or cut.
    centralWidget()->setMinimumSize(gridLeft + gridMin + gap + colW + gap + pw, picTop + twipsY(2340));
}

// The first size: wide enough for every column of the grid, as high as
// drawn, within the screen.
QSize Form1::defaultSize() const
{
    const QSize minimum = minimumSizeHint();
    const int gridGrowth = std::max(0, m_needs.gridFull - twipsX(3000));
    QSize size(std::max(twipsX(11715), minimum.width() + gridGrowth), std::max(twipsY(10200), minimum.height()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() - QSize(16, 48));
    return size.expandedTo(minimum);
}

} // namespace centrafix
