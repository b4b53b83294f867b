// The project file in the window: saved and opened again in a new session
// from the Recent files list with every value back, the title's mark of
// unsaved changes, the question before they would be lost, and bad or
// vanished files refused without a change.

#include "form1_fixture.h"

#include "document/project_file.h"

#include <QAction>
#include <QMenu>

using namespace centrafix;
using test::Form1Test;

namespace {

class ProjectWindow : public Form1Test {
protected:
    QAction* action(const char* name) { return form->findChild<QAction*>(name); }
    QMenu* recentMenu() { return form->findChild<QMenu*>("menuRecentFiles"); }

    QStringList recentEntries()
    {
        QStringList entries;
        for (QAction* entry : recentMenu()->actions())
            if (entry->data().isValid())
                entries << entry->data().toString();
        return entries;
    }

    void type(const char* name, const QString& text)
    {
        QLineEdit* edit = field(name);
        edit->setText(text);
        emit edit->textEdited(text);
        emit edit->editingFinished();
    }

    void saveAs(const QString& path)
    {
        form->fileToSave = path;
        action("actSaveProjectAs")->trigger();
    }

    QString projectPath() const { return dir.filePath("wing.cfx"); }

    QImage Red(int w, int h)
    {
        QImage picture(w, h, QImage::Format_RGB32);
        picture.fill(Qt::white);
        for (int y = 2; y < h - 2; ++y)
            for (int x = 2; x < w - 2; ++x)
                picture.setPixel(x, y, qRgb(255, 0, 0));
        return picture;
    }
};

TEST_F(ProjectWindow, SavedReopenedFromTheRecentListInANewSessionWithEveryValue)
{
    open();
    const QString picture = dir.filePath("wing.png");
    ASSERT_TRUE(Red(40, 30).save(picture));
    form->openPictureFile(picture);
    EXPECT_FALSE(form->isWindowModified());
    type("txtScale", "0.5");
    type("txtScaleUnit", "mm");
    type("txtTolerance", "17");
    type("txtMach", "0.2");
    form->setWeightText(2, "2.5");
    entry(3)->setCheckState(Qt::Unchecked);
    type("txtOriginX", "3");
    type("txtOriginY", "4.5");
    EXPECT_TRUE(form->isWindowModified());
    EXPECT_EQ(form->windowTitle(), "Centrafix – wing.png[*]");

    saveAs(projectPath());
    ASSERT_TRUE(form->messages.isEmpty()) << form->messages.join('\n').toStdString();
    EXPECT_FALSE(form->isWindowModified());
    EXPECT_EQ(form->windowTitle(), "Centrafix – wing.cfx[*]");
    EXPECT_EQ(recentEntries().value(0), projectPath());
    EXPECT_EQ(recentEntries().value(1), picture);
    form->close();
    EXPECT_TRUE(form->saveQuestions.isEmpty()); // nothing unsaved
    form.reset();

    // A new session, which starts with the example; the fields typed over.
    open();
    EXPECT_EQ(recentEntries(), (QStringList{projectPath(), picture}));
    type("txtScale", "9");
    type("txtTolerance", "3");
    form->setWeightText(2, "1");
    action("actRecent1")->trigger();
    EXPECT_EQ(form->saveQuestions.size(), 1); // discarded
    ASSERT_TRUE(form->messages.isEmpty()) << form->messages.join('\n').toStdString();
    EXPECT_EQ(field("txtScale")->text(), "0.5");
    EXPECT_EQ(field("txtScaleUnit")->text(), "mm");
    EXPECT_EQ(field("txtTolerance")->text(), "17");
    EXPECT_EQ(field("txtMach")->text(), "0.2");
    EXPECT_EQ(form->colorObjects()[2].Weight, 2.5);
    EXPECT_EQ(entry(3)->checkState(), Qt::Unchecked);
    EXPECT_EQ(entry(2)->checkState(), Qt::Checked);
    EXPECT_EQ(form->originX(), 3.0);
    EXPECT_EQ(form->originY(), 4.5);
    EXPECT_EQ(form->originColumn(), 6.0);
    EXPECT_EQ(workingCopy().picture(), Red(40, 30));
    EXPECT_FALSE(form->isWindowModified());
    EXPECT_EQ(form->windowTitle(), "Centrafix – wing.cfx[*]");
    // Ctrl+S now saves to the project it came from, without a dialog.
    type("txtTolerance", "18");
    EXPECT_TRUE(form->isWindowModified());
    form->fileToSave.clear();
    EXPECT_TRUE(form->saveProject());
    EXPECT_FALSE(form->isWindowModified());
    const Result<OpenedProject> read = ReadProjectFile(projectPath());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->project.toleranceText, "18");
}

