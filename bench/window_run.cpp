// centrafix-window-run PICTURE: the window as a user drives it on one picture,
// timed: it opens the picture as "Open..." does, analyses it as the Analyze
// button does, repaints the picture region fitted and at 1:1, and closes. Run it offscreen under /usr/bin/time -v to see how
// long each step takes and how much memory the window needs at its peak.

#include "picture/formats/picture_load.h"
#include "shell/form1.h"
#include "shell/picture_scroll.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    centrafix::RaiseImageAllocationLimit();
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        std::fputs("usage: centrafix-window-run PICTURE\n", stderr);
        return 2;
    }
    // A settings store of its own: the user's is neither read nor written.
    const QTemporaryDir store;
    centrafix::Form1 window(store.filePath(QStringLiteral("settings.ini")));
    window.show();
    QCoreApplication::processEvents();

    QElapsedTimer clock;
    clock.start();
    window.openPictureFile(arguments.front());
    QCoreApplication::processEvents();
    const qint64 opened = clock.restart();
    {
        // The run goes on the worker; the window says when it is over.
        QEventLoop untilEnded;
        QObject::connect(&window, &centrafix::Form1::workEnded, &untilEnded, &QEventLoop::quit);
        window.findChild<QPushButton*>(QStringLiteral("btnAnalyze"))->click();
        if (window.isBusy())
            untilEnded.exec();
    }
    const qint64 analysed = clock.restart();
    auto* region = window.findChild<centrafix::PictureScroll*>(QStringLiteral("picSideScroll"));
    // What one repaint of the region costs: the view drawn as the screen
    // would show it.
    QImage screen(region->viewport()->size(), QImage::Format_RGB32);
    const auto paintTime = [&] {
        clock.restart();
        region->viewport()->render(&screen);
        return static_cast<double>(clock.nsecsElapsed()) / 1e6;
    };
    region->fit();
    const double fitted = paintTime();
    region->actualSize();
    const double actual = paintTime();
    std::printf("open %lld ms, analyse %lld ms, paint fitted %.2f ms (%dx%d shown), paint 1:1 %.2f ms\n",
                static_cast<long long>(opened), static_cast<long long>(analysed), fitted, region->viewport()->width(),
                region->viewport()->height(), actual);
    window.close();
    return 0;
}
