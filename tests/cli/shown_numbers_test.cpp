// The numbers the batch command shows and the ones it refuses, held against
// what the window shows and refuses: the drag estimate in the unit the user
// named, lengths at small scales, and scales and tolerances that measure
// nothing.

#include "cli_runner.h"

#include "picture/picture_source.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <random>

using centrafix::test::CliOutcome;
using centrafix::test::RunCli;

namespace {

QJsonObject Json(const QStringList& arguments)
{
    const CliOutcome o = RunCli(QStringList{"--json"} + arguments);
    EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
    return QJsonDocument::fromJson(o.out.toUtf8()).object();
}

// The significant digits a number text shows: from its first non-zero digit.
int SignificantDigits(const QString& text)
{
    const QString digits = QString(text).remove(QRegularExpression(QStringLiteral("[^0-9]")));
    const qsizetype first = digits.indexOf(QRegularExpression(QStringLiteral("[1-9]")));
    return first < 0 ? 0 : static_cast<int>(digits.size() - first);
}

// The example twice as large with every component moved by up to 40 either
// way, as a poor scan has it: at the default tolerance most of its pixels
// match no colour.
QImage NoisyExample()
{
    const QImage example = centrafix::ExamplePicture();
    QImage noisy = example.scaled(example.size() * 2).convertToFormat(QImage::Format_RGB32);
    std::mt19937 random(19);
    std::uniform_int_distribution<int> shift(-40, 40);
    for (int y = 0; y < noisy.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(noisy.scanLine(y));
        for (int x = 0; x < noisy.width(); ++x) {
            const auto moved = [&](int c) { return std::clamp(c + shift(random), 0, 255); };
            row[x] = qRgb(moved(qRed(row[x])), moved(qGreen(row[x])), moved(qBlue(row[x])));
        }
    }
    return noisy;
}

} // namespace

// The example is 3.3 m wide at 0.01 m per pixel, however the user writes it.
TEST(ShownNumbers, TheDragEstimateReadsTheChordInTheUnitNamed)
{
    const QJsonObject metres = Json({"--scale", "0.01", "--unit", "m"});
    const double cdLam = metres["cd_lam"].toDouble(), cdTurb = metres["cd_turb"].toDouble();
    ASSERT_GT(cdLam, 0.0);
    const QStringList sameWing[] = {
        {"--scale", "10", "--unit", "mm"},
        {"--scale", "1", "--unit", " CM "},
        {"--scale", "0.01", "--unit", "Meter"},
        {"--scale", "0.01/0.0254", "--unit", "Zoll"},
        {"--scale", "0.01/0.3048", "--unit", "feet"},
    };
    for (const QStringList& arguments : sameWing) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const QJsonObject json = Json(arguments);
        EXPECT_NEAR(json["cd_lam"].toDouble() / cdLam, 1.0, 1e-12);
        EXPECT_NEAR(json["cd_turb"].toDouble() / cdTurb, 1.0, 1e-12);
        EXPECT_FALSE(json["report"].toString().contains("assumed"));
    }
    // Without a unit it knows, the scale is metres per pixel, as it always
    // was, and the report says so.
    for (const QStringList& arguments :
         {QStringList{"--scale", "0.01"}, QStringList{"--scale", "0.01", "--unit", "px"}}) {
        const CliOutcome o = RunCli(arguments);
        ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
        EXPECT_TRUE(
            o.out.contains("\r\nCD_lam = 0.000833 (meters per pixel assumed)\r\n"
                           "CD_turb = 0.005809 (meters per pixel assumed)\r\n"))
            << o.out.toStdString();
    }
    const CliOutcome german = RunCli({"--scale", "10", "--unit", "Millimeter", "--language", "de"}, "de_DE.UTF-8");
    EXPECT_TRUE(german.out.contains("\r\nCD_lam = 0,000833\r\nCD_turb = 0,005809\r\n")) << german.out.toStdString();
    const CliOutcome guessed = RunCli({"--scale", "10", "--language", "de"});
    EXPECT_TRUE(guessed.out.contains("CD_lam = 0.000026 (Meter je Pixel angenommen)")) << guessed.out.toStdString();
}

// At 0.001 m per pixel the example's areas are hundredths of a square metre
// and its positions tenths of a metre: no length or area cell, and no part
// of the size line, shows fewer than four significant digits.
TEST(ShownNumbers, SmallUnitsShowFourSignificantDigits)
{
    const CliOutcome o = RunCli({"--scale", "0.001", "--origin", "100,157"});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    const QStringList lines = o.out.section("\r\n\r\n", 0, 0).split("\r\n");
    ASSERT_EQ(lines.size(), 6) << "header, four colours, total";
    for (qsizetype r = 1; r < lines.size(); ++r) {
        const QStringList cells = lines[r].split('\t');
        // X C.G., Y C.G., X A.C., Area, then (object rows) Outline and Aero L ref.
        for (const int c : {1, 2, 3, 4, 6, 7}) {
            if (c >= cells.size() || cells[c].isEmpty() || cells[c].toDouble() == 0.0)
                continue;
            EXPECT_GE(SignificantDigits(cells[c]), 4) << lines[r].toStdString() << " cell " << c;
        }
        EXPECT_EQ(cells.value(5).section('.', 1).size(), 1) << "% Area keeps its pattern";
    }
    EXPECT_TRUE(lines[1].startsWith("black\t")) << lines[1].toStdString();
    EXPECT_EQ(lines[1].split('\t')[4], "0.01378") << "13777 pixels of a square millimetre";
    EXPECT_TRUE(o.out.contains("\r\nPixels: 330 x 314 -> scaled: 0.3300 x 0.3140\r\n")) << o.out.toStdString();
}

