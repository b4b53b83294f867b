// The window's controls and the panels they sit in: the picture region in
// the middle, taking every pixel the others leave; beside it the side panel
// with the buttons, the colour list, the fields and the language; under both
// the results panel with the grid and the report. The panels are divided by
// splitters the user can drag; what each needs and where the dividers start
// is form1_fit.cpp's. Captions come from SwitchLanguage and the actions.

#include "form1.h"

#include "out_of_date.h"

#include "color_list_delegate.h"
#include "frozen_column_grid.h"
#include "picture_scroll.h"
#include "picture_view.h"
#include "weight_delegate.h"
#include "window_texts.h"

#include "engine/defaults.h"
#include "picture/picture_area.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>

namespace centrafix {

namespace {

template <class W>
W* Named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

std::size_t At(int i)
{
    return static_cast<std::size_t>(i);
}

// A divider between panels: neither side can be dragged away to nothing,
// where a new user would not find it again.
QSplitter* Splitter(Qt::Orientation orientation, const char* name, QWidget* first, QWidget* second)
{
    auto* splitter = Named(new QSplitter(orientation), name);
    splitter->addWidget(first);
    splitter->addWidget(second);
    splitter->setChildrenCollapsible(false);
    // The first (the picture, the grid) takes what the window gains or loses;
    // the other keeps the size it was given.
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    return splitter;
}

} // namespace

int Form1::twipsX(double twips) const
{
    return TwipsToPixels(twips, logicalDpiX());
}

int Form1::twipsY(double twips) const
{
    return TwipsToPixels(twips, logicalDpiY());
}

QRect Form1::designed(const TwipsRect& r) const
{
    return TwipsToPixels(r, logicalDpiX(), logicalDpiY());
}

void Form1::buildWidgets()
{
    // The boxes were drawn for an 8-point font.
    QFont designFont = font();
    designFont.setPointSizeF(8.0);
    setFont(designFont);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Form1Client"));
    setCentralWidget(client);

    buildButtons(client);
    buildResultViews(client);
    buildFields(client);
    buildColorPanel(client);
    buildPictureView(client);
    buildStatusBar();
    buildMenus();
    buildBalance();
    connectHandlers();
    measureNeeds();
    buildPanels(client);
}

void Form1::buildButtons(QWidget* client)
{
    const auto button = [&](const char* name) { return Named(new QPushButton(client), name); };
    btnOpen = button("btnOpen");
    btnAnalyze = button("btnAnalyze");
    btnPaste = button("btnPaste");
    btnCopy = button("btnCopy");
    btnInvert = button("btnInvert");
    btnCopyBitmap = button("btnCopyBitmap");
    btnFlip = button("btnFlip");
    chkAreaAC = Named(new QCheckBox(client), "chkAreaAC");
    chkAreaCG = Named(new QCheckBox(client), "chkAreaCG");
}

void Form1::buildResultViews(QWidget* client)
{
    grdResults = Named(new FrozenColumnGrid(client), "grdResults");
    grdResults->verticalHeader()->hide();
    grdResults->verticalHeader()->setMinimumSectionSize(0);
    grdResults->verticalHeader()->setDefaultSectionSize(twipsY(240)); // a grid row as designed
    grdResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdResults->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grdResults->setWordWrap(false);
    grdResults->horizontalHeader()->setHighlightSections(true);

    txtReport = Named(new QPlainTextEdit(client), "txtReport");
    txtReport->setLineWrapMode(QPlainTextEdit::NoWrap);
}

void Form1::buildFields(QWidget* client)
{
    const auto label = [&](const char* name) { return Named(new QLabel(client), name); };
    const auto field = [&](const char* name) { return Named(new QLineEdit(client), name); };
    lblScale = label("lblScale");
    txtScale = field("txtScale");
    lblScaleUnit = label("lblScaleUnit");
    txtScaleUnit = field("txtScaleUnit");
    // A unit is a word; a longer text would only crowd the report's lines.
    txtScaleUnit->setMaxLength(24);
    lblOrigin = label("lblOrigin");
    txtOriginX = field("txtOriginX");
    txtOriginY = field("txtOriginY");
    Label3 = label("Label3");
    txtAltitude = field("txtAltitude");
    Label4 = label("Label4");
    txtMach = field("txtMach");
    Label1 = label("Label1");
    txtTolerance = field("txtTolerance");
    txtTolerance->setText(QString::fromUtf8(defaults::kToleranceText));
    lblLanguage = label("lblLanguage");
    cbLanguage = Named(new QComboBox(client), "cbLanguage");
}

// The colour list under its caption.
void Form1::buildColorPanel(QWidget* client)
{
    picBox = Named(new QWidget(client), "picBox");
    Label2 = Named(new QLabel(picBox), "Label2");
    buildColorList(picBox);
}

// One row per colour: the tick, the swatch and the name, then the weight and
// the role in the balance (chosen from the context menu, or by a double
// click on it).
// The name is edited in place as it always was ("W=" and a number set the
// weight); the weight column takes a number of its own.
void Form1::buildColorList(QWidget* parent)
{
    theListView = Named(new QTableWidget(kObjectCount, 3, parent), "theListView");
    theListView->verticalHeader()->hide();
    theListView->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    theListView->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    theListView->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Fixed);
    theListView->horizontalHeader()->setHighlightSections(false);
    theListView->setShowGrid(false);
    theListView->setWordWrap(false);
    theListView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    theListView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    theListView->setSelectionMode(QAbstractItemView::SingleSelection);
    theListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    theListView->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::SelectedClicked);
    theListView->setItemDelegateForColumn(
        0, new ColorListDelegate(
               [this](int row, const QString& newString) { return theListView_AfterLabelEdit(row, newString); },
               [this](int row) { return QString::fromStdString(ColorEntryText(colorObjects()[At(row + 1)])); },
               theListView));
    theListView->setItemDelegateForColumn(
        1, new WeightDelegate([this](int row, const QString& typed) { setWeightText(row + 1, typed); }, theListView));
    // The swatch box: the size of every colour's icon in the list.
    const QRect swatch = designed({5760, 5880, 375, 255});
    picColor = QImage(swatch.size(), QImage::Format_RGB32);
    theListView->setIconSize(swatch.size());
    const int indicator = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, theListView);
    theListView->verticalHeader()->setMinimumSectionSize(0);
    theListView->verticalHeader()->setDefaultSectionSize(
        std::max({swatch.height(), indicator, theListView->fontMetrics().height()}) + 4);
    theListView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    buildTickMenu();
}

