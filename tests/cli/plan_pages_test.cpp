// PDF pages and SVG drawings in the batch command: the page and resolution
// asked for, measured in bands or held whole alike, in every worker.

#include "cli_runner.h"
#include "plan_files.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <memory>

using namespace centrafix::test;

namespace {

// Drawing the plans' text needs fonts, which need an application object;
// the other batch tests need none, so it is made when first needed and
// ends with the tests, before Qt's own statics do.
class Fonts : public ::testing::Environment {
public:
    static void need()
    {
        if (QCoreApplication::instance() != nullptr)
            return;
        static int argc = 1;
        static char name[] = "centrafix_cli_tests";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        s_application = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { s_application.reset(); }

private:
    static inline std::unique_ptr<QGuiApplication> s_application;
};
[[maybe_unused]] ::testing::Environment* const kFonts = ::testing::AddGlobalTestEnvironment(new Fonts);

class PlanPages : public ::testing::Test {
protected:
    void SetUp() override
    {
        Fonts::need();
        ASSERT_TRUE(m_dir.isValid());
        // Red on the first page; blue, 40 x 25 mm, on the second.
        plan = m_dir.filePath("plan.pdf");
        ASSERT_TRUE(WritePlanPdf(plan, {PlanPage{}, PlanPage{QSizeF(297.0, 210.0), Qt::blue, QRectF(10, 60, 40, 25)}}));
        copy = m_dir.filePath("copy of plan.pdf");
        ASSERT_TRUE(QFile::copy(plan, copy));
    }

    QString write(const QString& name, const QByteArray& bytes) const
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(WriteBytes(path, bytes));
        return path;
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    QString plan, copy;

private:
    QTemporaryDir m_dir;
};

QJsonObject Json(const CliOutcome& o)
{
    return QJsonDocument::fromJson(o.out.toUtf8()).object();
}

double Area(const QJsonObject& json, const QString& colour)
{
    for (const QJsonValue& object : json["objects"].toArray()) {
        if (object["colour"].toString() == colour)
            return object["area"].toDouble();
    }
    return -1.0;
}

TEST_F(PlanPages, TheSecondPageAtTheResolutionAskedFor)
{
    // 0.254 mm a pixel is 100 dpi: the blue area in square millimetres.
    const QStringList common{"--json", "--colors", "red,blue", "--scale", "0.254"};
    const CliOutcome second = RunCli(common + QStringList{"--page", "2", "--dpi", "100", plan});
    ASSERT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_NEAR(Area(Json(second), "blue"), 40.0 * 25.0, 20.0);
    EXPECT_EQ(Area(Json(second), "red"), 0.0);
    // Without the options: page 1 at 150 dpi, where a pixel is 2/3 as long,
    // so the 30 x 20 mm red area comes out 2.25 times as large.
    const CliOutcome first = RunCli(common + QStringList{plan});
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_NEAR(Area(Json(first), "red"), 30.0 * 20.0 * 2.25, 30.0);
    EXPECT_EQ(Area(Json(first), "blue"), 0.0);
}

TEST_F(PlanPages, EveryWorkerDrawsThePageAsked)
{
    const QStringList options{"--json", "--page", "2", "--dpi", "100"};
    const CliOutcome many = RunCli(options + QStringList{"-j", "2", plan, copy});
    ASSERT_EQ(many.exitCode, 0) << many.err.toStdString();
    const QStringList lines = many.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    for (const QString& line : lines) {
        const QJsonObject result = QJsonDocument::fromJson(line.toUtf8()).object();
        QJsonObject single = Json(RunCli(options + QStringList{result["file"].toString()}));
        single["file"] = result["file"];
        EXPECT_EQ(result, single);
        EXPECT_GT(Area(result, "blue"), 0.0);
    }
}

TEST_F(PlanPages, MeasuredInBandsOrHeldWholeTheNumbersAreTheSame)
{
    const QString svg = write("plan.svg", PlanSvg());
    for (const QString& file : {plan, svg}) {
        const QStringList options{"--json", "--dpi", "217", file};
        const CliOutcome banded = RunCli(options);
        const CliOutcome whole = RunCli(options + QStringList{"--annotated", path("annotated.png")});
        ASSERT_EQ(banded.exitCode, 0) << banded.err.toStdString();
        ASSERT_EQ(whole.exitCode, 0) << whole.err.toStdString();
        EXPECT_EQ(banded.out, whole.out) << file.toStdString();
    }
}

TEST_F(PlanPages, EachRefusalIsOneLineAndExitStatusTwo)
{
    const QString locked = write("locked.pdf", EncryptedPdf());
    const QString noise = write("noise.pdf", QByteArray(5000, '\x11'));
    const QString external = write("linked.svg",
                                   "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"9\" height=\"9\">"
                                   "<image href=\"/etc/passwd\"/></svg>");
    struct Case {
        QStringList arguments;
        QString line;
    };
    const Case cases[] = {
        {{"--page", "3", plan}, plan + ": there is no page 3: the document has 2 page(s)"},
        {{"--page", "0", plan}, "--page needs a whole number from 1, not \"0\"."},
        {{"--page", "two", plan}, "--page needs a whole number from 1, not \"two\"."},
        {{"--dpi", "0", plan}, "--dpi needs a number above 0 and at most 10000, not \"0\"."},
        {{"--dpi", "inf", plan}, "--dpi needs a number above 0 and at most 10000, not \"inf\"."},
        {{"--dpi", "20000", plan}, "--dpi needs a number above 0 and at most 10000, not \"20000\"."},
        {{locked}, locked + ": a password-protected (encrypted) PDF; save it without a password"},
        {{noise}, noise + ": damaged or unreadable PDF"},
        {{external},
         external + ": the SVG drawing refers to another file (\"/etc/passwd\"), which is not read; "
                    "save it with everything embedded"},
    };
    for (const Case& c : cases) {
        const CliOutcome o = RunCli(c.arguments);
        EXPECT_EQ(o.exitCode, 2) << c.line.toStdString();
        EXPECT_EQ(o.err, "centrafix-cli: " + c.line + "\n");
        EXPECT_TRUE(o.out.isEmpty());
    }
    // Too big to hold whole for the annotated picture; in bands it is taken.
    const CliOutcome whole = RunCli({"--dpi", "2500", "--annotated", path("big.png"), plan});
    EXPECT_EQ(whole.exitCode, 2);
    EXPECT_TRUE(whole.err.contains("more than the 600-megapixel limit for a picture held whole; at "))
        << whole.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("big.png")));
}

} // namespace
