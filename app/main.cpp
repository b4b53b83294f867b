// centrafix: the window, opened with the user's settings and the built-in
// example, ready to analyse.

#include "shell/form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Centrafix"));
    centrafix::Form1 window;
    window.show();
    return app.exec();
}
