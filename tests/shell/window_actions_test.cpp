// Every command is one action: its menu item, its key and its button show the
// same text and state, and what the window is doing decides which commands
// are offered, before a picture, with one, while a run or a picture pass
// holds it, and after.

#include "form1_fixture.h"

#include <QCheckBox>
#include <QSignalSpy>

#include <map>
#include <set>

using namespace centrafix;
using test::Form1Test;

namespace {

// What a run or a picture pass switches off: all that would replace, change
// or draw over the working copy, and the language the run writes in.
const std::set<QString> kOffWhileBusy{"actOpen",       "actPaste",       "actFlip",
                                      "actInvert",     "actCleanUp",     "actScaleLine",
                                      "actCopyBitmap", "actSavePicture", "actSaveWorkingPicture",
                                      "actAnalyze",    "actGerman",      "actEnglish"};

const char* const kCommands[] = {
    "actOpen",       "actPaste",     "actSaveResults", "actSavePicture",  "actSaveWorkingPicture",
    "actSaveChart",  "actCopyTable", "actCopyBitmap",  "actQuit",         "actFit",
    "actActualSize", "actZoomIn",    "actZoomOut",     "actLoadingChart", "actAnalyze",
    "actFlip",       "actInvert",    "actCleanUp",     "actScaleLine",    "actShowAC",
    "actShowCG",     "actGerman",    "actEnglish"};

// The buttons and the actions they show.
const std::pair<const char*, const char*> kButtons[] = {
    {"btnOpen", "actOpen"},      {"btnAnalyze", "actAnalyze"}, {"btnPaste", "actPaste"},
    {"btnCopy", "actCopyTable"}, {"btnInvert", "actInvert"},   {"btnCopyBitmap", "actCopyBitmap"},
    {"btnFlip", "actFlip"},      {"chkAreaAC", "actShowAC"},   {"chkAreaCG", "actShowCG"}};

class WindowActions : public Form1Test {
protected:
    QAction* action(const char* name) { return get<QAction>(name); }

    // The commands that are off, by name; and every button agreeing with its
    // action.
    std::set<QString> offNow()
    {
        std::set<QString> off;
        for (const char* name : kCommands)
            if (!action(name)->isEnabled())
                off.insert(name);
        for (const auto& [button, command] : kButtons) {
            auto* b = get<QAbstractButton>(button);
            EXPECT_EQ(b->isEnabled(), action(command)->isEnabled()) << button;
            EXPECT_EQ(b->text(), action(command)->text()) << button;
            EXPECT_EQ(b->toolTip(), action(command)->toolTip()) << button;
        }
        EXPECT_EQ(get<QComboBox>("cbLanguage")->isEnabled(), !off.contains("actGerman"));
        for (const char* origin : {"txtOriginX", "txtOriginY"})
            EXPECT_EQ(field(origin)->isReadOnly(), off.contains("actOpen")) << origin;
        return off;
    }

    static std::set<QString> With(std::set<QString> names, const QString& name)
    {
        names.insert(name);
        return names;
    }

    void paste(int w, int h)
    {
        QImage picture(w, h, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QGuiApplication::clipboard()->setImage(picture);
        click("btnPaste");
    }
};

} // namespace

TEST_F(WindowActions, WhatTheWindowDoesDecidesWhichCommandsAreOffered)
{
    open();
    const std::set<QString> noResults{"actSaveChart", "actSaveResults"};
    EXPECT_EQ(offNow(), noResults) << "the example: everything but what no run has made";
    paste(60, 40);
    EXPECT_EQ(offNow(), noResults);

    std::set<QString> duringRun;
    analyzeWithHook([] { return true; }, [&] { duringRun = offNow(); });
    EXPECT_EQ(duringRun, With(With(kOffWhileBusy, "actSaveChart"), "actSaveResults"));
    EXPECT_EQ(offNow(), std::set<QString>{}) << "after the run: its chart and results too";

    // A picture pass holds the working copy as a run does; the chart and the
    // results (out of date now, and saved as such) stay.
    std::set<QString> duringPass;
    withHook([&] { click("btnInvert"); }, [&] { return !action("actInvert")->isEnabled(); },
             [&] { duringPass = offNow(); });
    EXPECT_EQ(duringPass, kOffWhileBusy);
    EXPECT_EQ(offNow(), std::set<QString>{});

    paste(30, 20);
    EXPECT_EQ(offNow(), noResults) << "a new picture has no chart or results yet";
}

TEST_F(WindowActions, AButtonAndItsMenuItemAreOneCommand)
{
    open();
    // Pressing the button is triggering the action, whose handler runs once.
    QSignalSpy copied(action("actCopyTable"), &QAction::triggered);
    click("btnCopy");
    EXPECT_EQ(copied.size(), 1);
    EXPECT_EQ(status(), "Tabelle mit 1 Zeilen in der Zwischenablage.");
    QSignalSpy analysed(action("actAnalyze"), &QAction::triggered);
    action("actAnalyze")->trigger();
    waitForWork();
    EXPECT_EQ(grid()->rowCount(), 5) << "the menu item runs what the button runs";
    analyze();
    EXPECT_EQ(analysed.size(), 2);

    // The check boxes and their menu items: one check, set from either.
    auto* showAC = get<QCheckBox>("chkAreaAC");
    const QImage total = shown();
    action("actShowAC")->trigger();
    EXPECT_TRUE(showAC->isChecked());
    EXPECT_NE(shown(), total) << "the marks follow the menu item";
    showAC->click();
    EXPECT_FALSE(action("actShowAC")->isChecked());
    EXPECT_EQ(shown(), total);
    get<QCheckBox>("chkAreaCG")->setChecked(true);
    EXPECT_TRUE(action("actShowCG")->isChecked());

    // Texts are the actions', in the window's language, & mnemonics and all.
    get<QComboBox>("cbLanguage")->setCurrentIndex(1);
    EXPECT_EQ(get<QPushButton>("btnOpen")->text(), "&Open...");
    EXPECT_EQ(get<QPushButton>("btnCopyBitmap")->text(), action("actCopyBitmap")->text());
    EXPECT_EQ(showAC->text(), "Show Area A.C.");
    EXPECT_EQ(offNow(), std::set<QString>{}) << "and every button agrees with its action";
}

TEST_F(WindowActions, TheLanguageMenuTicksTheLanguageInUse)
{
    open();
    auto* languages = get<QComboBox>("cbLanguage");
    for (const bool german : {false, true, false}) {
        languages->setCurrentIndex(german ? 0 : 1);
        EXPECT_EQ(action("actGerman")->isChecked(), german);
        EXPECT_EQ(action("actEnglish")->isChecked(), !german);
    }
    action("actGerman")->trigger();
    EXPECT_EQ(languages->currentIndex(), 0) << "the menu item switches the list too";
}