// A picture whose colours match little gives its numbers with a warning on
// stderr, whether it is measured as it is read or whole, alone or among
// others; a clean-up takes the warning away. One that matches nothing says so.
TEST(ShownNumbers, APictureThatMatchesLittleOrNothingSaysSo)
{
    QTemporaryDir dir;
    const QString noisy = dir.filePath("noisy.png"), white = dir.filePath("white.png");
    ASSERT_TRUE(NoisyExample().save(noisy));
    QImage blank(50, 40, QImage::Format_RGB32);
    blank.fill(Qt::white);
    ASSERT_TRUE(blank.save(white));

    const CliOutcome streamed = RunCli({noisy});
    ASSERT_EQ(streamed.exitCode, 0) << streamed.err.toStdString();
    EXPECT_TRUE(streamed.out.startsWith("Object\t")) << "the results are printed all the same";
    const QRegularExpression warning(QRegularExpression::escape("centrafix-cli: " + noisy) +
                                     ": Warning: only \\d+ pixels match a ticked color, \\d+ clearly colored "
                                     "pixels match none. Try --clean-up or a higher --tolerance.\n");
    EXPECT_TRUE(warning.match(streamed.err).hasMatch()) << streamed.err.toStdString();
    EXPECT_EQ(streamed.err.count('\n'), 1);
    EXPECT_TRUE(streamed.out.contains("\r\nTry Picture > Clean up colors or a higher tolerance.\r\n"));
    // The whole picture, as the annotated one needs it, counts the same.
    const CliOutcome whole = RunCli({noisy, "--annotated", dir.filePath("annotated.png")});
    EXPECT_EQ(whole.err, streamed.err);
    EXPECT_EQ(whole.exitCode, 0);

    const CliOutcome cleaned = RunCli({"--clean-up", noisy});
    EXPECT_EQ(cleaned.exitCode, 0);
    EXPECT_TRUE(cleaned.err.isEmpty()) << cleaned.err.toStdString();

    const CliOutcome many =
        RunCli({"--json", "--jobs", "2", noisy, dir.filePath("clean.png"), white}, QStringLiteral("C"));
    EXPECT_EQ(many.exitCode, 2) << "clean.png does not exist";
    const QStringList lines = many.err.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3) << many.err.toStdString();
    EXPECT_EQ(lines[0] + '\n', streamed.err) << "in the order of the pictures";
    EXPECT_TRUE(lines[1].contains("clean.png")) << lines[1].toStdString();
    EXPECT_EQ(lines[2], "centrafix-cli: " + white + ": No color found.");

    const CliOutcome nothing = RunCli({"--language", "de", white});
    EXPECT_EQ(nothing.exitCode, 0);
    EXPECT_EQ(nothing.err, "centrafix-cli: " + white + ": Keine Farbe gefunden.\n");
    EXPECT_TRUE(nothing.out.contains("\r\nGesamt\tKeine Farbe gefunden.\t\t\t\t\t\t\t\r\n"))
        << nothing.out.toStdString();
    EXPECT_FALSE(nothing.out.contains("100.0")) << nothing.out.toStdString();
    EXPECT_TRUE(nothing.out.endsWith("\r\nKeine Farbe gefunden.\r\n")) << nothing.out.toStdString();
}

// Scripts find each object by a key that does not change with the language:
// in the JSON beside the shown name, in the CSV right after it.
TEST(ShownNumbers, ExportsCarryAnEnglishColourBesideTheShownName)
{
    const char* const colours[] = {"total", "black", "red", "green", "blue", "yellow", "cyan", "magenta"};
    const CliOutcome json = RunCli({"--json", "--language", "de"});
    ASSERT_EQ(json.exitCode, 0);
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    for (qsizetype i = 0; i < 8; ++i)
        EXPECT_EQ(root["objects"][i]["colour"].toString(), colours[i]) << i;
    EXPECT_EQ(root["objects"][0]["name"].toString(), "Gesamt");

    QTemporaryDir dir;
    const QString example = dir.filePath("example.png");
    ASSERT_TRUE(centrafix::ExamplePicture().save(example));
    const CliOutcome csv = RunCli({"--csv", "-", "--language", "de", example});
    ASSERT_EQ(csv.exitCode, 0) << csv.err.toStdString();
    const QStringList rows = csv.out.split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 6) << "header, four colours, the total";
    EXPECT_TRUE(rows[0].startsWith("file,index,name,colour,found,area,")) << rows[0].toStdString();
    QStringList names;
    for (qsizetype r = 1; r < rows.size(); ++r)
        names << rows[r].section(',', 2, 3);
    EXPECT_EQ(names, (QStringList{"schwarz,black", "rot,red", "grün,green", "blau,blue", "Gesamt,total"}));
}
