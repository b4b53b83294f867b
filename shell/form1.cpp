#include "form1.h"

#include "color_list_delegate.h"
#include "picture_view.h"
#include "window_settings.h"
#include "window_texts.h"

#include "engine/analysis_run.h"
#include "engine/drag_report.h"
#include "engine/error.h"
#include "engine/eval_number.h"
#include "engine/number_text.h"
#include "engine/results_grid.h"
#include "picture/clipboard_picture.h"
#include "picture/picture_area.h"
#include "picture/picture_ops.h"
#include "picture/picture_source.h"
#include "picture/result_plot.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTableWidget>

#include <climits>
#include <new>

namespace centrafix {

namespace {

const QString kAppTitle = QStringLiteral("Centrafix");
constexpr int kEsc = 27;

std::size_t At(int i)
{
    return static_cast<std::size_t>(i);
}

QColor ToQColor(std::int32_t color)
{
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

} // namespace

// Connects one analysis run to the window: status bar, progress bar, the
// painted feedback on the display, the grid, the report and the clipboard.
class Form1::RunObserver final : public AnalysisObserver {
public:
    RunObserver(Form1& form, const AnalysisInputs& inputs)
        : m_form(form), m_inputs(inputs),
          m_feedback(static_cast<std::int64_t>(form.picBackBuffer->scaleWidth()) *
                         form.picBackBuffer->scaleHeight() <=
                     kFeedbackPixels)
    {
    }

    void statusChanged(const std::string& text) override { m_form.setStatus(text); }
    void progressChanged(std::int64_t value, std::int64_t maximum) override
    {
        m_form.setProgress(value, maximum);
    }
    void yieldToEvents() override { m_form.yieldToEvents(); }
    bool abortRequested() override { return m_form.AbortRequested; }
    // Painting every pass over the picture costs a pass of its own; on big
    // scans the whole run takes less time than that and the user would never
    // see the tint, so only pictures up to this size get it.
    static constexpr std::int64_t kFeedbackPixels = 4'000'000;
    bool wantsFeedback() const override { return m_feedback; }
    void passPainted(const PassFeedback& feedback) override
    {
        PaintPassFeedback(*m_form.picSide, feedback);
    }
    void displayRestored() override { m_form.showWorkingCopy(); }
    void loadingTableReady(const std::string& table) override
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(QString::fromStdString(table));
    }
    void ticksUpdated(const std::array<bool, 8>& found) override { m_form.setTicks(found); }
    void gridRowAppended(const std::string& rowText) override { m_form.appendGridRow(rowText); }
    void plotRequested(const ColorObjectTable& objects, const RunValues& values) override
    {
        PlotChoice choice;
        choice.showAC = m_form.chkAreaAC->checkState() != Qt::Unchecked;
        choice.showCG = m_form.chkAreaCG->checkState() != Qt::Unchecked;
        PlotResults(*m_form.picSide, objects, values, m_inputs.OriginX, m_inputs.OriginY, choice,
                    m_inputs.languageIndex);
    }
    void reportReady(const std::string& report) override { m_form.setReport(report); }

private:
    Form1& m_form;
    const AnalysisInputs& m_inputs;
    const bool m_feedback;
};

Form1::Form1(const QString& settingsFile, QWidget* parent)
    : QMainWindow(parent), m_settingsFile(settingsFile)
{
    setWindowTitle(kAppTitle);
    picSide = new PictureArea(this);
    picSide->setObjectName(QStringLiteral("picSide"));
    picBackBuffer = new PictureArea(this);
    picBackBuffer->setObjectName(QStringLiteral("picBackBuffer"));
    picBackBuffer->setPicture(ExamplePicture());
    buildWidgets();
    // Esc must reach Form_KeyPress whichever control has the focus, and must
    // still reach that control: an application filter sees the key first and
    // lets it pass.
    qApp->installEventFilter(this);
    Form_Load();
}

Form1::~Form1() = default;

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
    // The boxes were drawn for an 8-point font; a larger one clips the captions.
    QFont designFont = font();
    designFont.setPointSizeF(8.0);
    setFont(designFont);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Form1Client"));
    setCentralWidget(client);

