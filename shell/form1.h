#pragma once

#include "document/document.h"
#include "document/picture_history.h"
#include "engine/color_object.h"
#include "engine/drag_report.h"
#include "engine/error.h"
#include "engine/quarter_chord_marks.h"
#include "engine/run_types.h"
#include "engine/run_weighing.h"
#include "engine/string_table.h"
#include "picture/edits/paint_fill.h"
#include "picture/formats/plan_document.h"
#include "picture/report/report_content.h"
#include "picture_pass.h"
#include "twips.h"
#include "zoom.h"

#include <QImage>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointF>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidgetItem;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSplitter;
class QTableWidget;
class QDragEnterEvent;
class QDropEvent;
class QTranslator;
class QMenu;
class QTabWidget;

namespace centrafix {

class AnalysisSession;
class BalancePanel;
class MassPanel;
class LoadingChartWindow;
class FrozenColumnGrid;
class PictureArea;
class PictureScroll;
class PictureView;
struct PlotChoice;
struct PanelSizes;
struct PlotItem;
struct RunSetup;
struct WindowMenus;

// The program's one window, a view of a Document: it owns every control, the
// language and the picture areas, and forwards the user's edits (fields,
// unit, origin, weights, ticks) to the document, which prepares each run; the
// analysis (with its abort request) is an AnalysisSession it owns. Every command is one QAction, shared by its menu item, its key and its
// button; what the window is doing (its Activity) decides which of them are
// offered, in updateActions() alone. The analysis and the long picture passes
// run on a worker thread and report back by queued signals; while they hold the
// working copy, the commands that would change the picture under it are off.
//
// The handlers keep the established names of the controls and events they
// belong to, so the window reads the same as its description. The controls are
// made and put into their panels in form1_layout.cpp and sized in
// form1_fit.cpp, the commands and menus are in form1_actions.cpp, the run in
// form1_run.cpp, the colour list and the results grid in form1_results.cpp, the picture sources, the save dialogs and the
// marks over the picture in form1_files.cpp, the origin's fields in
// form1_fields.cpp.
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    // settingsFile empty: the user's own settings store; otherwise an INI file
    // (tests run against a store of their own).
    explicit Form1(const QString& settingsFile = {}, QWidget* parent = nullptr);
    ~Form1() override;

    // Handlers.
    void Form_Load();
    void Form_Unload();
    void Form_KeyPress(int KeyAscii);
    void cbLanguage_Click();
    void SwitchLanguage();
    void SetupGrid();
    void btnAnalyze_Click();
    void btnCopy_Click();
    void btnOpen_Click();
    void btnPaste_Click();
    void btnFlip_Click();
    void btnInvert_Click();
    void btnCopyBitmap_Click();
    // The Picture menu's measuring tools (form1_tools.cpp): the scale line
    // mode, which the next left drag on the picture ends, and Clean up
    // colours, which asks its threshold.
    void startScaleLine();
    void btnCleanUp_Click();
    // The entry's name edited in place: "W=" and a number set the weight
    // (false when that number is refused). Afterwards the entry shows the
    // colour's name and weight again, whatever was typed; an edit that set no
    // weight says in the status bar how to set one.
    bool theListView_AfterLabelEdit(int editedRow, const QString& NewString);
    void theListView_Click();
    void picSide_MouseMove(int Button, int Shift, float X, float Y);
    void picSide_MouseDown(int Button, int Shift, float X, float Y);
    void picSide_MouseUp(int Button, int Shift, float X, float Y);
    void txtScale_Change();
    // The unit's name typed: the report names it.
    void txtScaleUnit_Change();
    // The weight column of the colour list: a number typed for colour i (1 to
    // 7); refused with the field's message when it is none.
    void setWeightText(int i, const QString& typed);
    // The origin fields: a position typed in scaled units moves the origin as
    // a right click there would; a text that is no number is refused.
    void txtOrigin_Edited();

