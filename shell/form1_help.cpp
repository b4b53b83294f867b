// Help › User guide opens the installed guide in the browser, in the
// window's language; Help › About says what the program is and is made of.

#include "form1.h"

#include "about_text.h"
#include "help_texts.h"
#include "user_guide.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace centrafix {

void Form1::showUserGuide()
{
    const QString page = UserGuidePage(LanguageIndex);
    if (page.isEmpty()) {
        showMessage(QMessageBox::Warning,
                    QString::fromStdString(Tr(kGuideMissing, LanguageIndex, {UserGuideFolder().toStdString()})));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
        showMessage(QMessageBox::Information,
                    QString::fromStdString(Tr(kGuideNotOpened, LanguageIndex, {page.toStdString()})));
}

// Not modal for the application: the window stays usable behind it, and a
// second About brings the same box forward rather than stacking another.
void Form1::showAbout()
{
    auto* box = findChild<QMessageBox*>(QStringLiteral("aboutBox"));
    if (box == nullptr) {
        box = new QMessageBox(this);
        box->setObjectName(QStringLiteral("aboutBox"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setStandardButtons(QMessageBox::Ok);
        box->setTextFormat(Qt::RichText);
        box->setWindowModality(Qt::NonModal);
    }
    box->setWindowTitle(text(kAboutTitle));
    box->setText(AboutText(LanguageIndex));
    box->setIconPixmap(windowIcon().pixmap(64, 64));
    box->show();
    box->raise();
}

} // namespace centrafix