    const auto place = [this](QWidget* widget, const char* name, const TwipsRect& r) {
        widget->setObjectName(QString::fromLatin1(name));
        widget->setGeometry(designed(r));
    };
    const auto button = [&](const char* name, const char* caption, const TwipsRect& r) {
        auto* b = new QPushButton(QString::fromUtf8(caption), client);
        place(b, name, r);
        return b;
    };
    const auto label = [&](QWidget* parent, const char* name, const char* caption,
                           const TwipsRect& r) {
        auto* l = new QLabel(QString::fromUtf8(caption), parent);
        place(l, name, r);
        return l;
    };
    const auto field = [&](QWidget* parent, const char* name, const TwipsRect& r) {
        auto* e = new QLineEdit(parent);
        place(e, name, r);
        return e;
    };

    btnOpen = button("btnOpen", "&Open...", {120, 120, 1455, 375});
    btnAnalyze = button("btnAnalyze", "&Analyze", {1680, 120, 1455, 375});
    btnPaste = button("btnPaste", "&Paste", {120, 600, 1455, 375});
    btnCopy = button("btnCopy", "&Copy Table", {1680, 600, 1455, 375});
    btnInvert = button("btnInvert", "Invert B/W", {120, 1080, 1455, 375});
    btnCopyBitmap = button("btnCopyBitmap", "Copy Bitmap", {1680, 1080, 1455, 375});
    btnFlip = button("btnFlip", "&Flip horz.", {120, 1560, 1455, 375});

    chkAreaAC = new QCheckBox(QStringLiteral("Show Area A.C."), client);
    place(chkAreaAC, "chkAreaAC", {120, 2040, 3015, 255});
    chkAreaCG = new QCheckBox(QStringLiteral("Show Area C.G."), client);
    place(chkAreaCG, "chkAreaCG", {120, 2280, 3015, 255});

    grdResults = new QTableWidget(client);
    place(grdResults, "grdResults", {3240, 120, 5655, 1575});
    grdResults->verticalHeader()->hide();
    grdResults->verticalHeader()->setMinimumSectionSize(0);
    grdResults->verticalHeader()->setDefaultSectionSize(twipsY(240)); // a grid row as designed
    grdResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdResults->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grdResults->setWordWrap(false);
    grdResults->horizontalHeader()->setHighlightSections(true);

    txtReport = new QPlainTextEdit(client);
    place(txtReport, "txtReport", {3240, 1800, 3615, 1005});
    txtReport->setLineWrapMode(QPlainTextEdit::NoWrap);

    lblScale = label(client, "lblScale", "Scale Factor:", {6840, 1800, 1215, 255});
    txtScale = field(client, "txtScale", {8160, 1800, 735, 285});
    Label3 = label(client, "Label3", "Altitude [m]:", {6840, 2160, 1215, 255});
    txtAltitude = field(client, "txtAltitude", {8160, 2160, 735, 285});
    Label4 = label(client, "Label4", "Mach number [-]:", {6840, 2520, 1215, 255});
    txtMach = field(client, "txtMach", {8160, 2520, 735, 285});