    // Opens a picture file as the working copy; what btnOpen_Click does with
    // the name the dialog returns. A name that is no file changes nothing.
    // A PDF or SVG plan is drawn at the page and resolution the user picks.
    void openPictureFile(const QString& path);
    // The project file (form1_project.cpp): Save project (to the file it
    // came from or was last saved to, else as Save project as...), and
    // opening one, which restores every value it keeps. Each says whether
    // it was done.
    bool saveProject();
    bool saveProjectAs();
    // Unsaved changes about to be lost: save them, let them go, or stay.
    enum class SaveChoice { Save, Discard, Cancel };
    void openProject(const QString& path);
    // Whether something a project keeps has changed since it was opened or
    // saved (or since the picture was opened or pasted).
    bool hasUnsavedChanges() const;
    const QString& projectPath() const { return m_projectPath; }
    const QStringList& recentFiles() const { return m_recentFiles; }

    // The menu's "Save results..." and "Save picture...".
    void saveResults();
    void savePicture();
    // The View menu's loading chart, and saving it as PNG or SVG.
    void showLoadingChart();
    // Help: the user guide in the browser, and what the program is made of.
    void showUserGuide();
    void showAbout();
    void saveChart();
    // File › Print... and Export PDF... (form1_report.cpp): the last run's
    // report, page 1 and the planform at true size.
    void printReport();
    void exportPdf();
    // What the report shows of the last run, in the window's language.
    ReportContent reportContent();

    // State, for whoever needs to look (tests, the program's caller).
    const ColorObjectTable& colorObjects() const { return m_document.colorObjects(); }
    int languageIndex() const { return LanguageIndex; }
    bool abortRequested() const;
    double originX() const { return m_document.origin().x; }
    double originY() const { return m_document.origin().y; }
    double originColumn() const { return m_document.origin().column; }
    double originRow() const { return m_document.origin().row; }
    bool isRunning() const;
    // An analysis or a picture pass is going; workEnded() follows.
    bool isBusy() const { return m_activity == Activity::Busy || m_activity == Activity::BusyThenClose; }
    bool drawingScaleLine() const { return m_activity == Activity::ScaleLine; }

    // The results shown (grid, report, loading chart, marks) were made from
    // inputs that have changed since (the document says which). They stay,
    // for the exports, marked as out of date until the next run.
    bool resultsOutOfDate() const { return m_document.outOfDate(); }

signals:
    // A run or a picture pass has ended and the window takes every input again.
    void workEnded();

protected:
    // Seams for tests: a message box and a file dialog block until a person
    // answers them.
    virtual void showMessage(QMessageBox::Icon icon, const QString& text);
    // Asks which page of a plan, at what resolution; nothing when the user
    // cancels or the plan cannot be read (then said so).
    std::optional<PlanPageChoice> choosePlanPage(const QString& path);
    virtual QString chooseOpenFile(const QString& filter, const QString& selectedFilter, const QString& folder);
    // The save dialog: the chosen name, and in `selectedFilter` the filter
    // it was chosen with. Empty when the user cancels.
    // `suggested` is the name offered, in the folder to start in.
    virtual QString chooseSaveFile(const QString& filter, QString& selectedFilter, const QString& suggested);
    // A question answered yes or no; no is the answer that changes nothing.
    virtual bool askYesNo(const QString& question);
    virtual SaveChoice askSaveChanges(const QString& question);

    // A file to save into, one filter per kind (its text, its extension). The
    // kind is the one the name's extension names, else the chosen filter's; a
    // name without extension gets that kind's. An empty path when cancelled.
    struct SaveKind {
        QString filter;
        QString extension;
    };
    struct SavePath {
        QString path;
        std::size_t kind = 0;
    };
    // `ending` follows the picture's name in the name offered ("-chart");
    // the first kind's extension ends it.
    SavePath askSavePath(const std::vector<SaveKind>& kinds, const QString& ending = {});

    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The controls and their panels (form1_layout.cpp).
    void buildWidgets();
    void buildButtons(QWidget* client);
    void buildResultViews(QWidget* client);
    void buildFields(QWidget* client);
    void buildColorPanel(QWidget* client);
    void buildColorList(QWidget* parent);
    void buildPictureView(QWidget* client);
    void buildStatusBar();
    QWidget* buildSidePanel();
    void buildPanels(QWidget* client);
    void connectHandlers();
    QRect designed(const TwipsRect& r) const;
    int twipsX(double twips) const;
    int twipsY(double twips) const;
    // What they need (form1_fit.cpp).
    void measureNeeds();
    void measureColorList();
    void setMinimumSizes();
    int reportMinimumHeight() const;
    void setPanelSizes(const PanelSizes& kept);
    PanelSizes panelSizes() const;
    QSize defaultSize() const;
    // Moves and shrinks the window so that all of it lies on the screen it is
    // on, as far as its smallest size allows.
    void keepOnScreen();
    // Commands, menus and tooltips (form1_actions.cpp).
    void buildMenus();
    void setMenuTexts();
    void setToolTips();
    void syncMenuChecks();
    // Every command's enabled state, from the Activity and what the window
    // holds; called whenever either changes.
    void updateActions();

