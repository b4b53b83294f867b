// Undo and redo of the working picture's changes, and saving the working
// picture as it is, without marks, so that a painted plan is kept.

#include "form1.h"

#include "history_texts.h"
#include "menu_texts.h"
#include "window_menus.h"

#include "picture/files/atomic_file.h"
#include "picture/files/png_write.h"
#include "picture/picture_area.h"

#include <QAction>
#include <QFileInfo>

#include <new>

namespace centrafix {

PictureIdentity Form1::pictureIdentity() const
{
    return {m_document.pictureName(), m_document.picturePath(), m_document.pictureIsPasted()};
}

// Called once the working copy has become the picture after `what`. A
// machine too short of memory to keep the step keeps the change and
// forgets the history, and says so.
void Form1::recordPictureChange(const QImage& before, const PictureIdentity& beforeIdentity, const Message& what)
{
    try {
        m_history.record(before, beforeIdentity, picBackBuffer->picture(), pictureIdentity(), what);
    } catch (const std::bad_alloc&) {
        m_history.clear();
        setStatus(text(kHistoryForgotten));
    }
    updateUndoActions();
}

void Form1::stepPicture(bool back)
{
    if (isBusy() || !(back ? m_history.canUndo() : m_history.canRedo()))
        return;
    const Message* what = back ? m_history.undoName() : m_history.redoName();
    withMemory([&] {
        PictureIdentity identity = pictureIdentity();
        const QImage other = back ? m_history.undo(picBackBuffer->picture(), identity)
                                  : m_history.redo(picBackBuffer->picture(), identity);
        if (identity == pictureIdentity()) {
            // The same picture, changed: the numbers stay, out of date.
            picBackBuffer->setPicture(other);
            picSide->setAutoRedraw(false);
            showWorkingCopy();
            pictureChanged();
        } else {
            takePicture(other, identity.name, identity.path, identity.pasted, nullptr);
        }
        setStatus(Tr(back ? kUndone : kRedone, LanguageIndex, {Tr(*what, LanguageIndex)}));
    });
    updateUndoActions();
}

void Form1::updateUndoActions()
{
    if (!m_menus)
        return;
    const WindowMenus& m = *m_menus;
    const bool busy = isBusy();
    m.undo->setEnabled(!busy && m_history.canUndo());
    m.redo->setEnabled(!busy && m_history.canRedo());
    const Message* undo = m_history.undoName();
    const Message* redo = m_history.redoName();
    m.undo->setText(undo ? QString::fromStdString(Tr(kUndoStep, LanguageIndex, {Tr(*undo, LanguageIndex)}))
                         : text(kUndo));
    m.redo->setText(redo ? QString::fromStdString(Tr(kRedoStep, LanguageIndex, {Tr(*redo, LanguageIndex)}))
                         : text(kRedo));
}

void Form1::saveWorkingPicture()
{
    const QString path =
        askSavePath({{text(kPictureFilterPng), QStringLiteral("png")}}, QStringLiteral("-working")).path;
    if (path.isEmpty())
        return;
    withMemory([&] {
        const QImage& picture = picBackBuffer->picture();
        const std::optional<Error> failure = WriteFileSafely(
            path, kCannotWriteFile, [&picture](QIODevice& device) { return WritePng(device, picture); });
        if (failure)
            showFailure(*failure);
        else
            setStatus(Tr(kWorkingPictureSaved, LanguageIndex, {QFileInfo(path).fileName().toStdString()}));
    });
}

} // namespace centrafix