void Form1::buildPictureView(QWidget* client)
{
    picSideScroll = Named(new PictureScroll(*picSide, client), "picSideScroll");
    picSideView = picSideScroll->view();
}

void Form1::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(std::max(twipsY(375), fontMetrics().height() + 8));
    // The window has always greeted in English; runs then report in the
    // language chosen.
    statusPanel1 = new QLabel(QString::fromUtf8(Tr(msg::Ready, kEnglish)), bar);
    statusPanel1->setObjectName(QStringLiteral("StatusBar1Panel1"));
    statusPanel1->setMinimumWidth(1); // a long message is cut, never widens the window
    statusPanel2 = new QLabel(bar);
    statusPanel2->setObjectName(QStringLiteral("StatusBar1Panel2"));
    // During a run the progress bar stands between the message and the zoom,
    // taking room from the message: all three stay readable.
    theProgressBar = new QProgressBar(bar);
    theProgressBar->setObjectName(QStringLiteral("theProgressBar"));
    theProgressBar->setTextVisible(false);
    theProgressBar->setFixedSize(twipsX(3375), std::max(1, bar->height() - 2 * twipsY(80)));
    theProgressBar->hide();
    bar->addWidget(statusPanel1, 1);
    bar->addPermanentWidget(theProgressBar);
    bar->addPermanentWidget(statusPanel2);
}