    // The run (form1_run.cpp).
    void connectRun();
    void setWaiting(bool waiting);
    void showRunStarting(const RunSetup& setup);
    void runEnded();
    void showRunOver();
    void setProgress(std::int64_t value, std::int64_t maximum);

    // Colour list and results (form1_results.cpp).
    void tickAll();
    void setTicks(const std::array<bool, 8>& ticked);
    std::array<bool, 8> ticks() const;
    void rebuildColorList();
    void fillColorList(const ColorObjectTable& objects, int languageIndex);
    QTableWidgetItem* colorEntry(int i) const;
    void showColorEntry(int i);
    void showOrigin();
    std::optional<Error> applyOriginFields();
    void appendGridRow(const GridRow& row);
    void setReport(const QString& report);
    void setReport(const std::string& report);
    void showReport();
    void setTranslation();
    void buildTickMenu();
    void showGridHeader();
    void showGrid();
    void translateLastRun();

    // What the shown results and ticks still owe to the inputs
    // (form1_freshness.cpp): out-of-date marks, and the colours a run
    // unticked because it did not find them.
    void connectFreshness();
    void showOutOfDate();
    void clearOutOfDate();
    void showInputsChanged();
    QString withRunInputs(const std::string& said) const;
    void pictureChanged();
    void takeRunOutcome(std::optional<LastRun> completed);
    void showTicks();
    void showFoundMarks();
    void theListView_ItemCheck();
    void userSetTicks(const std::array<bool, 8>& ticked);

    void setStatus(const QString& text);
    void setStatus(const std::string& text);
    std::string decimalSeparator() const;
    QString text(const Message& message) const;
    void showError(const Error& error);
    // A file not written: said in a message box and left in the status bar,
    // where it stays after the box is gone.
    void showFailure(const Error& error);
    // Runs a picture operation; when memory runs out it says so instead.
    void withMemory(const std::function<void()>& action);
    void setBusy(bool busy);
    void endBusy();
    void showWorkingCopy();
    // `step` names the change for undo; none for a picture that undo or
    // redo itself brings back.
    void takePicture(const QImage& picture, const QString& name, const QString& path, bool pasted, const Message* step);
    PictureIdentity pictureIdentity() const;
    void recordPictureChange(const QImage& before, const PictureIdentity& beforeIdentity, const Message& what);
    void stepPicture(bool back);
    void updateUndoActions();
    void saveWorkingPicture();
    // Marks over the picture, the table as text (form1_files.cpp).
    void showPlot(const ColorObjectTable& objects, const RunValues& values, const AnalysisInputs& inputs);
    PlotChoice plotChoice() const;
    void showChoice();
    // The picture with the marks drawn into it, as the bitmap copy and the
    // saved picture have it.
    QImage annotatedPicture();
    QString tableText() const;
    QString suggestedSaveName(const QString& ending, const QString& extension) const;
    bool mayReplace(const QString& path);
    void showZoom();
    void showTitle();
    // The project file (form1_project.cpp).
    bool writeProject(const QString& path);
    bool mayDiscardChanges();
    void markSaved(const QString& projectPath);
    void showModified();
    void showDocumentValues();
    void openRecent(const QString& path);
    void rememberRecent(const QString& path);
    void showRecentFiles();
    // The scale line (form1_tools.cpp).
    void beginScaleLine(float X, float Y);
    void moveScaleLine(float X, float Y);
    void endScaleLine(float X, float Y);
    void leaveScaleLine();
    void cancelScaleLine();
    QPoint linePixel(float X, float Y) const;
    QString linePixelsText(double pixels) const;
    // Invert B/W and Clean up on the worker (form1_tools.cpp); `said` gives
    // the status text from the count of pixels changed.
    void runPicturePass(PicturePass::Work work, const Message& what,
                        const std::function<void(std::int64_t changed)>& said = {});
    // The loading chart's window (form1_chart.cpp).
    void buildLoadingChart();
    // The balance (form1_balance.cpp): its panel beside the report, the
    // roles in the colour list's menu, its marks over the picture and their
    // switch in the View menu.
    void buildBalance();
    QWidget* buildReportTabs();
    void setBalanceTexts();
    void setBalanceSettings(const aero::BalanceSettings& settings);
    void showRoles(int languageIndex);
    void setRoleOfCurrent(aero::SurfaceRole role);
    void showRoleChecks();
    void showBalanceResults();
    void showBalanceMarks();
    void drawBalanceInto(QImage& picture) const;
    // The weight and balance: the mass list and the advice's choice into the
    // document (they never make the results out of date), the panel shown
    // from the document, and the x of an item placed by a click.
    void setMassItems(const aero::MassList& items, const aero::AdviceChoice& choice);
    void showMassItems();
    void placeMassAt(float X);
    std::optional<WeighedRun> weighedRun() const;

