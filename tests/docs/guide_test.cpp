// The user guide kept true by machine: every picture it shows is there (and
// has its twin in the other language), every console example prints what the
// guide says it prints when run against the built batch command, and the web
// pages the Help menu opens link only to what is there.

#include "guide_page.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

namespace centrafix::guide {
namespace {

const QString kSource = QStringLiteral(CENTRAFIX_SOURCE_DIR "/docs/guide");
const QString kBuiltGuide = QStringLiteral(CENTRAFIX_BUILD_DIR "/" CENTRAFIX_GUIDE_DIR);

QString OtherLanguage(const QString& language)
{
    return language == QLatin1String("en") ? QStringLiteral("de") : QStringLiteral("en");
}

class Guide : public ::testing::TestWithParam<const char*> {
protected:
    QString language() const { return QString::fromLatin1(GetParam()); }
    QString pagePath() const { return kSource + QLatin1Char('/') + language() + QStringLiteral("/guide.md"); }
    QString markdown() const { return ReadText(pagePath()); }
};

TEST_P(Guide, ShowsOnlyPicturesThatAreThereInBothLanguages)
{
    const QString page = markdown();
    ASSERT_FALSE(page.isEmpty()) << pagePath().toStdString();
    const QStringList targets = PictureTargets(page);
    EXPECT_FALSE(targets.isEmpty());
    const QDir pageDir = QFileInfo(pagePath()).dir();
    for (const QString& target : targets) {
        const QString path = QDir::cleanPath(pageDir.filePath(target));
        EXPECT_FALSE(QImage(path).isNull()) << target.toStdString() << ": no readable picture at "
                                            << path.toStdString();
        const QString twin = QString(path).replace(QStringLiteral("/images/") + language() + QLatin1Char('/'),
                                                   QStringLiteral("/images/") + OtherLanguage(language()) +
                                                       QLatin1Char('/'));
        EXPECT_TRUE(twin != path && QFileInfo(twin).isFile())
            << target.toStdString() << " has no twin in the other language's pictures";
    }
}

// The environment of a user who has just installed the program: no settings
// yet, the locale of the guide's language, nothing of the build but the
// batch command on the path.
QProcessEnvironment UserEnvironment(const QString& home, const QString& language)
{
    QProcessEnvironment env;
    const QString cliDir = QFileInfo(QStringLiteral(CENTRAFIX_CLI)).absolutePath();
    env.insert(QStringLiteral("PATH"), cliDir + QStringLiteral(":/usr/bin:/bin"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    const QString locale = language == QLatin1String("de") ? QStringLiteral("de_DE.UTF-8") : QStringLiteral("C.UTF-8");
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("LANG"), locale);
    return env;
}

bool CopyFolder(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(file);
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(file, target))
            return false;
    }
    return true;
}

TEST_P(Guide, ConsoleExamplesPrintWhatTheGuideSays)
{
    const std::vector<ConsoleStep> steps = ConsoleSteps(markdown());
    ASSERT_FALSE(steps.empty()) << "the guide has no console examples";
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString work = scratch.filePath(QStringLiteral("examples"));
    ASSERT_TRUE(QDir().mkpath(work) && CopyFolder(kSource + QStringLiteral("/examples"), work));
    const QString home = scratch.filePath(QStringLiteral("home"));
    ASSERT_TRUE(QDir().mkpath(home));
    for (const ConsoleStep& step : steps) {
        QProcess shell;
        shell.setWorkingDirectory(work);
        shell.setProcessEnvironment(UserEnvironment(home, language()));
        shell.setProcessChannelMode(QProcess::MergedChannels);
        shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), step.command});
        ASSERT_TRUE(shell.waitForFinished(180000)) << "line " << step.line << ": still running: "
                                                   << step.command.toStdString();
        const QStringList printed = QString::fromUtf8(shell.readAll()).split(QLatin1Char('\n'));
        EXPECT_TRUE(OutputMatches(step.expected, printed))
            << language().toStdString() << "/guide.md line " << step.line << ": $ " << step.command.toStdString()
            << "\n--- the guide says:\n" << step.expected.join(QLatin1Char('\n')).toStdString()
            << "\n--- it printed:\n" << printed.join(QLatin1Char('\n')).toStdString();
    }
}

