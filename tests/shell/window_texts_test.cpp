// The window's words: one spelling in English, keys that reach one target
// each, the open dialog's filter, and the names the save dialogs offer.

#include "form1_fixture.h"

#include "shell/loading_chart_window.h"
#include "shell/scale_dialog.h"
#include "shell/window_texts.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSignalSpy>

#include <map>

#include <unistd.h>

using namespace centrafix;
using test::Form1Test;

namespace {

class WindowTexts : public Form1Test {
protected:
    void switchTo(int languageIndex) { get<QComboBox>("cbLanguage")->setCurrentIndex(languageIndex - 1); }

    // Every caption one Alt key reaches at once: the menu bar's titles, the
    // buttons and check boxes, and the labels that lead to a field.
    QStringList topLevelCaptions()
    {
        QStringList captions;
        for (QAction* menu : form->menuBar()->actions())
            captions << menu->text();
        for (QAbstractButton* button : form->centralWidget()->findChildren<QAbstractButton*>())
            captions << button->text();
        for (QLabel* label : form->findChildren<QLabel*>())
            if (label->buddy() != nullptr)
                captions << label->text();
        return captions;
    }

    // The captions of one set that share a mnemonic, as "A: &Ansicht, &Analysieren".
    static QStringList Clashes(const QStringList& captions)
    {
        std::map<QString, QStringList> byKey;
        for (const QString& caption : captions) {
            const QKeySequence key = QKeySequence::mnemonic(caption);
            if (!key.isEmpty())
                byKey[key.toString()] << caption;
        }
        QStringList clashes;
        for (const auto& [key, sharing] : byKey)
            if (sharing.size() > 1)
                clashes << key + ": " + sharing.join(", ");
        return clashes;
    }

    // Every text the window shows now, whatever holds it.
    QStringList shownTexts()
    {
        QStringList texts{form->windowTitle(), status()};
        for (QWidget* widget : form->findChildren<QWidget*>()) {
            texts << widget->toolTip() << widget->windowTitle();
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                texts << button->text();
            if (auto* label = qobject_cast<QLabel*>(widget))
                texts << label->text();
        }
        for (QAction* action : form->findChildren<QAction*>())
            texts << action->text() << action->toolTip();
        for (int i = 0; i < list()->rowCount(); ++i)
            texts << entry(i)->text() << entry(i)->toolTip();
        for (int c = 0; c < grid()->columnCount(); ++c)
            texts << grid()->horizontalHeaderItem(c)->text();
        texts << report() << form->messages;
        return texts;
    }

    QString pictureFile(const QString& name)
    {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::white);
        for (int y = 5; y < 20; ++y)
            for (int x = 5; x < 30; ++x)
                picture.setPixel(x, y, qRgb(0, 0, 0));
        const QString path = dir.filePath(name);
        EXPECT_TRUE(picture.save(path));
        return path;
    }

    QByteArray bytes(const QString& path) { return storeBytes(path); }
};

// British forms a US-spelled English window must not show.
const QRegularExpression kBritish(
    QStringLiteral(R"(colour|analys(e|ed|es|ing)\b|centre|metre|normalis|\bgrey|cancelled)"),
    QRegularExpression::CaseInsensitiveOption);

} // namespace

TEST_F(WindowTexts, EveryMnemonicHasOneTargetInEitherLanguage)
{
    open();
    for (const int language : {kGerman, kEnglish}) {
        switchTo(language);
        SCOPED_TRACE(language == kGerman ? "German" : "English");
        EXPECT_EQ(Clashes(topLevelCaptions()), QStringList());
        for (QAction* menu : form->menuBar()->actions()) {
            QStringList entries;
            for (QAction* entry : menu->menu()->actions())
                entries << entry->text();
            EXPECT_EQ(Clashes(entries), QStringList()) << menu->text().toStdString();
        }
    }
    // The test finds a clash where there is one.
    EXPECT_EQ(Clashes({"&Ansicht", "&Analysieren", "A&nsicht"}), QStringList{"Alt+A: &Ansicht, &Analysieren"});

    // German users reach the View menu with Alt+A, as in their other programs.
    switchTo(kGerman);
    QApplication::setActiveWindow(form.get());
    QTest::keyClick(form.get(), Qt::Key_A, Qt::AltModifier);
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr) << "no menu opened";
    EXPECT_EQ(qobject_cast<QMenu*>(popup)->title(), "&Ansicht");
    popup->close();
    EXPECT_FALSE(form->isRunning());
    EXPECT_EQ(grid()->rowCount(), 0) << "and no run was started";
}

TEST_F(WindowTexts, EnglishIsSpelledAsItsCaptionsAre)
{
    open();
    switchTo(kEnglish);
    entry(3)->setCheckState(Qt::Unchecked);
    analyze(); // greys the colours not found, fills grid and report
    QApplication::setActiveWindow(form.get());
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Minus);
    analyze();                        // "No color is ticked"
    field("txtMach")->setText("0.5"); // out of date
    QStringList texts = shownTexts();
    ASSERT_EQ(form->messages.size(), 1);
    const OpenDialogFilter filter = QtFileFilter(std::string(Tr(msg::FileFilter, kEnglish)), kEnglish);
    texts << filter.filter;
    ScaleDialog scale(10.0, {}, kEnglish, ".", form.get());
    for (QLabel* label : scale.findChildren<QLabel*>())
        texts << label->text();
    for (const QString& text : texts)
        EXPECT_FALSE(text.contains(kBritish)) << text.toStdString();
    EXPECT_TRUE(texts.contains("Colors:")) << "the captions' own spelling, checked above";

    ScaleDialog german(10.0, {}, kGerman, ",", form.get());
    QStringList labels;
    for (QLabel* label : german.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains("&Einheit (optional):")) << labels.join(" | ").toStdString();
}

