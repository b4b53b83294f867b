// centrafix-window-run PICTURE: the window as a user drives it on one picture,
// timed: it opens the picture as "Open..." does, analyses it as the Analyze
// button does, repaints the picture region fitted and at 1:1, and closes. Run it offscreen under /usr/bin/time -v to see how
// long each step takes and how much memory the window needs at its peak.

#include "picture/picture_load.h"
#include "shell/form1.h"
#include "shell/picture_scroll.h"

#include <QApplication>
#include <QElapsedTimer>
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
    window.findChild<QPushButton*>(QStringLiteral("btnAnalyze"))->click();
    QCoreApplication::processEvents();
    const qint64 analysed = clock.restart();
    auto* region = window.findChild<centrafix::PictureScroll*>(QStringLiteral("picSideScroll"));
    region->fit();
    clock.restart();
    region->viewport()->repaint();
    const qint64 fitted = clock.restart();
    region->actualSize();
    clock.restart();
    region->viewport()->repaint();
    const qint64 actual = clock.elapsed();
    std::printf("open %lld ms, analyse %lld ms, paint fitted %lld ms, paint 1:1 %lld ms\n",
                static_cast<long long>(opened), static_cast<long long>(analysed), static_cast<long long>(fitted),
                static_cast<long long>(actual));
    window.close();
    return 0;
}