    picBox = new QWidget(client);
    place(picBox, "picBox", {9000, 120, 2535, 2775});
    Label2 = label(picBox, "Label2", "Recognized Colors:", {120, 0, 1575, 255});
    theListView = new QListWidget(picBox);
    place(theListView, "theListView", {120, 240, 2295, 1455});
    theListView->setSelectionMode(QAbstractItemView::SingleSelection);
    theListView->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::SelectedClicked);
    theListView->setItemDelegate(new ColorListDelegate(
        [this](int row, const QString& newString) { theListView_AfterLabelEdit(row, newString); },
        theListView));
    // The swatch box: the size of every colour's icon in the list.
    const QRect swatch = designed({5760, 5880, 375, 255});
    picColor = QImage(swatch.size(), QImage::Format_RGB32);
    theListView->setIconSize(swatch.size());

    Label1 = label(picBox, "Label1", "Tolerance:", {120, 1800, 1575, 255});
    txtTolerance = field(picBox, "txtTolerance", {1800, 1800, 615, 285});
    txtTolerance->setText(QStringLiteral("10"));
    lblLanguage = label(picBox, "lblLanguage", "Language:", {120, 2160, 1575, 255});
    cbLanguage = new QComboBox(picBox);
    place(cbLanguage, "cbLanguage", {120, 2400, 2295, 315});

    picSideScroll = new QScrollArea(client);
    place(picSideScroll, "picSideScroll", {120, 2880, 5055, 2340});
    picSideView = new PictureView(*picSide);
    picSideView->setObjectName(QStringLiteral("picSide"));
    picSideScroll->setWidget(picSideView);
    picSideScroll->setWidgetResizable(false);

    // The progress bar belongs to the window, not to the client area, so that
    // it can lie over the status bar's second panel during a run.
    theProgressBar = new QProgressBar(this);
    theProgressBar->setObjectName(QStringLiteral("theProgressBar"));
    theProgressBar->setGeometry(designed({6360, 6600, 3375, 375}));
    theProgressBar->setTextVisible(false);
    theProgressBar->hide();

    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(twipsY(375));
    statusPanel1 = new QLabel(QStringLiteral("Ready."), bar);
    statusPanel1->setObjectName(QStringLiteral("StatusBar1Panel1"));
    statusPanel2 = new QLabel(bar);
    statusPanel2->setObjectName(QStringLiteral("StatusBar1Panel2"));
    bar->addWidget(statusPanel1, 1);
    bar->addWidget(statusPanel2, 1);

    resize(twipsX(11715), twipsY(10200));

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
    connect(picSideView, &PictureView::mouseMoved, this, &Form1::picSide_MouseMove);
    connect(picSideView, &PictureView::mousePressed, this, &Form1::picSide_MouseDown);
}

// ---------------------------------------------------------------------------
// Small helpers of the handlers.

void Form1::setStatus(const QString& text)
{
    statusPanel1->setText(text);
}

void Form1::setStatus(const std::string& text)
{
    setStatus(QString::fromStdString(text));
}

std::string Form1::decimalSeparator() const
{
    return QLocale().decimalPoint().toStdString();
}

QString Form1::text(const Message& message) const
{
    return QString::fromUtf8(Tr(message, LanguageIndex));
}

void Form1::setBusy(bool busy)
{
    m_busy = busy;
    for (QWidget* w : {static_cast<QWidget*>(btnOpen), static_cast<QWidget*>(btnPaste),
                       static_cast<QWidget*>(btnFlip), static_cast<QWidget*>(btnInvert),
                       static_cast<QWidget*>(btnCopyBitmap), static_cast<QWidget*>(cbLanguage),
                       static_cast<QWidget*>(btnAnalyze)})
        w->setEnabled(!busy);
}

void Form1::tickAll()
{
    std::array<bool, 8> all{};
    all.fill(true);
    setTicks(all);
}

void Form1::setTicks(const std::array<bool, 8>& ticked)
{
    for (int i = 1; i <= kObjectCount && i <= theListView->count(); ++i)
        theListView->item(i - 1)->setCheckState(ticked[At(i)] ? Qt::Checked : Qt::Unchecked);
}

std::array<bool, 8> Form1::ticks() const
{
    std::array<bool, 8> ticked{};
    for (int i = 1; i <= kObjectCount && i <= theListView->count(); ++i)
        ticked[At(i)] = theListView->item(i - 1)->checkState() == Qt::Checked;
    return ticked;
}

void Form1::showWorkingCopy()
{
    picSide->setPicture(picBackBuffer->picture());
}

void Form1::setReport(const std::string& report)
{
    QString shown = QString::fromStdString(report);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtReport->setPlainText(shown);
}

void Form1::yieldToEvents()
{
    // The run stays on the user-interface thread like every other action, so
    // nothing can touch the colour table or the picture concurrently; letting
    // pending events through at the object boundaries is what repaints the
    // window and lets Esc (or a close) reach the run.
    QCoreApplication::processEvents();
}