void Form1::connectHandlers()
{
    // The buttons and check boxes are their actions' (form1_actions.cpp).
    connect(cbLanguage, &QComboBox::currentIndexChanged, this, [this] { cbLanguage_Click(); });
    connect(theListView, &QTableWidget::itemClicked, this, [this] { theListView_Click(); });
    connect(txtScale, &QLineEdit::textChanged, this, [this] { txtScale_Change(); });
    connect(txtScaleUnit, &QLineEdit::textEdited, this, [this] { txtScaleUnit_Change(); });
    for (QLineEdit* origin : {txtOriginX, txtOriginY})
        connect(origin, &QLineEdit::editingFinished, this, [this] { txtOrigin_Edited(); });
    connect(picSideView, &PictureView::mouseMoved, this, &Form1::picSide_MouseMove);
    connect(picSideView, &PictureView::mousePressed, this, &Form1::picSide_MouseDown);
    connect(picSideView, &PictureView::mouseReleased, this, &Form1::picSide_MouseUp);
    connect(picSideScroll, &PictureScroll::zoomChanged, this, [this] { showZoom(); });
}

// The buttons in two columns with the check boxes under them, beside the
// colour list; under them the fields, a caption before each.
QWidget* Form1::buildSidePanel()
{
    auto* side = Named(new QWidget, "sidePanel");
    const int gap = twipsX(105);

    auto* buttons = new QGridLayout;
    buttons->setSpacing(gap);
    QPushButton* const order[] = {btnOpen, btnAnalyze, btnPaste, btnCopy, btnInvert, btnCopyBitmap, btnFlip};
    for (int i = 0; i < 7; ++i)
        buttons->addWidget(order[i], i / 2, i % 2);
    buttons->addWidget(chkAreaAC, 4, 0, 1, 2);
    buttons->addWidget(chkAreaCG, 5, 0, 1, 2);
    buttons->setRowStretch(6, 1);

    auto* colours = new QVBoxLayout(picBox);
    colours->setContentsMargins(0, 0, 0, 0);
    colours->setSpacing(0);
    colours->addWidget(Label2);
    colours->addWidget(theListView);
    colours->addStretch(1);

    auto* top = new QHBoxLayout;
    top->setSpacing(2 * gap);
    top->addLayout(buttons);
    top->addWidget(picBox, 1);

    // The scale and its unit share the first row, X and Y the second.
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(gap);
    fields->setVerticalSpacing(twipsY(60));
    fields->addWidget(lblScale, 0, 0);
    fields->addWidget(txtScale, 0, 1);
    fields->addWidget(lblScaleUnit, 0, 2);
    fields->addWidget(txtScaleUnit, 0, 3);
    fields->addWidget(lblOrigin, 1, 0);
    fields->addWidget(txtOriginX, 1, 1);
    fields->addWidget(txtOriginY, 1, 2, 1, 2);
    const std::pair<QLabel*, QWidget*> rows[] = {
        {Label3, txtAltitude}, {Label4, txtMach}, {Label1, txtTolerance}, {lblLanguage, cbLanguage}};
    for (int i = 0; i < 4; ++i) {
        fields->addWidget(rows[i].first, 2 + i, 0);
        fields->addWidget(rows[i].second, 2 + i, 1);
    }
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);

    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2 * gap);
    column->addLayout(top);
    column->addLayout(fields);
    column->addStretch(1);
    return side;
}

void Form1::buildPanels(QWidget* client)
{
    m_pictureSplit = Splitter(Qt::Horizontal, "splitPicture", picSideScroll, buildSidePanel());
    // The report's place stays its own while a run hides the report for
    // the progress: the grid beside it does not jump.
    auto* reportPanel = Named(new QWidget, "reportPanel");
    auto* report = new QVBoxLayout(reportPanel);
    report->setContentsMargins(0, 0, 0, 0);
    report->addWidget(buildReportTabs());
    m_resultsSplit = Splitter(Qt::Horizontal, "splitResults", grdResults, reportPanel);
    m_mainSplit = Splitter(Qt::Vertical, "splitMain", m_pictureSplit, m_resultsSplit);
    auto* layout = new QVBoxLayout(client);
    const int margin = twipsX(120);
    layout->setContentsMargins(margin, twipsY(60), margin, twipsY(60));
    layout->addWidget(m_mainSplit);
    setMinimumSizes();
}

} // namespace centrafix