// The page the Help menu opens: every link within it finds its heading, and
// every picture and page it links to was put beside it.
TEST_P(Guide, WebPageLinksFindWhatTheyName)
{
    const QString pagePath = kBuiltGuide + QLatin1Char('/') + language() + QStringLiteral("/guide.html");
    const QString page = ReadText(pagePath);
    ASSERT_FALSE(page.isEmpty()) << pagePath.toStdString();
    QSet<QString> ids;
    static const QRegularExpression id(QStringLiteral(R"re(\sid="([^"]+)")re"));
    for (const QRegularExpressionMatch& match : id.globalMatch(page))
        ids.insert(match.captured(1));
    static const QRegularExpression link(QStringLiteral(R"re(\s(?:href|src)="([^"]+)")re"));
    int internal = 0;
    for (const QRegularExpressionMatch& match : link.globalMatch(page)) {
        const QString target = match.captured(1);
        if (target.startsWith(QLatin1Char('#'))) {
            ++internal;
            EXPECT_TRUE(ids.contains(target.mid(1))) << "no heading for the link " << target.toStdString();
        } else if (!target.contains(QLatin1String("://")) && !target.startsWith(QLatin1String("mailto:"))) {
            const QString path = QFileInfo(pagePath).dir().filePath(target.section(QLatin1Char('#'), 0, 0));
            EXPECT_TRUE(QFileInfo(path).isFile()) << "the page links to " << target.toStdString()
                                                  << ", which was not installed beside it";
        }
    }
    EXPECT_GT(internal, 0) << "the table of contents links nowhere";
}

INSTANTIATE_TEST_SUITE_P(Languages, Guide, ::testing::Values("en", "de"));

// The rules the two tests above read the guide by.
TEST(GuidePage, ReadsConsoleBlocksAndTheirOutput)
{
    const QString page = QStringLiteral("text\n```console\n$ one \\\n  --two\nfirst\n\n$ three\n```\n"
                                        "```sh\n$ not run\n```\n~~~console\n$ four\nlast\n~~~\n");
    const std::vector<ConsoleStep> steps = ConsoleSteps(page);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].command, QStringLiteral("one \\\n  --two"));
    EXPECT_EQ(steps[0].expected, (QStringList{QStringLiteral("first"), QString()}));
    EXPECT_EQ(steps[0].line, 3);
    EXPECT_TRUE(steps[1].expected.isEmpty());
    EXPECT_EQ(steps[2].command, QStringLiteral("four"));
    EXPECT_EQ(steps[2].expected, QStringList{QStringLiteral("last")});
    EXPECT_EQ(PictureTargets(QStringLiteral("![a](x/a.png) and ![](b.png \"t\")")),
              (QStringList{QStringLiteral("x/a.png"), QStringLiteral("b.png")}));
}

TEST(GuidePage, MatchesOutputLineByLineWithEllipses)
{
    const QStringList printed{"a", "b  ", "c", "d", ""};
    EXPECT_TRUE(OutputMatches({"a", "b", "c", "d"}, printed));
    EXPECT_TRUE(OutputMatches({"a", "...", "d"}, printed));
    EXPECT_TRUE(OutputMatches({"...", "a", "b", "c", "d", "..."}, printed));
    EXPECT_TRUE(OutputMatches({"a", "b", "...", "c", "d"}, printed));
    EXPECT_FALSE(OutputMatches({"a", "b", "c"}, printed));
    EXPECT_FALSE(OutputMatches({"a", "...", "c"}, printed));
    EXPECT_FALSE(OutputMatches({"a", "b", "c", "d", "e"}, printed));
    EXPECT_FALSE(OutputMatches({"a", "c", "..."}, printed));
    EXPECT_FALSE(OutputMatches({}, printed));
    EXPECT_TRUE(OutputMatches({}, {""}));
    EXPECT_TRUE(OutputMatches({"a", "", "b"}, {"a", " \t", "b"})) << "a line of blanks is an empty line";
}

} // namespace
} // namespace centrafix::guide