void Form1::placeProgressOverPanel2()
{
    const QRect bar = statusBar()->geometry();
    const QRect panel = statusPanel2->geometry();
    const int insetX = twipsX(80);
    const int insetY = twipsY(80);
    theProgressBar->setGeometry(bar.x() + panel.x() + insetX, bar.y() + insetY,
                                panel.width() - 2 * insetX, bar.height() - 2 * insetY);
}

void Form1::setProgress(std::int64_t value, std::int64_t maximum)
{
    // A progress bar counts in int; a picture large enough to exceed that is
    // shown in proportion.
    if (maximum > INT_MAX) {
        const double k = static_cast<double>(INT_MAX) / static_cast<double>(maximum);
        value = static_cast<std::int64_t>(static_cast<double>(value) * k);
        maximum = INT_MAX;
    }
    theProgressBar->setMaximum(static_cast<int>(maximum));
    theProgressBar->setValue(static_cast<int>(value));
}

// ---------------------------------------------------------------------------
// Start-up, shutdown, layout, Esc.

void Form1::Form_Load()
{
    const std::unique_ptr<QSettings> store = OpenSettingsStore(m_settingsFile);
    {
        const QSignalBlocker quiet(cbLanguage);
        cbLanguage->clear();
        cbLanguage->addItem(QStringLiteral("Deutsch"));
        cbLanguage->addItem(QStringLiteral("English"));
        cbLanguage->setCurrentIndex(-1);
    }
    const StoredSettings stored = ReadStoredSettings(*store);
    for (int i = 1; i <= kObjectCount; ++i)
        ColorObjects[At(i)].Weight = stored.weights[At(i)];
    txtScale->setText(stored.scale);
    txtAltitude->setText(stored.altitude);
    txtMach->setText(stored.mach);
    LanguageIndex = stored.languageIndex;
    cbLanguage->setCurrentIndex(LanguageIndex - 1); // runs cbLanguage_Click
    SwitchLanguage();
    theProgressBar->hide();
    txtReport->show();
    OriginX = OriginY = OriginColumn = OriginRow = 0.0;
    tickAll();
}

void Form1::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    StoredSettings values;
    values.languageIndex = LanguageIndex;
    values.scale = txtScale->text();
    values.mach = txtMach->text();
    values.altitude = txtAltitude->text();
    for (int i = 1; i <= kObjectCount; ++i)
        values.weights[At(i)] = ColorObjects[At(i)].Weight;
    const std::unique_ptr<QSettings> store = OpenSettingsStore(m_settingsFile);
    // The program's own file; this system's executables have no ".exe".
    WriteStoredSettings(*store, values, QCoreApplication::applicationFilePath());
}

void Form1::Form_Resize()
{
    const double dpi = logicalDpiX();
    const ResizePlan plan = PlanResize(PixelsToTwips(width(), dpi),
                                       PixelsToTwips(picBox->width(), dpi),
                                       PixelsToTwips(grdResults->x(), dpi));
    picBox->move(picBox->x(), twipsY(plan.picBoxTop));
    if (plan.picBoxLeft)
        picBox->move(twipsX(*plan.picBoxLeft), picBox->y());
    if (plan.gridWidth)
        grdResults->resize(twipsX(*plan.gridWidth), grdResults->height());
}

void Form1::Form_KeyPress(int KeyAscii)
{
    if (KeyAscii != kEsc)
        return;
    AbortRequested = true;
    setStatus(text(msg::Aborting));
    QCoreApplication::processEvents();
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (m_busy) {
        // The run (or the invert pass) still holds the picture; it ends at its
        // next boundary and closes the window then.
        if (m_running)
            AbortRequested = true;
        m_closePending = true;
        event->ignore();
        return;
    }
    Form_Unload();
    QMainWindow::closeEvent(event);
}

void Form1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        auto* widget = static_cast<QWidget*>(watched);
        // A key the focus widget ignores climbs to its parents and passes this
        // filter again; only its first delivery counts.
        QWidget* focus = QApplication::focusWidget();
        const bool first = widget == focus || (focus == nullptr && widget == this);
        if (first && widget->window() == this)
            Form_KeyPress(kEsc);
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Language, colour list, results grid.

