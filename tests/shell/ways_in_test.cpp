// The standard ways in beside the buttons: the menu bar and its keys, files
// dropped on the window, and the window remembered.

#include "form1_fixture.h"

#include <QAction>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>

using namespace centrafix;
using test::Form1Test;

namespace {

class WaysIn : public Form1Test {
protected:
    void key(QKeyCombination combination)
    {
        QApplication::setActiveWindow(form.get());
        QTest::keyClick(form.get(), combination.key(), combination.keyboardModifiers());
    }

    QStringList menuTexts()
    {
        QStringList texts;
        for (QAction* menu : form->menuBar()->actions()) {
            texts << menu->text();
            for (QAction* entry : menu->menu()->actions())
                if (!entry->isSeparator())
                    texts << entry->text();
        }
        return texts;
    }

    bool drop(const QStringList& files)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& file : files)
            urls << QUrl::fromLocalFile(file);
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &dropped);
        return true;
    }
};

QImage Red(int w, int h)
{
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(Qt::red);
    return picture;
}

} // namespace

TEST_F(WaysIn, TheKeysDoWhatTheirButtonsDo)
{
    open();
    key(Qt::Key_F5);
    waitForWork();
    EXPECT_EQ(grid()->rowCount(), 5) << "F5 analyses";
    QGuiApplication::clipboard()->clear();
    key(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
    EXPECT_EQ(status(), "Tabelle mit 6 Zeilen in der Zwischenablage.");
    const QString table = clipboardText();
    EXPECT_EQ(table, copyTable()) << "the table, as the button copies it";
    key(Qt::CTRL | Qt::Key_O);
    EXPECT_TRUE(form->dialogFilter.contains("*.bmp")) << "the open dialog was asked";

    key(Qt::CTRL | Qt::Key_Plus);
    EXPECT_EQ(view()->zoom(), 1.5);
    key(Qt::CTRL | Qt::Key_Minus);
    key(Qt::CTRL | Qt::Key_Minus);
    EXPECT_DOUBLE_EQ(view()->zoom(), 2.0 / 3);
    key(Qt::CTRL | Qt::Key_F);
    EXPECT_TRUE(scroll()->mode().fit);
    key(Qt::CTRL | Qt::Key_0);
    EXPECT_EQ(view()->zoom(), 1.0);

    // The buttons' own letters still press them. A mnemonic shows the button
    // pressed for a moment and then clicks it: its action says when.
    QGuiApplication::clipboard()->clear();
    form->activateWindow();
    QSignalSpy copied(form->findChild<QAction*>("actCopyTable"), &QAction::triggered);
    QTest::keyClick(form.get(), Qt::Key_K, Qt::AltModifier);
    ASSERT_TRUE(copied.wait());
    EXPECT_EQ(clipboardText(), table);
}

TEST_F(WaysIn, TheMenusSpeakTheWindowsLanguage)
{
    open();
    const QStringList german = menuTexts();
    EXPECT_EQ(german.mid(0, 4), (QStringList{"&Datei", "Ö&ffnen...", "&Einfügen", "Ergebnisse &speichern..."}));
    get<QComboBox>("cbLanguage")->setCurrentIndex(1);
    const QStringList english = menuTexts();
    EXPECT_EQ(english.mid(0, 4), (QStringList{"&File", "&Open...", "&Paste", "&Save results..."}));
    EXPECT_TRUE(english.contains("Show Area A.C.") && english.contains("&Analyze"));
    EXPECT_EQ(german.size(), english.size());
    EXPECT_EQ(entry(0)->toolTip(), "double-click: edit W=…; tick: measure the color");
    EXPECT_EQ(get<QPushButton>("btnAnalyze")->toolTip(), "Measure the ticked colors – F5");

    // The language entries move the language box, as choosing there does.
    form->menuBar()->actions()[4]->menu()->actions()[0]->trigger(); // File, Edit, View, Picture, Language
    EXPECT_EQ(get<QComboBox>("cbLanguage")->currentText(), "Deutsch");
    EXPECT_EQ(get<QPushButton>("btnOpen")->text(), "Ö&ffnen...");
}

TEST_F(WaysIn, ADroppedFileOpensAsOpenDoesAndOfSeveralTheFirst)
{
    open();
    const QString wing = dir.filePath("wing.png"), tail = dir.filePath("tail.png"), empty = dir.filePath("empty.bmp");
    ASSERT_TRUE(Red(40, 30).save(wing));
    ASSERT_TRUE(Red(10, 10).save(tail));
    QFile(empty).open(QIODevice::WriteOnly);

    ASSERT_TRUE(drop({wing, tail}));
    EXPECT_EQ(workingCopy().picture(), Red(40, 30));
    EXPECT_EQ(form->windowTitle(), "Centrafix – wing.png[*]");
    EXPECT_EQ(status(), "2 Dateien abgelegt; geöffnet ist die erste: wing.png");
    ASSERT_TRUE(drop({empty}));
    EXPECT_EQ(form->messages, QStringList{empty + ": die Datei ist leer"}) << "the message Open gives";
    EXPECT_EQ(workingCopy().picture(), Red(40, 30));
    EXPECT_FALSE(drop({})) << "nothing to open is not taken";
}

TEST_F(WaysIn, TheWindowComesBackAsItWasLeft)
{
    open();
    form->resize(form->minimumSizeHint() + QSize(20, 10)); // on the test's screen, frame and all
    form->move(30, 20);
    scroll()->setMode({false, 3.0});
    const QByteArray geometry = form->saveGeometry();
    form->close();
    form = std::make_unique<test::TestForm>(storePath());
    form->show();
    EXPECT_EQ(form->saveGeometry(), geometry);
    EXPECT_EQ(view()->zoom(), 3.0);
}
