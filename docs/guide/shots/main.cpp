// centrafix-guide-shots: makes the user guide's pictures from the real
// window. It builds the window as the program does, with settings in a
// fresh store of its own, at a fixed size and font, in the language asked,
// walks it through the steps the guide describes with its own actions,
// dialogs and mouse, and writes OUT/NAME.png for every picture.
//
//   centrafix-guide-shots --language en|de --out DIR [--only NAME,...]
//
// Exit status 0 when every picture asked for was written; otherwise it
// names the step that failed. It never waits for long: each wait has a
// deadline, and the whole run one too.

#include "guide_window.h"
#include "shots.h"
#include "stage.h"

#include "picture/formats/picture_load.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFontInfo>
#include <QStyle>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

using namespace centrafix::guide;

constexpr int kWidth = 1280;
constexpr int kHeight = 800;
constexpr int kRunLimitSeconds = 300;

// Ends the program when a run takes far longer than it ever should: a
// wait that no deadline catches (work stuck on the worker) still ends.
void StartWatchdog()
{
    std::thread([] {
        std::this_thread::sleep_for(std::chrono::seconds(kRunLimitSeconds));
        std::fprintf(stderr, "centrafix-guide-shots: gave up after %d s\n", kRunLimitSeconds);
        std::fflush(stderr);
        std::_Exit(3);
    }).detach();
}

[[noreturn]] void Usage(const QString& why)
{
    std::fprintf(stderr, "centrafix-guide-shots: %s\nUsage: centrafix-guide-shots --language en|de --out DIR "
                         "[--only NAME,...] [--examples DIR]\n",
                 qPrintable(why));
    std::exit(2);
}

// The same look wherever it runs: Qt's own style and palette, one font, a
// text cursor that does not blink.
void FixLook()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(QApplication::style()->standardPalette());
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(9);
    font.setHintingPreference(QFont::PreferNoHinting);
    QApplication::setFont(font);
    if (QFontInfo(font).family() != QLatin1String("DejaVu Sans"))
        Usage(QStringLiteral("the font DejaVu Sans is missing (Debian: fonts-dejavu-core)"));
    QApplication::setCursorFlashTime(0);
    QApplication::setDoubleClickInterval(0);
}

} // namespace

int main(int argc, char* argv[])
{
    StartWatchdog();
    centrafix::RaiseImageAllocationLimit();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Centrafix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CENTRAFIX_VERSION));

    QCommandLineParser parser;
    const QCommandLineOption language(QStringLiteral("language"), QStringLiteral("en or de"), QStringLiteral("LANG"));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Folder for the pictures"), QStringLiteral("DIR"));
    const QCommandLineOption only(QStringLiteral("only"), QStringLiteral("Only these pictures"), QStringLiteral("NAMES"));
    const QCommandLineOption examples(QStringLiteral("examples"), QStringLiteral("The guide's example files"),
                                      QStringLiteral("DIR"), QStringLiteral(CENTRAFIX_GUIDE_EXAMPLES));
    parser.addOptions({language, out, only, examples});
    parser.addHelpOption();
    parser.process(app);

    const QString lang = parser.value(language);
    if (lang != QLatin1String("en") && lang != QLatin1String("de"))
        Usage(QStringLiteral("--language must be en or de"));
    if (!parser.isSet(out))
        Usage(QStringLiteral("--out is missing"));
    const QString outDir = parser.value(out);
    if (!QDir().mkpath(outDir))
        Usage(QStringLiteral("cannot make %1").arg(outDir));
    QStringList names = parser.value(only).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& name : names)
        if (std::find_if(std::begin(kShotNames), std::end(kShotNames),
                         [&](const char* known) { return name == QLatin1String(known); }) == std::end(kShotNames))
            Usage(QStringLiteral("no picture is called %1").arg(name));

    // The window picks its language from the locale until one is chosen, as
    // at a user's first start; the locale also gives the decimal separator
    // and the paper (A4 in both).
    QLocale::setDefault(lang == QLatin1String("de") ? QLocale(QLocale::German, QLocale::Germany)
                                                    : QLocale(QLocale::English, QLocale::UnitedKingdom));
    FixLook();

    QTemporaryDir store;
    if (!store.isValid())
        Usage(QStringLiteral("no temporary folder for the settings"));
    GuideWindow window(store.filePath(QStringLiteral("settings.ini")));
    window.move(0, 0);
    window.show();
    window.resize(kWidth, kHeight);

    Stage stage(window, outDir, names, parser.value(examples));
    stage.settle();
    ShootExample(stage);
    const auto any = [&](std::initializer_list<const char*> list) {
        return std::any_of(list.begin(), list.end(), [&](const char* name) { return stage.wanted(name); });
    };
    if (any({"straighten", "map-colour", "clean-up"}))
        ShootPhoto(stage);
    if (any({"plan-page-dialog", "scale-line", "fill-outlines", "balance-panel", "mass-panel", "report-first-page",
             "report-true-size"}))
        ShootPlan(stage);
    if (any({"report-first-page", "report-true-size"}))
        ShootReport(stage);
    if (stage.wanted("about"))
        ShootAbout(stage);

    const int expected = names.isEmpty() ? static_cast<int>(std::size(kShotNames)) : static_cast<int>(names.size());
    if (stage.saved() != expected) {
        std::fprintf(stderr, "centrafix-guide-shots: wrote %d of %d pictures\n", stage.saved(), expected);
        return 1;
    }
    // The window would ask nothing on closing (its changes are let go), but
    // nothing here needs it closed properly either.
    std::fflush(stdout);
    std::_Exit(0);
}
