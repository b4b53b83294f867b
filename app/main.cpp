// centrafix: the window, opened with the user's settings and the built-in
// example, ready to analyse. A picture named on the command line is opened
// in its place, as if chosen with "Open...".

#include "picture/formats/picture_load.h"
#include "shell/form1.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <cstring>

namespace {

// What --help says; the manual page is made from it.
constexpr const char* kHelp =
    "Usage: centrafix [PICTURE]\n"
    "Measures flat-colored drawings of aircraft planforms: areas, centroids (C.G.),\n"
    "aerodynamic centers (A.C.), outlines, mean aerodynamic chords, a spanwise loading\n"
    "table and a skin-friction drag estimate, for every color and for all together.\n"
    "\n"
    "Arguments:\n"
    "  PICTURE        A picture file (BMP, PNG, JPEG, GIF, TIFF or Windows metafile),\n"
    "                 opened in place of the built-in example.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Displays help on commandline options.\n"
    "  -v, --version  Displays version information.\n"
    "\n"
    "Settings are kept per user in $XDG_CONFIG_HOME/Vantorel/Vantorel.conf.\n"
    "For folders of pictures and scripts, see centrafix-cli(1).\n";

// Answers --help and --version before any window machinery starts, so they
// work without a display.
bool AnsweredQuestion(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kHelp, stdout);
            return true;
        }
        if (std::strcmp(argv[i], "-v") == 0 || std::strcmp(argv[i], "--version") == 0) {
            std::printf("centrafix %s\n", CENTRAFIX_VERSION);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if (AnsweredQuestion(argc, argv))
        return 0;
    centrafix::RaiseImageAllocationLimit();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Centrafix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CENTRAFIX_VERSION));
    centrafix::Form1 window;
    window.show();
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (!arguments.isEmpty())
        window.openPictureFile(arguments.front());
    return app.exec();
}
