// Where pictures and results come from and go to: the open dialog, the
// clipboard, a file dropped on the window, the two save dialogs; and the
// marks a run leaves over the picture.

#include "form1.h"

#include "history_texts.h"

#include "frozen_column_grid.h"
#include "loading_chart_window.h"
#include "menu_texts.h"
#include "project_texts.h"
#include "picture_scroll.h"
#include "picture_view.h"
#include "plan_page_dialog.h"
#include "window_clipboard.h"
#include "window_texts.h"

#include "document/project_file.h"
#include "engine/results_grid.h"
#include "picture/clipboard_picture.h"
#include "picture/files/atomic_file.h"
#include "picture/files/local_path.h"
#include "picture/files/png_write.h"
#include "picture/files/results_writer.h"
#include "picture/mark_sprites.h"
#include "picture/picture_area.h"
#include "picture/picture_ops.h"
#include "picture/picture_source.h"
#include "picture/result_plot.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

#include <sys/stat.h>

namespace centrafix {

namespace {

// Whether two names lead to one file, also through symbolic or hard links.
bool SameFile(const QString& a, const QString& b)
{
    struct stat first {};
    struct stat second {};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

// The local files among what is dragged over the window, in order.
QStringList DroppedFiles(const QMimeData* data)
{
    QStringList files;
    if (data == nullptr || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

} // namespace

QString Form1::chooseOpenFile(const QString& filter, const QString& selectedFilter, const QString& folder)
{
    QString selected = selectedFilter;
    return QFileDialog::getOpenFileName(this, QString(), folder, filter, &selected);
}

void Form1::btnOpen_Click()
{
    const OpenDialogFilter pictures = QtFileFilter(std::string(Tr(msg::FileFilter, LanguageIndex)), LanguageIndex);
    // Projects beside the pictures, and one entry for both, offered first.
    const QString patterns = pictures.selected.mid(pictures.selected.lastIndexOf('(') + 1).chopped(1);
    const QString both = QStringLiteral("%1 (%2 *.cfx)").arg(text(kPicturesAndProjects), patterns);
    const QString filter = pictures.filter + QStringLiteral(";;") + text(kProjectFilter) + QStringLiteral(";;") + both;
    const QString path = chooseOpenFile(filter, both, m_lastFolder);
    if (!path.isEmpty())
        m_lastFolder = QFileInfo(path).absolutePath();
    if (!path.isEmpty() && IsProjectPath(path))
        openProject(path);
    else
        openPictureFile(path);
}

void Form1::openPictureFile(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    if (IsProjectPath(path)) {
        openProject(path);
        return;
    }
    PlanPageChoice plan;
    QFile file;
    if (!OpenForReading(file, path) && IsPlanDocument(path, file.peek(1024))) {
        const std::optional<PlanPageChoice> chosen = choosePlanPage(path);
        if (!chosen)
            return;
        plan = *chosen;
    }
    const PictureLoad load = LoadPictureFile(path, plan);
    if (!load.ok()) {
        showMessage(QMessageBox::Warning, QString::fromStdString(ErrorText(load.error(), LanguageIndex)));
        return;
    }
    if (!mayDiscardChanges())
        return;
    withMemory([&] {
        takePicture(*load, QFileInfo(path).fileName(), QFileInfo(path).absoluteFilePath(), false, &kStepOpen);
        // New work, not yet a project.
        markSaved({});
        rememberRecent(QFileInfo(path).absoluteFilePath());
    });
}

std::optional<PlanPageChoice> Form1::choosePlanPage(const QString& path)
{
    const Result<PlanDocumentInfo> info = ReadPlanDocumentInfo(path);
    if (!info) {
        showMessage(QMessageBox::Warning, QString::fromStdString(ErrorText(info.error(), LanguageIndex)));
        return std::nullopt;
    }
    // Small pictures only where there is a page to choose.
    Result<std::vector<QImage>> thumbnails = std::vector<QImage>();
    if (info->pageSizes.size() > 1)
        thumbnails = PlanThumbnails(path, QSize(96, 96));
    PlanPageDialog dialog(path, *info, thumbnails ? *thumbnails : std::vector<QImage>(), LanguageIndex,
                          decimalSeparator(), this);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
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
    if (!mayDiscardChanges())
        return;
    withMemory([&] {
        takePicture(*load, {}, {}, true, &kStepPaste);
        markSaved({});
    });
}

// A new working copy: nothing on screen may still belong to the picture
// before it, neither the grid, the report's results, the marks nor the
// quarter-chord canvas a bitmap copy would add.
void Form1::takePicture(const QImage& picture, const QString& name, const QString& path, bool pasted,
                        const Message* step)
{
    const QImage before = picBackBuffer->picture();
    const PictureIdentity beforeIdentity = pictureIdentity();
    picBackBuffer->setPicture(picture);
    // The pixels stay in picBackBuffer alone: a second reference would make
    // every picture operation copy them.
    m_document.setPicture(QImage(), name, path, pasted);
    showWorkingCopy();
    picSideScroll->chooseZoomForPicture();
    picQuarterChord = {};
    m_chartWindow->clearSamples();
    SetupGrid();
    m_report = ReportSource{picture.width(), picture.height(), std::nullopt, std::nullopt, {}, std::nullopt};
    showReport();
    showTitle();
    tickAll();
    if (step)
        recordPictureChange(before, beforeIdentity, *step);
    updateActions();
}

// The project's name once there is one, else the picture's; "[*]" is where
// Qt shows the mark of unsaved changes.
void Form1::showTitle()
{
    const QString name = !m_projectPath.isEmpty()     ? QFileInfo(m_projectPath).fileName()
                         : m_document.pictureIsPasted() ? text(kPastedPicture)
                                                        : m_document.pictureName();
    setWindowTitle(WindowTitle(name) + QStringLiteral("[*]"));
    showModified();
}

QString Form1::chooseSaveFile(const QString& filter, QString& selectedFilter, const QString& suggested)
{
    // Whether a file may be replaced is asked once the name is final (see
    // mayReplace), with an extension the dialog never saw.
    return QFileDialog::getSaveFileName(this, QString(), suggested, filter, &selectedFilter,
                                        QFileDialog::DontConfirmOverwrite);
}

// The name the save dialog offers: the picture's own, with `ending` and the
// extension; the built-in example and a pasted picture have one of their own.
QString Form1::suggestedSaveName(const QString& ending, const QString& extension) const
{
    QString base;
    if (m_document.pictureIsPasted())
        base = text(kPastedFileName);
    else if (m_document.picturePath().isEmpty())
        base = text(kExampleFileName);
    else
        base = QFileInfo(m_document.picturePath()).completeBaseName();
    return base + ending + QLatin1Char('.') + extension;
}

Form1::SavePath Form1::askSavePath(const std::vector<SaveKind>& kinds, const QString& ending)
{
    QStringList filters;
    for (const SaveKind& kind : kinds)
        filters << kind.filter;
    QString selected = filters.front();
    // Where the last save went, else beside the picture.
    QString folder = m_saveFolder;
    if (folder.isEmpty() && !m_document.pictureIsPasted() && !m_document.picturePath().isEmpty())
        folder = QFileInfo(m_document.picturePath()).absolutePath();
    const QString name = suggestedSaveName(ending, kinds.front().extension);
    SavePath chosen{chooseSaveFile(filters.join(QStringLiteral(";;")), selected,
                                   folder.isEmpty() ? name : QDir(folder).filePath(name))};
    if (chosen.path.isEmpty())
        return chosen;
    m_saveFolder = QFileInfo(chosen.path).absolutePath();
    const QString suffix = QFileInfo(chosen.path).suffix().toLower();
    const auto named =
        std::find_if(kinds.begin(), kinds.end(), [&](const SaveKind& k) { return k.extension == suffix; });
    chosen.kind = named != kinds.end() ? static_cast<std::size_t>(named - kinds.begin())
                                       : static_cast<std::size_t>(std::max<qsizetype>(0, filters.indexOf(selected)));
    if (suffix.isEmpty())
        chosen.path += QLatin1Char('.') + kinds[chosen.kind].extension;
    if (!mayReplace(chosen.path))
        chosen.path.clear();
    return chosen;
}

// A file that does not exist yet may be written; one that does only when the
// user says so, in other words when it is the picture that is open.
bool Form1::mayReplace(const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    const QString& open = m_document.picturePath();
    const bool openPicture = !m_document.pictureIsPasted() && !open.isEmpty() && SameFile(path, open);
    return askYesNo(QString::fromStdString(Tr(openPicture ? kReplaceOpenPicture : kReplaceFile, LanguageIndex,
                                              {QFileInfo(path).fileName().toStdString()})));
}

void Form1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!isBusy() && !DroppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

// A dropped file opens as if chosen in the open dialog; of several, the
// first.
void Form1::dropEvent(QDropEvent* event)
{
    const QStringList files = DroppedFiles(event->mimeData());
    if (files.isEmpty() || isBusy())
        return;
    event->acceptProposedAction();
    const QString path = files.front();
    m_lastFolder = QFileInfo(path).absolutePath();
    openPictureFile(path);
    if (files.size() > 1)
        setStatus(Tr(kSeveralDropped, LanguageIndex,
                     {std::to_string(files.size()), QFileInfo(path).fileName().toStdString()}));
}

QString Form1::tableText() const
{
    const int rows = grdResults->rowCount();
    const int columns = grdResults->columnCount();
    QStringList titles;
    for (int c = 0; c < columns; ++c) {
        const QTableWidgetItem* title = grdResults->horizontalHeaderItem(c);
        titles << (title ? title->text() : QString());
    }
    std::vector<GridRow> lines;
    for (int r = 0; r < rows; ++r) {
        GridRow& line = lines.emplace_back();
        for (int c = 0; c < columns; ++c) {
            const QTableWidgetItem* cell = grdResults->item(r, c);
            line.cells.push_back(cell ? cell->text().toStdString() : std::string());
        }
    }
    return QString::fromStdString(CopyTableText(titles.join('\t').toStdString(), lines));
}

void Form1::showFailure(const Error& error)
{
    setStatus(ErrorText(error, LanguageIndex));
    showError(error);
}

void Form1::saveResults()
{
    if (!m_document.lastRun()) {
        showMessage(QMessageBox::Information, text(kNoResultsToSave));
        return;
    }
    const SavePath target = askSavePath(
        {{text(kResultsFilterCsv), QStringLiteral("csv")}, {text(kResultsFilterJson), QStringLiteral("json")}});
    const QString& path = target.path;
    if (path.isEmpty())
        return;
    const bool asJson = target.kind == 1;
    const LastRun& run = *m_document.lastRun();
    // The weight and balance with the list as it is now, as the panel shows it.
    const std::optional<WeighedRun> weighed = weighedRun();
    const ResultFacts facts{run.inputs,   run.originColumn, run.inputs.OriginRow, run.setup,
                            run.objects,  run.result,       weighed ? &*weighed : nullptr};
    const QString picture = m_document.pictureIsPasted() ? QString() : m_document.pictureName();
    const std::optional<Error> failure = WriteFileSafely(path, kCannotWriteFile, [&](QIODevice& device) {
        return asJson ? WriteResultsJson(device, facts, picture) : WriteResultsCsv(device, facts, picture);
    });
    if (failure) {
        showFailure(*failure);
        return;
    }
    setStatus(withRunInputs(Tr(kResultsSaved, LanguageIndex, {QFileInfo(path).fileName().toStdString()})));
}

void Form1::savePicture()
{
    const QString path =
        askSavePath({{text(kPictureFilterPng), QStringLiteral("png")}}, QStringLiteral("-annotated")).path;
    if (path.isEmpty())
        return;
    withMemory([&] {
        const QImage picture = annotatedPicture();
        const std::optional<Error> failure = WriteFileSafely(
            path, kCannotWriteFile, [&picture](QIODevice& device) { return WritePng(device, picture); });
        if (failure)
            showFailure(*failure);
        else if (const std::string said = Tr(kPictureSaved, LanguageIndex, {QFileInfo(path).fileName().toStdString()});
                 m_hasPlot)
            setStatus(withRunInputs(said));
        else
            setStatus(said);
    });
}

// ---------------------------------------------------------------------------
// The marks over the picture.

PlotChoice Form1::plotChoice() const
{
    PlotChoice choice;
    choice.showAC = chkAreaAC->checkState() != Qt::Unchecked;
    choice.showCG = chkAreaCG->checkState() != Qt::Unchecked;
    return choice;
}

void Form1::showChoice()
{
    picSideView->setChoice(plotChoice());
    syncMenuChecks();
}

// The run's plot, kept as marks: the view lays them over the picture, the
// bitmap copy draws them into it.
void Form1::showPlot(const ColorObjectTable& objects, const RunValues& values, const AnalysisInputs& inputs)
{
    m_plot = ResultMarks(objects, values, inputs.OriginX, inputs.OriginY, inputs.languageIndex);
    m_hasPlot = true;
    const QPointF origin(inputs.OriginX / values.ScaleFactor, inputs.OriginY / values.ScaleFactor);
    if (std::isfinite(origin.x()) && std::isfinite(origin.y()))
        m_originMark = origin;
    m_plotOrigin = m_originMark;
    picSideView->setMarks(MarkSprites(m_plot));
    picSideView->setOrigin(m_originMark);
    picSideView->setChoice(plotChoice());
}

// What the bitmap copy holds: the picture shown, with the origin and the
// marks of the last run drawn into its pixels as the check boxes choose, and
// the quarter-chord canvas over it. Made afresh for every copy, so the window
// never keeps a marked second copy of the picture. The origin is the one the
// marks were measured from, even when another has been set since.
QImage Form1::annotatedPicture()
{
    // The balance's marks first: the markers and their labels stay whole
    // over them, as on screen.
    QImage picture = picSide->image();
    drawBalanceInto(picture);
    PictureArea canvas;
    canvas.setPicture(picture);
    if (m_hasPlot) {
        canvas.DrawMode = 13;
        canvas.setAutoRedraw(true);
        if (m_plotOrigin)
            DrawOrigin(canvas, m_plotOrigin->x(), m_plotOrigin->y(), 1.0);
        DrawMarks(canvas, m_plot, plotChoice());
    }
    return CopyBitmap(canvas, QuarterChordImage(picQuarterChord));
}

void Form1::showZoom()
{
    statusPanel2->setText(
        QString::fromStdString(Tr(kZoomShown, LanguageIndex, {ZoomPercent(picSideScroll->zoom()).toStdString()})));
}

} // namespace centrafix