    // Controls (owned by their Qt parents).
    QPushButton* btnOpen = nullptr;
    QPushButton* btnAnalyze = nullptr;
    QPushButton* btnPaste = nullptr;
    QPushButton* btnCopy = nullptr;
    QPushButton* btnInvert = nullptr;
    QPushButton* btnCopyBitmap = nullptr;
    QPushButton* btnFlip = nullptr;
    QCheckBox* chkAreaAC = nullptr;
    QCheckBox* chkAreaCG = nullptr;
    FrozenColumnGrid* grdResults = nullptr;
    QPlainTextEdit* txtReport = nullptr;
    QLabel* lblScale = nullptr;
    QLineEdit* txtScale = nullptr;
    QLabel* lblScaleUnit = nullptr;
    QLineEdit* txtScaleUnit = nullptr;
    QLabel* lblOrigin = nullptr;
    QLineEdit* txtOriginX = nullptr;
    QLineEdit* txtOriginY = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtAltitude = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtMach = nullptr;
    QWidget* picBox = nullptr;
    QLabel* Label2 = nullptr;
    QTableWidget* theListView = nullptr; // the colour list: name (with the tick) and weight
    QLabel* Label1 = nullptr;
    QLineEdit* txtTolerance = nullptr;
    QLabel* lblLanguage = nullptr;
    QComboBox* cbLanguage = nullptr;
    PictureScroll* picSideScroll = nullptr;
    // The dividers: picture | side panel, above | results, grid | report.
    QSplitter* m_pictureSplit = nullptr;
    QSplitter* m_mainSplit = nullptr;
    QSplitter* m_resultsSplit = nullptr;
    PictureView* picSideView = nullptr;
    QProgressBar* theProgressBar = nullptr;
    QLabel* statusPanel1 = nullptr;
    QLabel* statusPanel2 = nullptr;
    QLabel* statusOutOfDate = nullptr; // shown while the results are out of date

    // Picture areas: the display, the working copy the analysis reads, the
    // last run's quarter-chord canvas (kept as marks, a quarter of the size of
    // an image, and drawn only when the bitmap is copied) and the swatch maker
    // of the colour list.
    PictureArea* picSide = nullptr;
    PictureArea* picBackBuffer = nullptr;
    QuarterChordMarks picQuarterChord;
    QImage picColor;

    AnalysisSession* m_run = nullptr;            // owned by the window
    PicturePass* m_pass = nullptr;               // owned by the window
    LoadingChartWindow* m_chartWindow = nullptr; // a window of its own, the main window its parent
    std::unique_ptr<WindowMenus> m_menus;        // its actions are the window's children
    QAction* actTickAll = nullptr;
    QAction* actUntickAll = nullptr;
    BalancePanel* m_balancePanel = nullptr;
    MassPanel* m_massPanel = nullptr;
    int m_placeRow = -1; // the item whose x the next click sets (PlanTool::PlaceMass)
    QTabWidget* m_reportTabs = nullptr; // the report and the balance panel
    QAction* actShowBalance = nullptr;  // the View menu's switch of the balance marks
    QAction* actRole = nullptr;         // the colour list's Role submenu
    QMenu* m_roleMenu = nullptr;
    QTranslator* m_qtTranslator = nullptr; // Qt's own texts (dialog buttons) in German

