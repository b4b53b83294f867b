// The user guide's screenshot driver still walks the window through every
// step: run as scripts/guide-shots.sh runs it (here on the offscreen
// platform), it writes each picture the guides show, in both languages, and
// none of them is blank. A step it cannot take fails the run by name rather
// than leaving a picture out or waiting for ever.

#include <gtest/gtest.h>

#include <QDir>
#include <QHash>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>

namespace {

// The names the guides refer to (docs/guide/images/LANG/NAME.png).
const char* const kNames[] = {"first-start",      "example-analyzed", "results-grid",      "loading-chart",
                              "plan-page-dialog", "straighten",       "scale-line",        "fill-outlines",
                              "balance-panel",    "mass-panel",       "report-first-page", "report-true-size",
                              "clean-up",         "map-colour",       "colour-not-found",  "about"};

struct DriverRun {
    int exitCode = -1;
    QString errors;
};

DriverRun Shots(const QStringList& arguments)
{
    QProcess driver;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    driver.setProcessEnvironment(environment);
    driver.start(QStringLiteral(CENTRAFIX_GUIDE_SHOTS), arguments);
    DriverRun run;
    if (!driver.waitForFinished(240'000)) {
        driver.kill();
        driver.waitForFinished();
        run.errors = QStringLiteral("the driver did not end within 240 s");
        return run;
    }
    run.exitCode = driver.exitStatus() == QProcess::NormalExit ? driver.exitCode() : -1;
    run.errors = QString::fromLocal8Bit(driver.readAllStandardError());
    return run;
}

// Blank: one colour all over, or nearly (a window that never painted, a
// page that drew nothing).
bool LooksBlank(const QImage& picture)
{
    QHash<QRgb, qint64> counts;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ++counts[picture.pixel(x, y)];
    qint64 most = 0;
    for (const qint64 count : counts)
        most = std::max(most, count);
    const qint64 all = qint64(picture.width()) * picture.height();
    return counts.size() < 8 || most > all * 99 / 100;
}

// Pixels near one of the painted colours: the wing is red, the tailplane
// blue, the fuselage yellow, in the window and (drawn by a PDF reader, give
// or take a step) on the printed page.
qint64 CountNear(const QImage& picture, QRgb colour)
{
    qint64 count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb c = picture.pixel(x, y);
            const int distance =
                std::abs(qRed(c) - qRed(colour)) + std::abs(qGreen(c) - qGreen(colour)) + std::abs(qBlue(c) - qBlue(colour));
            count += distance <= 12 ? 1 : 0;
        }
    return count;
}

class GuideShots : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QImage made(const QString& language, const char* name)
    {
        return QImage(dir.filePath(language + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png")));
    }
};

TEST_F(GuideShots, EveryPictureIsMadeInBothLanguagesAndShowsSomething)
{
    ASSERT_TRUE(dir.isValid());
    for (const QString& language : {QStringLiteral("en"), QStringLiteral("de")}) {
        const DriverRun run = Shots({QStringLiteral("--language"), language, QStringLiteral("--out"), dir.filePath(language)});
        EXPECT_EQ(run.exitCode, 0) << qPrintable(run.errors);
        for (const char* name : kNames) {
            const QImage picture = made(language, name);
            ASSERT_FALSE(picture.isNull()) << qPrintable(language) << ' ' << name << " was not written";
            EXPECT_GE(std::min(picture.width(), picture.height()), 100) << name;
            EXPECT_FALSE(LooksBlank(picture)) << qPrintable(language) << ' ' << name;
        }
        EXPECT_EQ(QDir(dir.filePath(language)).entryList(QDir::Files).size(), std::size(kNames))
            << "pictures the guides do not know";
    }
    // The window at the size the guide shows; the plan painted; a true-size
    // page that shows the planform, not one of the empty margins.
    for (const char* name : {"first-start", "fill-outlines", "mass-panel", "straighten"})
        EXPECT_EQ(made(QStringLiteral("en"), name).size(), QSize(1280, 800)) << name;
    // The balance panel large enough to read its numbers.
    const QSize balance = made(QStringLiteral("en"), "balance-panel").size();
    EXPECT_GE(balance.width(), 600);
    EXPECT_GE(balance.height(), 250);
    const QImage filled = made(QStringLiteral("en"), "fill-outlines");
    EXPECT_GT(CountNear(filled, qRgb(255, 0, 0)), 5000);
    EXPECT_GT(CountNear(filled, qRgb(0, 0, 255)), 1000);
    EXPECT_GT(CountNear(filled, qRgb(255, 255, 0)), 2000);
    EXPECT_GT(CountNear(made(QStringLiteral("en"), "report-true-size"), qRgb(255, 0, 0)), 100'000);
    // The language was switched, not only asked for.
    EXPECT_NE(made(QStringLiteral("en"), "first-start"), made(QStringLiteral("de"), "first-start"));
    EXPECT_NE(made(QStringLiteral("en"), "report-first-page"), made(QStringLiteral("de"), "report-first-page"));
}

TEST_F(GuideShots, OnlyWritesThePicturesNamed)
{
    const DriverRun run = Shots({QStringLiteral("--language"), QStringLiteral("en"), QStringLiteral("--out"), dir.path(),
                           QStringLiteral("--only"), QStringLiteral("results-grid,straighten")});
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.errors);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              QStringList({QStringLiteral("results-grid.png"), QStringLiteral("straighten.png")}));
}

TEST_F(GuideShots, AStepThatCannotBeTakenFailsByName)
{
    QTemporaryDir empty;
    const DriverRun run = Shots({QStringLiteral("--language"), QStringLiteral("de"), QStringLiteral("--out"), dir.path(),
                           QStringLiteral("--only"), QStringLiteral("straighten"), QStringLiteral("--examples"),
                           empty.path()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("step straighten failed"))) << qPrintable(run.errors);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("glider-photo.jpg"))) << qPrintable(run.errors);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("straighten.png"))));
}

TEST_F(GuideShots, RefusesWhatItDoesNotKnow)
{
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--language"), QStringLiteral("fr"), QStringLiteral("--out"), dir.path()},
          QStringList{QStringLiteral("--language"), QStringLiteral("en")},
          QStringList{QStringLiteral("--language"), QStringLiteral("en"), QStringLiteral("--out"), dir.path(),
                      QStringLiteral("--only"), QStringLiteral("first-start,no-such-picture")}}) {
        const DriverRun run = Shots(arguments);
        EXPECT_EQ(run.exitCode, 2) << qPrintable(arguments.join(' '));
        EXPECT_TRUE(QDir(dir.path()).isEmpty()) << qPrintable(arguments.join(' '));
    }
}

} // namespace
