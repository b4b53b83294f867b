// The window's controls, made where the drawing put them (in twips); where
// they finally go is form1_fit.cpp's. Captions come from SwitchLanguage.

#include "form1.h"

#include "out_of_date.h"

#include "color_list_delegate.h"
#include "weight_delegate.h"
#include "frozen_column_grid.h"
#include "picture_scroll.h"
#include "picture_view.h"
#include "window_texts.h"

#include "engine/defaults.h"
#include "picture/picture_area.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>

#include <algorithm>

namespace centrafix {

namespace {

template <class W>
W* Placed(W* widget, const char* name, const QRect& geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

std::size_t At(int i)
{
    return static_cast<std::size_t>(i);
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
    buildSidePanel(client);
    buildPictureView(client);
    buildStatusBar();
    buildMenus();
    connectHandlers();
    measureNeeds();
    placeControls();
}

void Form1::buildButtons(QWidget* client)
{
    const auto button = [&](const char* name, const TwipsRect& r) {
        return Placed(new QPushButton(client), name, designed(r));
    };
    btnOpen = button("btnOpen", {120, 120, 1455, 375});
    btnAnalyze = button("btnAnalyze", {1680, 120, 1455, 375});
    btnPaste = button("btnPaste", {120, 600, 1455, 375});
    btnCopy = button("btnCopy", {1680, 600, 1455, 375});
    btnInvert = button("btnInvert", {120, 1080, 1455, 375});
    btnCopyBitmap = button("btnCopyBitmap", {1680, 1080, 1455, 375});
    btnFlip = button("btnFlip", {120, 1560, 1455, 375});
    chkAreaAC = Placed(new QCheckBox(client), "chkAreaAC", designed({120, 2040, 3015, 255}));
    chkAreaCG = Placed(new QCheckBox(client), "chkAreaCG", designed({120, 2280, 3015, 255}));
}

void Form1::buildResultViews(QWidget* client)
{
    grdResults = Placed(new FrozenColumnGrid(client), "grdResults", designed({3240, 120, 5655, 1575}));
    grdResults->verticalHeader()->hide();
    grdResults->verticalHeader()->setMinimumSectionSize(0);
    grdResults->verticalHeader()->setDefaultSectionSize(twipsY(240)); // a grid row as designed
    grdResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdResults->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grdResults->setWordWrap(false);
    grdResults->horizontalHeader()->setHighlightSections(true);

    txtReport = Placed(new QPlainTextEdit(client), "txtReport", designed({3240, 1800, 3615, 1005}));
    txtReport->setLineWrapMode(QPlainTextEdit::NoWrap);
}

void Form1::buildFields(QWidget* client)
{
    const auto label = [&](const char* name, const TwipsRect& r) {
        return Placed(new QLabel(client), name, designed(r));
    };
    const auto field = [&](const char* name, const TwipsRect& r) {
        return Placed(new QLineEdit(client), name, designed(r));
    };
    lblScale = label("lblScale", {6840, 1800, 1215, 255});
    txtScale = field("txtScale", {8160, 1800, 735, 285});
    lblScaleUnit = label("lblScaleUnit", {8960, 1800, 615, 255});
    txtScaleUnit = field("txtScaleUnit", {9600, 1800, 615, 285});
    // A unit is a word; a longer text would only crowd the report's lines.
    txtScaleUnit->setMaxLength(24);
    lblOrigin = label("lblOrigin", {6840, 2160, 1215, 255});
    txtOriginX = field("txtOriginX", {8160, 2160, 735, 285});
    txtOriginY = field("txtOriginY", {8960, 2160, 735, 285});
    Label3 = label("Label3", {6840, 2520, 1215, 255});
    txtAltitude = field("txtAltitude", {8160, 2520, 735, 285});
    Label4 = label("Label4", {6840, 2880, 1215, 255});
    txtMach = field("txtMach", {8160, 2880, 735, 285});
    Label1 = label("Label1", {6840, 3240, 1215, 255});
    txtTolerance = field("txtTolerance", {8160, 3240, 735, 285});
    txtTolerance->setText(QString::fromUtf8(defaults::kToleranceText));
    lblLanguage = label("lblLanguage", {6840, 3600, 1215, 255});
    cbLanguage = Placed(new QComboBox(client), "cbLanguage", designed({8160, 3600, 2295, 315}));
}

// The panel on the right: the colour list.
void Form1::buildSidePanel(QWidget* client)
{
    picBox = Placed(new QWidget(client), "picBox", designed({9000, 120, 2535, 2775}));
    Label2 = Placed(new QLabel(picBox), "Label2", designed({120, 0, 1575, 255}));
    buildColorList(picBox);
}

// One row per colour: the tick, the swatch and the name, then the weight.
// The name is edited in place as it always was ("W=" and a number set the
// weight); the weight column takes a number of its own.
void Form1::buildColorList(QWidget* parent)
{
    theListView = Placed(new QTableWidget(kObjectCount, 2, parent), "theListView", designed({120, 240, 2295, 1455}));
    theListView->verticalHeader()->hide();
    theListView->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    theListView->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    theListView->horizontalHeader()->setHighlightSections(false);
    theListView->setShowGrid(false);
    theListView->setWordWrap(false);
    theListView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    theListView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    theListView->setSelectionMode(QAbstractItemView::SingleSelection);
    theListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    theListView->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::SelectedClicked);
    theListView->setItemDelegateForColumn(
        0, new ColorListDelegate(
               [this](int row, const QString& newString) { return theListView_AfterLabelEdit(row, newString); },
               [this](int row) { return QString::fromStdString(ColorEntryText(ColorObjects[At(row + 1)])); },
               theListView));
    theListView->setItemDelegateForColumn(
        1, new WeightDelegate([this](int row, const QString& typed) { setWeightText(row + 1, typed); },
                              theListView));
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
    picSideScroll = Placed(new PictureScroll(*picSide, client), "picSideScroll", designed({120, 2880, 5055, 2340}));
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
    connect(txtScaleUnit, &QLineEdit::textEdited, this, [this] {
        m_unit = txtScaleUnit->text().trimmed();
        markResultsOutOfDate(kChangedUnit);
    });
    for (QLineEdit* origin : {txtOriginX, txtOriginY})
        connect(origin, &QLineEdit::editingFinished, this, [this] { txtOrigin_Edited(); });
    connect(picSideView, &PictureView::mouseMoved, this, &Form1::picSide_MouseMove);
    connect(picSideView, &PictureView::mousePressed, this, &Form1::picSide_MouseDown);
    connect(picSideView, &PictureView::mouseReleased, this, &Form1::picSide_MouseUp);
    connect(picSideScroll, &PictureScroll::zoomChanged, this, [this] { showZoom(); });
}

void Form1::Form_Resize()
{
    placeControls();
}

} // namespace centrafix
