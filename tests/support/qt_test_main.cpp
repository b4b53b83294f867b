// The main of every test program that needs a Qt application object: text
// needs the font database, the window needs widgets. The application exists
// for the whole run and is gone before static objects are destroyed.

#include "picture/formats/picture_load.h"

#include <gtest/gtest.h>

#include <QStandardPaths>

#if CENTRAFIX_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    centrafix::RaiseImageAllocationLimit(); // as the programs do
    TestApplication app(argc, argv);
    TestApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
