// Undo and redo in the window as a user meets them: every change of the
// working picture goes back bit for bit, an Open goes back to the picture
// before it with its name, and the Edit menu says what it would undo.

#include "form1_fixture.h"

#include "picture/picture_ops.h"

#include <QAction>
#include <QMenuBar>

using namespace centrafix;
using test::Form1Test;

namespace {

class PictureUndo : public Form1Test {
protected:
    QAction* action(const char* name)
    {
        auto* a = form->findChild<QAction*>(name);
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    QImage picture() { return workingCopy().picture(); }
};

} // namespace

TEST_F(PictureUndo, FlipCleanUpAndOpenGoBackAndForthBitForBit)
{
    open();
    get<QComboBox>("cbLanguage")->setCurrentIndex(1);
    const QImage example = picture();
    EXPECT_EQ(action("actUndo")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(action("actRedo")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    EXPECT_FALSE(action("actUndo")->isEnabled());
    EXPECT_EQ(action("actUndo")->text(), "&Undo");

    // A JPEG, so that the clean-up has something to snap.
    const QString jpeg = dir.filePath("plan.jpg");
    ASSERT_TRUE(example.save(jpeg, "JPEG", 75));
    form->openPictureFile(jpeg);
    const QImage scanned = picture();
    action("actFlip")->trigger();
    const QImage flipped = picture();
    ASSERT_NE(flipped, scanned);
    EXPECT_EQ(action("actUndo")->text(), "&Undo Flip");
    ASSERT_TRUE(cleanUp("150"));
    const QImage cleaned = picture();
    ASSERT_NE(cleaned, flipped);
    const QString path = dir.filePath("plan.png");
    ASSERT_TRUE(example.copy(0, 0, 200, 120).save(path));
    form->openPictureFile(path);
    const QImage opened = picture();
    ASSERT_EQ(opened.size(), QSize(200, 120));
    EXPECT_EQ(action("actUndo")->text(), "&Undo Open");

    // Undo goes back through all four; the window shows each picture and
    // its name.
    const QString openedTitle = form->windowTitle();
    for (const QImage& expected : {cleaned, flipped, scanned, example}) {
        action("actUndo")->trigger();
        EXPECT_EQ(picture(), expected);
        EXPECT_EQ(display().image(), expected) << "the display shows it";
    }
    EXPECT_NE(form->windowTitle(), openedTitle);
    EXPECT_FALSE(action("actUndo")->isEnabled());
    EXPECT_TRUE(status().contains("Undone: Open")) << status().toStdString();

    get<QComboBox>("cbLanguage")->setCurrentIndex(0);
    EXPECT_EQ(action("actRedo")->text(), "&Wiederherstellen: Öffnen");
    get<QComboBox>("cbLanguage")->setCurrentIndex(1);
    for (const QImage& expected : {scanned, flipped, cleaned, opened}) {
        action("actRedo")->trigger();
        EXPECT_EQ(picture(), expected);
    }
    EXPECT_EQ(form->windowTitle(), openedTitle);
    EXPECT_FALSE(action("actRedo")->isEnabled());

    // A change after an undo: the redo is gone.
    action("actUndo")->trigger();
    action("actFlip")->trigger();
    EXPECT_FALSE(action("actRedo")->isEnabled());
    EXPECT_EQ(action("actUndo")->text(), "&Undo Flip");
}

TEST_F(PictureUndo, UndoMarksTheResultsOutOfDateAndSaveWorkingPictureKeepsItWithoutMarks)
{
    open();
    tickAllColours();
    analyze();
    action("actFlip")->trigger();
    action("actUndo")->trigger();
    EXPECT_TRUE(form->resultsOutOfDate());
    analyze();
    form->fileToSave = dir.filePath("kept.png");
    action("actSaveWorkingPicture")->trigger();
    const QImage kept(form->fileToSave);
    ASSERT_FALSE(kept.isNull()) << "nothing written";
    EXPECT_EQ(kept.convertToFormat(QImage::Format_RGB32), ExamplePicture()) << "the picture, without the marks";
}