void Form1::cbLanguage_Click()
{
    if (cbLanguage->currentIndex() < 0)
        return;
    LanguageIndex = cbLanguage->currentIndex() + 1;
    SwitchLanguage();
}

void Form1::SwitchLanguage()
{
    btnOpen->setText(text(msg::Open));
    btnPaste->setText(text(msg::Paste));
    btnAnalyze->setText(text(msg::Analyze));
    btnCopy->setText(text(msg::CopyTable));
    btnFlip->setText(text(msg::FlipHorz));
    btnInvert->setText(text(msg::InvertBW));
    chkAreaAC->setText(text(msg::ShowAreaAC));
    chkAreaCG->setText(text(msg::ShowAreaCG));
    lblScale->setText(text(msg::ScaleFactorCaption));
    Label1->setText(text(msg::ToleranceCaption));
    Label2->setText(text(msg::ColorsCaption));
    lblLanguage->setText(text(msg::LanguageCaption));
    AssignColorsAndNames(ColorObjects, LanguageIndex);
    SetupGrid();
    showWorkingCopy();
    rebuildColorList();
    theListView->setCurrentRow(0);
}

void Form1::rebuildColorList()
{
    theListView->clear();
    for (int i = 1; i <= kObjectCount; ++i) {
        const ColorObject& object = ColorObjects[At(i)];
        picColor.fill(ToQColor(object.Color));
        auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(picColor)),
                                         QString::fromStdString(ColorEntryText(object)),
                                         theListView);
        item->setData(Qt::UserRole, QString::fromStdString(object.Name));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable |
                       Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void Form1::theListView_AfterLabelEdit(int editedRow, const QString& NewString)
{
    const std::optional<double> weight = WeightFromEditedText(NewString.toStdString());
    if (!weight)
        return;
    // The colour is found by the entry's text from before the edit. Without a
    // selection the edited entry stands in for it.
    const QList<QListWidgetItem*> selected = theListView->selectedItems();
    const QListWidgetItem* entry = selected.isEmpty() ? theListView->item(editedRow) : selected.first();
    if (entry == nullptr)
        return;
    const int i = FindColorEntry(entry->text().toStdString(), ColorObjects);
    if (i > 0)
        ColorObjects[At(i)].Weight = *weight;
}

void Form1::theListView_Click()
{
    const QList<QListWidgetItem*> selected = theListView->selectedItems();
    if (selected.isEmpty())
        return;
    const int i = FindColorEntry(selected.first()->text().toStdString(), ColorObjects);
    if (i > 0)
        setStatus(ColorReadout(ColorObjects[At(i)]));
}

void Form1::SetupGrid()
{
    grdResults->clear();
    grdResults->setRowCount(0);
    grdResults->setColumnCount(kGridColumns);
    grdResults->setHorizontalHeaderLabels(
        QString::fromStdString(GridHeaderText(LanguageIndex)).split('\t'));
    grdResults->clearSelection();
    grdResults->resizeColumnsToContents();
}

