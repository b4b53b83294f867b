// The window's controls, made where the drawing put them (in twips); where
// they finally go is form1_fit.cpp's. Captions come from SwitchLanguage.

#include "form1.h"

#include "color_list_delegate.h"
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
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

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
    Label3 = label("Label3", {6840, 2160, 1215, 255});
    txtAltitude = field("txtAltitude", {8160, 2160, 735, 285});
    Label4 = label("Label4", {6840, 2520, 1215, 255});
    txtMach = field("txtMach", {8160, 2520, 735, 285});
}

// The panel on the right: the colour list, the tolerance and the language.
void Form1::buildSidePanel(QWidget* client)
{
    picBox = Placed(new QWidget(client), "picBox", designed({9000, 120, 2535, 2775}));
    Label2 = Placed(new QLabel(picBox), "Label2", designed({120, 0, 1575, 255}));
    theListView = Placed(new QListWidget(picBox), "theListView", designed({120, 240, 2295, 1455}));
    theListView->setSelectionMode(QAbstractItemView::SingleSelection);
    theListView->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::SelectedClicked);
    theListView->setItemDelegate(new ColorListDelegate(
        [this](int row, const QString& newString) { return theListView_AfterLabelEdit(row, newString); },
        theListView));
    // The swatch box: the size of every colour's icon in the list.
    const QRect swatch = designed({5760, 5880, 375, 255});
    picColor = QImage(swatch.size(), QImage::Format_RGB32);
    theListView->setIconSize(swatch.size());
    buildTickMenu();

    Label1 = Placed(new QLabel(picBox), "Label1", designed({120, 1800, 1575, 255}));
    txtTolerance = Placed(new QLineEdit(picBox), "txtTolerance", designed({1800, 1800, 615, 285}));
    txtTolerance->setText(QString::fromUtf8(defaults::kToleranceText));
    lblLanguage = Placed(new QLabel(picBox), "lblLanguage", designed({120, 2160, 1575, 255}));
    cbLanguage = Placed(new QComboBox(picBox), "cbLanguage", designed({120, 2400, 2295, 315}));
}

void Form1::buildPictureView(QWidget* client)
{
    picSideScroll = Placed(new PictureScroll(*picSide, client), "picSideScroll", designed({120, 2880, 5055, 2340}));
    picSideView = picSideScroll->view();
}

void Form1::buildStatusBar()
{
    // The progress bar belongs to the window, not to the client area, so that
    // it can lie over the status bar's second panel during a run.
    theProgressBar = Placed(new QProgressBar(this), "theProgressBar", designed({6360, 6600, 3375, 375}));
    theProgressBar->setTextVisible(false);
    theProgressBar->hide();

    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(std::max(twipsY(375), fontMetrics().height() + 8));
    // The window has always greeted in English; runs then report in the
    // language chosen.
    statusPanel1 = new QLabel(QString::fromUtf8(Tr(msg::Ready, kEnglish)), bar);
    statusPanel1->setObjectName(QStringLiteral("StatusBar1Panel1"));
    statusPanel2 = new QLabel(bar);
    statusPanel2->setObjectName(QStringLiteral("StatusBar1Panel2"));
    bar->addWidget(statusPanel1, 1);
    bar->addWidget(statusPanel2, 1);
}

void Form1::connectHandlers()
{
    connect(btnOpen, &QPushButton::clicked, this, [this] { btnOpen_Click(); });
    connect(btnAnalyze, &QPushButton::clicked, this, [this] { btnAnalyze_Click(); });
    connect(btnPaste, &QPushButton::clicked, this, [this] { btnPaste_Click(); });
    connect(btnCopy, &QPushButton::clicked, this, [this] { btnCopy_Click(); });
    connect(btnInvert, &QPushButton::clicked, this, [this] { btnInvert_Click(); });
    connect(btnCopyBitmap, &QPushButton::clicked, this, [this] { btnCopyBitmap_Click(); });
    connect(btnFlip, &QPushButton::clicked, this, [this] { btnFlip_Click(); });
    connect(cbLanguage, &QComboBox::currentIndexChanged, this, [this] { cbLanguage_Click(); });
    connect(theListView, &QListWidget::itemClicked, this, [this] { theListView_Click(); });
    connect(txtScale, &QLineEdit::textChanged, this, [this] { txtScale_Change(); });
    connect(chkAreaAC, &QCheckBox::stateChanged, this, [this] { showChoice(); });
    connect(chkAreaCG, &QCheckBox::stateChanged, this, [this] { showChoice(); });
    connect(picSideView, &PictureView::mouseMoved, this, &Form1::picSide_MouseMove);
    connect(picSideView, &PictureView::mousePressed, this, &Form1::picSide_MouseDown);
    connect(picSideScroll, &PictureScroll::zoomChanged, this, [this] { showZoom(); });
}

void Form1::Form_Resize()
{
    placeControls();
}

// During a run the progress bar lies over the status bar's second panel,
// inset as the drawing shows it.
void Form1::placeProgressOverPanel2()
{
    const QRect bar = statusBar()->geometry();
    const QRect panel = statusPanel2->geometry();
    const int insetX = twipsX(80);
    const int insetY = twipsY(80);
    theProgressBar->setGeometry(bar.x() + panel.x() + insetX, bar.y() + insetY,
                                panel.width() - 2 * insetX, bar.height() - 2 * insetY);
}

} // namespace centrafix
