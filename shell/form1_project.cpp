// The project file in the window: saving and opening a .cfx, the Recent
// files list, the title's mark for unsaved changes and the question before
// they would be lost.

#include "form1.h"

#include "balance_panel.h"
#include "history_texts.h"
#include "menu_texts.h"
#include "picture_view.h"
#include "project_texts.h"
#include "window_menus.h"
#include "window_settings.h"
#include "window_texts.h"

#include "document/project_file.h"
#include "picture/picture_area.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>

namespace centrafix {

bool Form1::hasUnsavedChanges() const
{
    return m_document.revision() != m_savedRevision;
}

void Form1::showModified()
{
    setWindowModified(hasUnsavedChanges());
}

// A fresh start: what the window holds now is what "unsaved" is measured from.
void Form1::markSaved(const QString& projectPath)
{
    m_projectPath = projectPath;
    m_savedRevision = m_document.revision();
    showTitle();
}

Form1::SaveChoice Form1::askSaveChanges(const QString& question)
{
    QMessageBox box(QMessageBox::Question, WindowTitle({}), question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save: return SaveChoice::Save;
    case QMessageBox::Discard: return SaveChoice::Discard;
    default: return SaveChoice::Cancel;
    }
}

bool Form1::mayDiscardChanges()
{
    if (!hasUnsavedChanges())
        return true;
    const QString name = !m_projectPath.isEmpty() ? QFileInfo(m_projectPath).fileName()
                         : m_document.pictureIsPasted() || m_document.pictureName().isEmpty()
                             ? text(kUntitled)
                             : m_document.pictureName();
    switch (askSaveChanges(QString::fromStdString(Tr(kSaveChanges, LanguageIndex, {name.toStdString()})))) {
    case SaveChoice::Save: return saveProject();
    case SaveChoice::Discard: return true;
    case SaveChoice::Cancel: break;
    }
    return false;
}

bool Form1::saveProject()
{
    if (m_projectPath.isEmpty())
        return saveProjectAs();
    return writeProject(m_projectPath);
}

bool Form1::saveProjectAs()
{
    const QString path = askSavePath({{text(kProjectFilter), QStringLiteral("cfx")}}).path;
    return !path.isEmpty() && writeProject(path);
}

bool Form1::writeProject(const QString& path)
{
    Project project = ProjectOf(m_document);
    // The window holds the working copy once, in its picture area.
    project.picture = picBackBuffer->picture();
    const std::optional<Error> failure = SaveProjectFile(project, path);
    if (failure) {
        showFailure(*failure);
        return false;
    }
    markSaved(QFileInfo(path).absoluteFilePath());
    rememberRecent(m_projectPath);
    setStatus(Tr(kProjectSaved, LanguageIndex, {QFileInfo(path).fileName().toStdString()}));
    return true;
}

void Form1::openProject(const QString& path)
{
    if (isBusy())
        return;
    const Result<OpenedProject> opened = ReadProjectFile(path);
    if (!opened) {
        showMessage(QMessageBox::Warning, QString::fromStdString(ErrorText(opened.error(), LanguageIndex)));
        return;
    }
    if (!mayDiscardChanges())
        return;
    const Project& project = opened->project;
    withMemory([&] {
        takePicture(project.picture, project.pictureName, project.picturePath, project.pictureIsPasted, &kStepOpen);
        ApplyProjectValues(project, m_document);
        showDocumentValues();
        markSaved(QFileInfo(path).absoluteFilePath());
        rememberRecent(m_projectPath);
        setStatus(Tr(kProjectOpened, LanguageIndex, {QFileInfo(path).fileName().toStdString()}));
    });
    if (opened->pictureNote)
        showMessage(QMessageBox::Information,
                    QString::fromStdString(ErrorText(*opened->pictureNote, LanguageIndex)));
}

// The fields, the origin, the colour list and the balance panel as the
// document has them, after it took a project's values.
void Form1::showDocumentValues()
{
    for (const auto& [field, value] : {std::pair{txtScale, &m_document.scaleText()},
                                       std::pair{txtTolerance, &m_document.toleranceText()},
                                       std::pair{txtAltitude, &m_document.altitudeText()},
                                       std::pair{txtMach, &m_document.machText()}}) {
        // The handlers find the document's own text: nothing changes.
        field->setText(QString::fromStdString(*value));
    }
    txtScaleUnit->setText(QString::fromStdString(m_document.unit()));
    m_unitGiven = true;
    const DocumentOrigin& origin = m_document.origin();
    m_originMark = QPointF(origin.column, origin.row);
    picSideView->setOrigin(m_originMark);
    showOrigin();
    rebuildColorList();
    showTicks();
    m_balancePanel->setSettings(m_document.balanceSettings(), decimalSeparator());
    showRoles(LanguageIndex);
    showMassItems();
}

void Form1::openRecent(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        m_recentFiles.removeAll(path);
        showRecentFiles();
        showMessage(QMessageBox::Warning, QString::fromStdString(Tr(kRecentGone, LanguageIndex, {path.toStdString()})));
        return;
    }
    if (IsProjectPath(path))
        openProject(path);
    else
        openPictureFile(path);
}

void Form1::rememberRecent(const QString& path)
{
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > kMaxRecentFiles)
        m_recentFiles.removeLast();
    showRecentFiles();
}

void Form1::showRecentFiles()
{
    m_recentMenu->clear();
    m_recentMenu->setTitle(text(kRecentFiles));
    for (qsizetype i = 0; i < m_recentFiles.size(); ++i) {
        const QString path = m_recentFiles[i];
        QAction* entry = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        entry->setObjectName(QStringLiteral("actRecent%1").arg(i + 1));
        entry->setData(path);
        entry->setEnabled(!isBusy());
        connect(entry, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    if (m_recentFiles.isEmpty())
        m_recentMenu->addAction(text(kNoRecentFiles))->setEnabled(false);
}

} // namespace centrafix
