// What `cmake --install` puts on a system: programs that run from there with
// nothing of the build around them, and manual pages that say what --help
// says.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

struct Ran {
    int exitCode = -1;
    QString out;
};

Ran RunProgram(const QString& program, const QStringList& arguments, const QProcessEnvironment& env = {})
{
    QProcess process;
    if (!env.isEmpty())
        process.setProcessEnvironment(env);
    process.start(program, arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput())};
}

class Installed : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        prefix = std::make_unique<QTemporaryDir>();
        const Ran install = RunProgram(CENTRAFIX_CMAKE, {"--install", CENTRAFIX_BUILD_DIR, "--prefix", prefix->path()});
        ASSERT_EQ(install.exitCode, 0) << install.out.toStdString();
    }
    static void TearDownTestSuite() { prefix.reset(); }

    static QString At(const QString& path) { return prefix->filePath(path); }

    // A user's shell on a fresh machine: no build, no QT_ variables.
    static QProcessEnvironment CleanEnvironment()
    {
        QProcessEnvironment env;
        env.insert("PATH", "/usr/bin:/bin");
        env.insert("HOME", prefix->path());
        env.insert("LC_ALL", "C.UTF-8");
        return env;
    }

    static std::unique_ptr<QTemporaryDir> prefix;
};

std::unique_ptr<QTemporaryDir> Installed::prefix;

TEST_F(Installed, ProgramsRunFromTheInstalledTreeAlone)
{
    const Ran json = RunProgram(At("bin/centrafix-cli"), {"--json"}, CleanEnvironment());
    ASSERT_EQ(json.exitCode, 0);
    EXPECT_TRUE(QJsonDocument::fromJson(json.out.toUtf8()).isObject());
    EXPECT_EQ(RunProgram(At("bin/centrafix"), {"--version"}, CleanEnvironment()).out,
              "centrafix " CENTRAFIX_VERSION "\n");
    // The chart writer, a module of its own, comes along.
    const QString chart = At("chart.svg");
    EXPECT_EQ(RunProgram(At("bin/centrafix-cli"), {"--chart", chart}, CleanEnvironment()).exitCode, 0);
    EXPECT_TRUE(QFileInfo(chart).size() > 0);
    for (const char* file : {"share/applications/centrafix.desktop", "share/icons/hicolor/scalable/apps/centrafix.svg",
                             "share/icons/hicolor/48x48/apps/centrafix.png", "share/doc/centrafix/copyright",
                             "share/mime/packages/centrafix-project.xml",
                             // The guide Help › User guide opens, with its pictures beside it.
                             "share/doc/centrafix/guide/en/guide.html", "share/doc/centrafix/guide/de/guide.html",
                             "share/doc/centrafix/guide/images/en/first-start.png",
                             "share/doc/centrafix/guide/images/de/first-start.png"})
        EXPECT_TRUE(QFileInfo(At(file)).isFile()) << file;
}

// The project file's type: installed where shared-mime-info collects types,
// known by its extension and its content, and named by the desktop entry
// beside the picture types.
TEST_F(Installed, TheProjectTypeIsInstalledAndNamedByTheDesktopEntry)
{
    QFile mime(At("share/mime/packages/centrafix-project.xml"));
    ASSERT_TRUE(mime.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(mime.readAll());
    EXPECT_TRUE(xml.contains(R"(<mime-type type="application/x-centrafix-project">)"));
    EXPECT_TRUE(xml.contains(R"(<glob pattern="*.cfx"/>)"));
    EXPECT_TRUE(xml.contains(R"(value="centrafix-project")"));
    // A database built from it alone knows the type (where the tool is).
    const QString update = QStringLiteral("/usr/bin/update-mime-database");
    if (QFileInfo(update).isExecutable()) {
        const QTemporaryDir database;
        ASSERT_TRUE(QDir(database.path()).mkpath("packages"));
        ASSERT_TRUE(mime.copy(database.filePath("packages/centrafix-project.xml")));
        EXPECT_EQ(RunProgram(update, {database.path()}).exitCode, 0);
        QFile globs(database.filePath("globs2"));
        ASSERT_TRUE(globs.open(QIODevice::ReadOnly));
        EXPECT_TRUE(globs.readAll().contains("application/x-centrafix-project:*.cfx"));
    }

    QFile desktop(At("share/applications/centrafix.desktop"));
    ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
    const QString entry = QString::fromUtf8(desktop.readAll());
    const QRegularExpression mimeLine("^MimeType=(.*)$", QRegularExpression::MultilineOption);
    const QStringList types = mimeLine.match(entry).captured(1).split(';', Qt::SkipEmptyParts);
    EXPECT_TRUE(types.contains("application/x-centrafix-project"));
    for (const char* picture : {"image/png", "image/bmp", "image/jpeg", "application/x-msmetafile"})
        EXPECT_TRUE(types.contains(picture)) << picture;
}

TEST_F(Installed, ManualPagesNameEveryOptionOfTheHelp)
{
    for (const QString program : {"centrafix", "centrafix-cli"}) {
        SCOPED_TRACE(program.toStdString());
        const QString help = RunProgram(At("bin/" + program), {"--help"}, CleanEnvironment()).out;
        const Ran page = RunProgram("gzip", {"-dc", At("share/man/man1/" + program + ".1.gz")});
        ASSERT_EQ(page.exitCode, 0);
        const QString text = QString(page.out).remove("\\f[BIR]").remove("\\fR").remove("\\fB").replace("\\-", "-");
        const QRegularExpression option("--[a-z][a-z-]+");
        int options = 0;
        for (auto m = option.globalMatch(help); m.hasNext(); ++options) {
            const QString name = m.next().captured();
            EXPECT_TRUE(text.contains(name)) << name.toStdString();
        }
        EXPECT_GE(options, 2);
    }
}

} // namespace