void Form1::appendGridRow(const std::string& rowText)
{
    const QStringList cells = QString::fromStdString(rowText).split('\t');
    const int row = grdResults->rowCount();
    grdResults->insertRow(row);
    for (int c = 0; c < kGridColumns; ++c) {
        auto* item = new QTableWidgetItem(c < cells.size() ? cells[c] : QString());
        if (c == 0) {
            // The name column is the grid's fixed column: styled like the header.
            item->setBackground(palette().button());
        } else {
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        grdResults->setItem(row, c, item);
    }
    grdResults->resizeColumnsToContents();
}

void Form1::btnCopy_Click()
{
    const int rows = grdResults->rowCount();
    const int columns = grdResults->columnCount();
    grdResults->clearSelection();
    if (rows > 0)
        grdResults->setRangeSelected(QTableWidgetSelectionRange(0, 0, rows - 1, columns - 1), true);

    QStringList titles;
    for (int c = 0; c < columns; ++c) {
        const QTableWidgetItem* title = grdResults->horizontalHeaderItem(c);
        titles << (title ? title->text() : QString());
    }
    std::vector<std::string> lines;
    for (int r = 0; r < rows; ++r) {
        QStringList cells;
        for (int c = 0; c < columns; ++c) {
            const QTableWidgetItem* cell = grdResults->item(r, c);
            cells << (cell ? cell->text() : QString());
        }
        lines.push_back(cells.join('\t').toStdString());
    }
    const std::string table = CopyTableText(titles.join('\t').toStdString(), lines);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(QString::fromStdString(table));
}

// ---------------------------------------------------------------------------
// The analysis.

void Form1::btnAnalyze_Click()
{
    if (m_busy)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    btnAnalyze->setEnabled(false);
    AbortRequested = false;

    AnalysisInputs inputs;
    inputs.toleranceText = txtTolerance->text().toStdString();
    inputs.scaleText = txtScale->text().toStdString();
    inputs.altitudeText = txtAltitude->text().toStdString();
    inputs.machText = txtMach->text().toStdString();
    inputs.languageIndex = LanguageIndex;
    inputs.decimalSeparator = decimalSeparator();
    const Result<RunSetup> prepared = PrepareRun(inputs);
    if (!prepared) {
        // A run needs both numbers; without them it changes nothing at all.
        QApplication::restoreOverrideCursor();
        btnAnalyze->setEnabled(true);
        showMessage(QMessageBox::Warning, QString::fromStdString(ErrorText(prepared.error(), LanguageIndex)));
        return;
    }
    const RunSetup& setup = *prepared;

    m_running = true;
    setBusy(true);
    txtReport->clear();
    showWorkingCopy();
    picSide->setAutoRedraw(false);
    txtReport->hide();
    setProgress(0, ProgressMaximum(picBackBuffer->scaleWidth(), picBackBuffer->scaleHeight()));
    placeProgressOverPanel2();
    theProgressBar->show();
    theProgressBar->raise();
    SetupGrid();
    if (setup.scaleReplaced)
        txtScale->setText(QStringLiteral("1")); // rescales the origin, as typing "1" would
    picSide->ForeColor = Rgb(255, 255, 255);

    // The origin and the ticks as they are now: the run works with one
    // consistent set, even if the user moves the origin while it yields.
    inputs.OriginX = OriginX;
    inputs.OriginY = OriginY;
    inputs.OriginRow = OriginRow;
    inputs.ticked = ticks();

    // The shared image keeps the raster alive and unchanged for the run.
    const QImage working = picBackBuffer->picture();
    RunObserver observer(*this, inputs);
    try {
        AnalysisResult result =
            RunAnalysis(RasterViewOf(working), ColorObjects, setup, inputs, observer);
        picQuarterChord = std::move(result.values.marks);
    } catch (const std::bad_alloc&) {
        // A picture near the size limit on a machine short of memory: the
        // window stays, with what the run had shown so far.
        setStatus(text(msg::Ready));
        showMessage(QMessageBox::Warning,
                    LanguageIndex == kEnglish
                        ? QStringLiteral("Not enough memory to analyse this picture.")
                        : QStringLiteral("Nicht genug Speicher, um dieses Bild zu analysieren."));
    }
    // The last pass's tint was transient; the display now shows the picture
    // with what the plot put into it.
    picSide->refresh();

    btnAnalyze->setEnabled(true);
    QApplication::restoreOverrideCursor();
    theProgressBar->setValue(0);
    theProgressBar->hide();
    txtReport->show();
    setBusy(false);
    m_running = false;
    if (m_closePending) {
        m_closePending = false;
        close();
    }
}

// ---------------------------------------------------------------------------
// Picture sources and operations.

QString Form1::chooseOpenFile(const QString& filter)
{
    return QFileDialog::getOpenFileName(this, QString(), QString(), filter);
}

void Form1::showMessage(QMessageBox::Icon icon, const QString& message)
{
    QMessageBox box(icon, kAppTitle, message, QMessageBox::Ok, this);
    box.exec();
}

void Form1::btnOpen_Click()
{
    openPictureFile(chooseOpenFile(QtFileFilter(std::string(Tr(msg::FileFilter, LanguageIndex)), LanguageIndex)));
}

void Form1::openPictureFile(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    const PictureLoad load = LoadPictureFile(path);
    if (!load.ok()) {
        showMessage(QMessageBox::Warning, QString::fromStdString(ErrorText(load.error(), LanguageIndex)));
        return;
    }
    picBackBuffer->setPicture(*load);
    showWorkingCopy();
    tickAll();
    setReport(PictureSizeText(picSide->scaleWidth(), picSide->scaleHeight(), LanguageIndex));
}

void Form1::btnPaste_Click()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const PictureLoad load = PictureFromMimeData(data);
    if (!load.ok()) {
        // An image that cannot be taken (too large) deserves its own reason
        // rather than the claim that there is none.
        const bool offersImage = data != nullptr && data->hasImage();
        showMessage(QMessageBox::Warning, offersImage ? QString::fromStdString(ErrorText(load.error(), LanguageIndex))
                                                      : text(msg::NoClipboardBitmap));
        return;
    }
    picBackBuffer->setPicture(*load);
    showWorkingCopy();
    tickAll();
}