TEST_F(WindowTexts, TheOpenFilterNamesEveryExtensionOnceAndTheDialogStillMatchesAnyCase)
{
    open();
    click("btnOpen");
    EXPECT_EQ(form->dialogFilter.split(";;").mid(0, 4),
              (QStringList{"Windows Bitmap Dateien (*.bmp)", "JPEG Bilddateien (*.jpg)",
                           "Compuserve GIF Dateien (*.gif)", "Windows Metadateien (*.wmf)"}));
    for (const QString& entry : form->dialogFilter.split(";;")) {
        const QString patterns = entry.section('(', -1).chopped(1);
        const QStringList listed = patterns.toLower().split(' ');
        EXPECT_EQ(QSet<QString>(listed.begin(), listed.end()).size(), listed.size()) << entry.toStdString();
    }
    EXPECT_TRUE(form->dialogSelectedFilter.contains("*.tiff")) << form->dialogSelectedFilter.toStdString();

    // The dialog matches names whatever their case: a scanner's "SCAN.JPG".
    const QString upper = pictureFile("SCAN.JPG");
    pictureFile("wing.png");
    QFileDialog dialog(nullptr, QString(), dir.path(), form->dialogFilter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.selectNameFilter(form->dialogSelectedFilter);
    auto* model = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
    const QModelIndex folder = model->index(dir.path());
    if (model->rowCount(folder) < 3) {
        ASSERT_TRUE(loaded.wait());
    }
    const QModelIndex scan = model->index(upper);
    ASSERT_TRUE(scan.isValid());
    EXPECT_TRUE(model->flags(scan) & Qt::ItemIsEnabled) << "offered, not greyed out";
    // What is no picture is not offered. Asked of the filters themselves: the
    // model learns about a file in another folder only later, on its own thread.
    const QString settingsName = QFileInfo(storePath()).fileName();
    for (const QString& pattern : model->nameFilters())
        EXPECT_FALSE(QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern),
                                        QRegularExpression::CaseInsensitiveOption)
                         .match(settingsName)
                         .hasMatch())
            << pattern.toStdString();
}

TEST_F(WindowTexts, SaveDialogsOfferANameFromThePicturesAndNeverItsOwn)
{
    open();
    analyze();
    form->saveResults();
    EXPECT_EQ(form->saveDialogSuggested, "Beispiel.csv") << "the built-in example";
    form->savePicture();
    EXPECT_EQ(form->saveDialogSuggested, "Beispiel-annotated.png");
    switchTo(kEnglish);
    form->saveChart();
    EXPECT_EQ(form->saveDialogSuggested, "example-chart.png");

    QImage pasted(20, 10, QImage::Format_RGB32);
    pasted.fill(Qt::black);
    QGuiApplication::clipboard()->setImage(pasted);
    click("btnPaste");
    form->savePicture();
    EXPECT_EQ(form->saveDialogSuggested, "pasted-annotated.png");

    // An opened picture: its name, beside it, until a save goes elsewhere.
    form->openPictureFile(pictureFile("wing.tail.bmp"));
    analyze();
    form->saveResults();
    EXPECT_EQ(form->saveDialogSuggested, dir.filePath("wing.tail.csv"));
    form->saveChart();
    EXPECT_EQ(form->saveDialogSuggested, dir.filePath("wing.tail-chart.png"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    form->fileToSave = dir.filePath("out/marked.png");
    form->savePicture();
    form->fileToSave.clear();
    form->savePicture();
    EXPECT_EQ(form->saveDialogSuggested, dir.filePath("out/wing.tail-annotated.png"));
    EXPECT_TRUE(form->questions.isEmpty()) << "a new file needs no question";
}

TEST_F(WindowTexts, ReplacingTheOpenPictureIsAskedFirstAndNoKeepsIt)
{
    open();
    const QString wing = pictureFile("wing.png");
    ASSERT_EQ(::symlink(wing.toLocal8Bit().constData(), dir.filePath("link.png").toLocal8Bit().constData()), 0);
    ASSERT_EQ(::link(wing.toLocal8Bit().constData(), dir.filePath("hard.png").toLocal8Bit().constData()), 0);
    form->openPictureFile(wing);
    analyze();
    const QByteArray original = bytes(wing);
    const QString asked = "wing.png ist das geöffnete Bild. Soll es wirklich überschrieben werden?";

    // By its name, by its name without extension, through either link.
    form->answerYes = false;
    for (const auto& [typed, named] : {std::pair{"wing.png", "wing.png"},
                                       {"wing", "wing.png"},
                                       {"link.png", "link.png"},
                                       {"hard.png", "hard.png"}}) {
        SCOPED_TRACE(typed);
        form->questions.clear();
        const QString before = status();
        form->fileToSave = dir.filePath(typed);
        form->savePicture();
        EXPECT_EQ(form->questions, QStringList{QString(asked).replace("wing.png", named)});
        EXPECT_EQ(bytes(wing), original);
        EXPECT_EQ(status(), before) << "nothing said to be saved";
    }
    // The results too, named as the picture.
    form->questions.clear();
    form->fileToSave = wing;
    form->saveResults();
    EXPECT_EQ(form->questions, QStringList{asked});
    EXPECT_EQ(bytes(wing), original);

    // Another file that exists is asked about in plain words.
    const QString other = pictureFile("other.png");
    form->questions.clear();
    form->fileToSave = other;
    form->savePicture();
    EXPECT_EQ(form->questions, QStringList{"other.png gibt es schon. Ersetzen?"});

    form->answerYes = true;
    form->fileToSave = wing;
    form->savePicture();
    EXPECT_EQ(status(), "Bild in wing.png gespeichert.");
    EXPECT_NE(bytes(wing), original) << "replaced when the user says so";
}
