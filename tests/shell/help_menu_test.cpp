// Help › User guide and Help › About, as a user reaches them: the guide's
// page in the window's language handed to the browser, and an About box that
// names the version, the libraries' licences and where the guide lies.

#include "form1_fixture.h"

#include <QDesktopServices>
#include <QDir>
#include <QMenuBar>
#include <QUrl>

namespace centrafix::test {
namespace {

// Stands in for the browser: keeps what it was asked to open.
class Browser : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

const QString kGuide = QDir::cleanPath(QStringLiteral(CENTRAFIX_BUILD_DIR "/" CENTRAFIX_GUIDE_DIR));

class HelpMenu : public Form1Test {
protected:
    void SetUp() override
    {
        Form1Test::SetUp();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "open");
    }
    void TearDown() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    void switchTo(int languageIndex) { get<QComboBox>("cbLanguage")->setCurrentIndex(languageIndex - 1); }
    QMessageBox* aboutBox() { return form->findChild<QMessageBox*>(QStringLiteral("aboutBox")); }

    Browser browser;
};

TEST_F(HelpMenu, TheGuideOpensInTheBrowserInTheWindowsLanguage)
{
    open();
    QAction* guide = get<QAction>("actUserGuide");
    EXPECT_EQ(guide->shortcut(), QKeySequence(QKeySequence::HelpContents));
    const QMenu* help = qobject_cast<QMenu*>(guide->parent());
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->title(), QStringLiteral("&Hilfe"));
    EXPECT_EQ(form->menuBar()->actions().last(), help->menuAction()) << "Help is the menu bar's last menu";

    guide->trigger();
    switchTo(kEnglish);
    EXPECT_EQ(help->title(), QStringLiteral("&Help"));
    guide->trigger();
    ASSERT_EQ(browser.opened.size(), 2);
    EXPECT_EQ(browser.opened[0].toLocalFile(), kGuide + QStringLiteral("/de/guide.html"));
    EXPECT_EQ(browser.opened[1].toLocalFile(), kGuide + QStringLiteral("/en/guide.html"));
    EXPECT_TRUE(form->messages.isEmpty()) << form->messages.join('\n').toStdString();
}

TEST_F(HelpMenu, AboutNamesTheVersionTheLicencesAndTheGuide)
{
    open();
    get<QAction>("actAbout")->trigger();
    QMessageBox* box = aboutBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(box->isModal()) << "the window stays usable behind it";
    const QString german = box->text();
    for (const QString& part : {QStringLiteral("Version " CENTRAFIX_VERSION), QStringLiteral("muparser"),
                                QStringLiteral("Qt Charts"), QStringLiteral("GPL-3.0"), QStringLiteral("MIT"),
                                QStringLiteral("Die Anleitung liegt unter"), kGuide + QStringLiteral("/de/guide.html")})
        EXPECT_TRUE(german.contains(part)) << part.toStdString() << " missing from:\n" << german.toStdString();

    switchTo(kEnglish);
    get<QAction>("actAbout")->trigger();
    EXPECT_EQ(form->findChildren<QMessageBox*>(QStringLiteral("aboutBox")).size(), 1) << "one About box at a time";
    EXPECT_TRUE(aboutBox()->text().contains(QStringLiteral("The user guide lies at ") + kGuide +
                                            QStringLiteral("/en/guide.html")));
    EXPECT_EQ(aboutBox()->windowTitle(), QStringLiteral("About Centrafix"));
}

} // namespace
} // namespace centrafix::test

#include "help_menu_test.moc"