void Form1::btnFlip_Click()
{
    FlipPicture(*picSide, *picBackBuffer);
    picSide->setAutoRedraw(false);
}

void Form1::btnInvert_Click()
{
    if (m_busy)
        return;
    const Result<double> tolerance = EvalNumber(txtTolerance->text().toStdString(), Field::Tolerance);
    if (!tolerance) {
        showMessage(QMessageBox::Warning, QString::fromStdString(ErrorText(tolerance.error(), LanguageIndex)));
        return;
    }
    setBusy(true);
    InvertBlackWhite(*picSide, *picBackBuffer, *tolerance, [this] { yieldToEvents(); });
    picSide->setAutoRedraw(false);
    setBusy(false);
    if (m_closePending) {
        m_closePending = false;
        close();
    }
}

void Form1::btnCopyBitmap_Click()
{
    // Before the first analysis there are no marks: an empty canvas leaves the
    // picture as it is.
    const QImage bitmap = CopyBitmap(*picSide, QuarterChordImage(picQuarterChord));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(bitmap);
}

// ---------------------------------------------------------------------------
// Pointer read-outs, origin and scale.

void Form1::picSide_MouseMove(int /*Button*/, int /*Shift*/, float X, float Y)
{
    const Result<double> scale = EvalNumber(txtScale->text().toStdString(), Field::ScaleFactor);
    const float s = scale ? static_cast<float>(*scale) : 0.0f;
    if (s == 0.0f) {
        setStatus(ScaleProblemText(txtScale->text(), LanguageIndex));
        return;
    }
    setStatus(PointerReadout(s, X, Y, OriginX, OriginY, decimalSeparator()));
}

void Form1::picSide_MouseDown(int Button, int /*Shift*/, float X, float Y)
{
    const Result<double> scale = EvalNumber(txtScale->text().toStdString(), Field::ScaleFactor);
    if (!scale || *scale == 0.0) {
        // Without a usable factor there is no scaled position to show, and an
        // origin placed with it could not be drawn or rescaled.
        setStatus(ScaleProblemText(txtScale->text(), LanguageIndex));
        return;
    }
    const double s = *scale;
    const std::int32_t c = picSide->point(X, Y);
    setStatus(ClickReadout(s, X, Y, OriginX, OriginY, c, decimalSeparator()));
    if (Button != 2)
        return;
    OriginColumn = X;
    OriginRow = Y;
    OriginX = static_cast<double>(X) * s;
    OriginY = static_cast<double>(Y) * s;
    picSide->refresh();
    DrawOrigin(*picSide, OriginX, OriginY, s);
}

void Form1::txtScale_Change()
{
    // Partial input is never evaluated: "1/" on the way to "1/50" is no error.
    const double v = LeadingNumber(txtScale->text().toStdString());
    OriginX = v * OriginColumn;
    OriginY = v * OriginRow;
}

} // namespace centrafix
