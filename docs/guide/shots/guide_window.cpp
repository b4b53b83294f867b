#include "guide_window.h"

#include <cstdio>

namespace centrafix::guide {

void GuideWindow::showMessage(QMessageBox::Icon, const QString& text)
{
    // Said at once: the step that caused it fails when it next looks.
    std::fprintf(stderr, "centrafix-guide-shots: the window said: %s\n", qPrintable(text));
    messages << text;
}

QString GuideWindow::chooseOpenFile(const QString&, const QString&, const QString&)
{
    return fileToOpen;
}

QString GuideWindow::chooseSaveFile(const QString&, QString&, const QString&)
{
    return fileToSave;
}

// The only yes/no question the steps meet is whether to replace a file
// they write into a fresh folder: never, so a no is the safe answer.
bool GuideWindow::askYesNo(const QString& question)
{
    messages << question;
    return false;
}

Form1::SaveChoice GuideWindow::askSaveChanges(const QString&)
{
    return SaveChoice::Discard;
}

} // namespace centrafix::guide
