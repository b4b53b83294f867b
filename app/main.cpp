// centrafix: the window, opened with the user's settings and the built-in
// example, ready to analyse. A picture named on the command line is opened
// in its place, as if chosen with "Open...".

#include "picture/picture_load.h"
#include "shell/form1.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[])
{
    centrafix::RaiseImageAllocationLimit();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Centrafix"));
    centrafix::Form1 window;
    window.show();
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (!arguments.isEmpty())
        window.openPictureFile(arguments.front());
    return app.exec();
}