TEST_F(ProjectWindow, UnsavedChangesAreAskedAboutBeforeQuittingOpeningOrPasting)
{
    open();
    type("txtTolerance", "21");
    ASSERT_TRUE(form->isWindowModified());

    // Cancel: the window stays, with its changes.
    form->saveAnswer = test::TestForm::SaveChoice::Cancel;
    EXPECT_FALSE(form->close());
    ASSERT_EQ(form->saveQuestions.size(), 1);
    EXPECT_EQ(form->saveQuestions[0], "Die Änderungen an dieser Arbeit sind nicht gespeichert. Als Projekt speichern?");
    EXPECT_TRUE(form->isVisible());

    const QString picture = dir.filePath("other.png");
    ASSERT_TRUE(Red(10, 10).save(picture));
    form->openPictureFile(picture);
    EXPECT_EQ(form->saveQuestions.size(), 2);
    EXPECT_EQ(field("txtTolerance")->text(), "21");
    EXPECT_NE(workingCopy().picture().size(), QSize(10, 10));

    QGuiApplication::clipboard()->setImage(Red(12, 12));
    click("btnPaste");
    EXPECT_EQ(form->saveQuestions.size(), 3);
    EXPECT_NE(workingCopy().picture().size(), QSize(12, 12));

    // Save: the save dialog comes, and the window closes once it is saved.
    form->saveAnswer = test::TestForm::SaveChoice::Save;
    form->fileToSave = projectPath();
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(QFile::exists(projectPath()));
    const Result<OpenedProject> read = ReadProjectFile(projectPath());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->project.toleranceText, "21");
}

TEST_F(ProjectWindow, DiscardLetsTheChangesGo)
{
    open();
    type("txtScale", "3");
    form->saveAnswer = test::TestForm::SaveChoice::Discard;
    const QString picture = dir.filePath("other.png");
    ASSERT_TRUE(Red(10, 10).save(picture));
    form->openPictureFile(picture);
    EXPECT_EQ(form->saveQuestions.size(), 1);
    EXPECT_EQ(workingCopy().picture().size(), QSize(10, 10));
    EXPECT_FALSE(form->isWindowModified());
    EXPECT_TRUE(form->close());
    EXPECT_EQ(form->saveQuestions.size(), 1);
}

TEST_F(ProjectWindow, ABadProjectIsRefusedAndChangesNothing)
{
    open();
    type("txtScale", "0.25");
    const QString bad = dir.filePath("bad.cfx");
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": "centrafix-project", "version": 9})");
    file.close();
    const QImage before = workingCopy().picture();
    form->fileToOpen = bad;
    click("btnOpen");
    ASSERT_EQ(form->messages.size(), 1);
    EXPECT_EQ(form->messages[0], bad + ": Dieses Projekt wurde mit Formatversion 9 geschrieben; dieses Centrafix "
                                       "liest bis Version 1.");
    EXPECT_TRUE(form->saveQuestions.isEmpty()); // refused before anything was at stake
    EXPECT_EQ(field("txtScale")->text(), "0.25");
    EXPECT_EQ(workingCopy().picture(), before);
    EXPECT_TRUE(form->isWindowModified());
    EXPECT_TRUE(form->dialogFilter.contains("(*.cfx)"));
    EXPECT_TRUE(form->dialogSelectedFilter.contains("*.cfx"));
    EXPECT_TRUE(form->dialogSelectedFilter.contains("*.png"));
}

TEST_F(ProjectWindow, ARecentFileThatIsGoneIsRefusedAndRemoved)
{
    open();
    const QString picture = dir.filePath("gone.png");
    ASSERT_TRUE(Red(10, 10).save(picture));
    form->openPictureFile(picture);
    saveAs(projectPath());
    ASSERT_EQ(recentEntries(), (QStringList{projectPath(), picture}));
    ASSERT_TRUE(QFile::remove(picture));
    action("actRecent2")->trigger();
    ASSERT_EQ(form->messages.size(), 1);
    EXPECT_EQ(form->messages[0], picture + " gibt es nicht mehr; der Eintrag wird aus der Liste entfernt.");
    EXPECT_EQ(recentEntries(), QStringList{projectPath()});
    // The project still opens: its own copy of the picture, and a word that
    // the file it came from is gone.
    action("actRecent1")->trigger();
    ASSERT_EQ(form->messages.size(), 2);
    EXPECT_TRUE(form->messages[1].contains(picture + " gibt es nicht mehr; das im Projekt gespeicherte Bild wird "
                                                     "verwendet."))
        << form->messages[1].toStdString();
    EXPECT_EQ(workingCopy().picture(), Red(10, 10));
}

TEST_F(ProjectWindow, TheRecentListKeepsEightNewestFirst)
{
    open();
    for (int i = 0; i < 10; ++i) {
        const QString picture = dir.filePath(QStringLiteral("p%1.png").arg(i));
        ASSERT_TRUE(Red(8 + i, 8).save(picture));
        form->openPictureFile(picture);
    }
    form->openPictureFile(dir.filePath("p5.png"));
    const QStringList entries = recentEntries();
    ASSERT_EQ(entries.size(), 8);
    EXPECT_EQ(entries[0], dir.filePath("p5.png"));
    EXPECT_EQ(entries[1], dir.filePath("p9.png"));
    EXPECT_EQ(entries[6], dir.filePath("p3.png"));
    EXPECT_EQ(entries[7], dir.filePath("p2.png"));
    EXPECT_EQ(entries.count(dir.filePath("p5.png")), 1);
    form->close();
    EXPECT_TRUE(storeBytes().contains("RecentFiles="));
}

} // namespace