    // What the report shows, kept as values so that a language switch can
    // write it again in the other language: nothing, the picture's size, or
    // the size line and the drag estimate of the last completed run.
    struct ReportSource {
        int width = 0;
        int height = 0;
        std::optional<double> ScaleFactor; // set after a run
        std::optional<DragEstimate> drag;
        std::string unit; // as the run had it
        std::optional<MatchCount> matches;
        std::optional<aero::Balance> balance; // or why none (noBalance)
        const Message* noBalance = nullptr;
    };
    std::optional<ReportSource> m_report;

    // The piece of work shown: the picture's name, the fields a run reads,
    // the unit, the origin, the colour table with its weights and ticks, the
    // last completed run (for "Save results...", gone with the grid it
    // filled), what changed since, and the colours it did not find. The
    // window forwards every edit to it and prepares its runs there. The
    // working copy itself stays in picBackBuffer, held once.
    Document m_document;
    PictureHistory m_history;

    // The last run's plot as marks, for the bitmap copy; the view shows them.
    std::vector<PlotItem> m_plot;
    bool m_hasPlot = false;
    std::optional<QPointF> m_originMark; // the origin's pixel, once it is shown
    std::optional<QPointF> m_plotOrigin; // the origin the marks were measured from

    std::array<bool, 8> m_ticksShown{}; // what the colour list showed last, to tell the user's ticks

    // What the captions need, measured in both languages (form1_fit.cpp).
    struct Needs {
        int button = 0;
        int check = 0;
        int label = 0;
        int report = 0;
        int gridHeight = 0;
        int gridFull = 0;
        int panel = 0;
        int unitLabel = 0;
        QSize colorList;
    } m_needs;

    // The project the window shows (empty: none yet), the document's revision
    // when it was last saved or opened, and the files opened or saved last,
    // newest first.
    QString m_projectPath;
    std::uint64_t m_savedRevision = 0;
    QStringList m_recentFiles;
    QMenu* m_recentMenu = nullptr;

    QString m_lastFolder;                // where the open dialog was last used
    QString m_saveFolder;                // where the save dialog was last used
    std::optional<ZoomMode> m_startZoom; // as kept from the last session
    bool m_zoomChosen = false;

    // The scale line: drawn while the Activity is ScaleLine, from the menu
    // until the line is done or cancelled; the drag runs from its first pixel
    // to the one now under the pointer.
    std::optional<QPoint> m_lineStart;
    QPoint m_lineEnd;
    bool m_unitGiven = false;                  // a unit (even "") was given: the settings keep it
    std::optional<QString> m_cleanUpThreshold; // as last typed

    // Window state.
    int LanguageIndex = kGerman;

    QString m_settingsFile;
    bool m_escBeforeRun = false; // Esc came while the Analyze key's click was on its way
    QString m_runNotice;         // said in the status bar when the run is over

    // What the window is doing. One value rather than a flag each, so that no
    // two can contradict each other (a scale line drawn during a run, a close
    // waiting with nothing to wait for).
    enum class Activity {
        Idle,
        ScaleLine,     // the next left drag on the picture draws the scale line
        PlanTool,      // the next left clicks on the picture go to m_planTool
        Busy,          // an analysis or a picture pass holds the working copy
        BusyThenClose, // the same, and the window closes when it ends
        Closed,        // the settings are written; the window is done
    };
    Activity m_activity = Activity::Idle;

    // The plan tools: which one takes the clicks on the picture, the points
    // clicked so far, and what the fill and the colour mapping go by.
    enum class PlanTool { Fill, Map, Straighten, Level, Mirror, Crop, PlaceMass };
    std::optional<PlanTool> m_planTool;
    std::vector<QPointF> m_toolPoints;
    FillSettings m_fillSettings;
    double m_mapTolerance = defaults::kMapTolerance;
    std::optional<Paper> m_paper; // the report's, once chosen; none: the locale's
    int m_mapTarget = 0;
    void startPlanTool(PlanTool tool);
    void leavePlanTool();
    void showPlanToolHint();
    void planToolClick(float X, float Y);
    void planToolRelease(float X, float Y);
    void fillAt(QPoint seed);
    void mapAt(QPoint pixel);
    void straightenAt(const std::vector<QPointF>& corners);
    int fillColour() const;
    void askFillSettings();
};

} // namespace centrafix
