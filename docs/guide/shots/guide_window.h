#pragma once

// The program's window as the guide's pictures show it. Only the seams that
// would wait for a person are answered here: the file dialogs (the steps
// name their files), the message boxes (a message is a failed step) and the
// questions about unsaved changes (the steps go on to the next file).

#include "shell/form1.h"

#include <QStringList>

namespace centrafix::guide {

class GuideWindow : public Form1 {
public:
    using Form1::Form1;

    // What the next open or save dialog answers; empty cancels it.
    QString fileToOpen;
    QString fileToSave;
    // Every message the window showed, in order.
    QStringList messages;

protected:
    void showMessage(QMessageBox::Icon icon, const QString& text) override;
    QString chooseOpenFile(const QString& filter, const QString& selectedFilter, const QString& folder) override;
    QString chooseSaveFile(const QString& filter, QString& selectedFilter, const QString& suggested) override;
    bool askYesNo(const QString& question) override;
    SaveChoice askSaveChanges(const QString& question) override;
};

} // namespace centrafix::guide
