// "Save results..." and "Save picture..." as a user meets them: the file holds
// the run's own numbers whatever the window's locale shows, a failed write
// leaves the old file and says which and why, and the saved picture is the
// copied bitmap.

#include "form1_fixture.h"

#include "csv_reader.h"

#include "engine/loading_table.h"

#include <QAction>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenuBar>

#include <csignal>
#include <cstring>
#include <sys/resource.h>

using namespace centrafix;
using test::CsvCell;
using test::Form1Test;
using test::ReadCsv;

namespace {

// The "colour" of each entry, which scripts read whatever the language.
const char* const kColours[] = {"total", "black", "red", "green", "blue", "yellow", "cyan", "magenta"};

class SaveResults : public Form1Test {
protected:
    // The example in a German window, scale typed with a comma, the origin
    // set by a right click, analysed.
    void analyseInGerman()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        open();
        field("txtScale")->setText("0,25");
        mouse(QEvent::MouseButtonPress, Qt::RightButton, QPoint(30, 150));
        analyze();
        expected = engineRun();
    }

    // Saves through the menu entry as the dialog answers; what the file
    // `written` then holds.
    QByteArray save(const QString& name, const QString& filter = {}, const QString& written = {})
    {
        form->fileToSave = dir.filePath(name);
        form->saveFilterChosen = filter;
        form->menuBar()->actions()[0]->menu()->actions()[3]->trigger();
        return storeBytes(dir.filePath(written.isEmpty() ? name : written));
    }

    LoadingTable table() const
    {
        return LoadingTable(expected.values.RowChord, expected.values.height, form->originRow(), ".");
    }

    static std::vector<double> Values(const LoadingTable::Row& r)
    {
        return {r.Eta, r.G[0], r.Cl[0], r.G[1], r.Cl[1], r.G[2], r.Cl[2], r.G[3], r.Cl[3], r.chord};
    }

    AnalysisResult expected;
};

TEST_F(SaveResults, CsvHoldsTheRunsNumbersWithAPointInAGermanWindow)
{
    analyseInGerman();
    // No extension: the filter offered first, CSV.
    const QByteArray bytes = save("results", {}, "results.csv");
    EXPECT_EQ(status(), "Ergebnisse in results.csv gespeichert.");
    const std::optional<std::vector<QStringList>> records = ReadCsv(QString::fromUtf8(bytes));
    ASSERT_TRUE(records && !records->empty());
    const QStringList header = records->front();
    const ColorObjectTable& objects = form->colorObjects();
    EXPECT_EQ(header.indexOf("colour"), header.indexOf("name") + 1);
    std::size_t r = 1;
    for (std::size_t i : {1, 2, 3, 4, 5, 6, 7, 0}) {
        if (i != 0 && !objects[i].Found)
            continue;
        const QStringList& row = (*records)[r++];
        ASSERT_EQ(row.size(), header.size());
        const auto number = [&](const char* column) {
            bool ok = false;
            const double value = CsvCell(header, row, column).toDouble(&ok);
            EXPECT_TRUE(ok) << column << " is no number with a point: " << CsvCell(header, row, column).toStdString();
            return value;
        };
        SCOPED_TRACE(row.join(',').toStdString());
        EXPECT_EQ(CsvCell(header, row, "name"), QString::fromStdString(objects[i].Name));
        EXPECT_EQ(CsvCell(header, row, "colour"), kColours[i]) << "English whatever the window's language";
        EXPECT_EQ(number("area"), objects[i].Area);
        EXPECT_EQ(number("area_percent"), objects[i].AreaPercent);
        EXPECT_EQ(number("cg_x"), expected.values.CGPoint[i].x);
        EXPECT_EQ(number("cg_y"), expected.values.CGPoint[i].y);
        EXPECT_EQ(number("ac_x"), expected.values.ACPoint[i].x);
        EXPECT_EQ(number("outline"), objects[i].Outline);
        EXPECT_EQ(number("ref_length"), objects[i].RefLength);
        EXPECT_EQ(number("scale"), 0.25);
        EXPECT_EQ(number("origin_x"), form->originX());
        EXPECT_EQ(number("origin_y"), form->originY());
        EXPECT_EQ(number("origin_column"), 30.0);
        EXPECT_EQ(number("origin_row"), 150.0);
        EXPECT_EQ(number("cd_lam"), expected.drag->value().CD_lam);
        EXPECT_EQ(number("cd_turb"), expected.drag->value().CD_turb);
    }
    ASSERT_EQ((*records)[r], QStringList{QString()});
    const LoadingTable loading = table();
    ASSERT_EQ(records->size(), r + 2 + loading.rows());
    for (std::size_t y = 0; y < loading.rows(); ++y) {
        const std::vector<double> values = Values(loading.row(y));
        for (std::size_t c = 0; c < values.size(); ++c)
            ASSERT_EQ((*records)[r + 2 + y].value(static_cast<qsizetype>(c)).toDouble(), values[c])
                << "row " << y << " column " << c;
    }
}

TEST_F(SaveResults, JsonHoldsTheRunsNumbersAndTheLoadingTable)
{
    analyseInGerman();
    const QJsonObject json = QJsonDocument::fromJson(save("results", "JSON (*.json)", "results.json")).object();
    ASSERT_FALSE(json.isEmpty()) << "results.json is JSON";
    EXPECT_EQ(json["scale_factor"].toDouble(), 0.25);
    EXPECT_EQ(json["objects"][2]["area"].toDouble(), form->colorObjects()[2].Area);
    for (qsizetype i = 0; i < 8; ++i) {
        EXPECT_EQ(json["objects"][i]["colour"].toString(), kColours[i]);
        EXPECT_EQ(json["objects"][i]["name"].toString().toStdString(),
                  form->colorObjects()[static_cast<std::size_t>(i)].Name);
    }
    EXPECT_EQ(json["objects"][2]["name"].toString(), "rot");
    EXPECT_EQ(json["objects"][2]["cg_y"].toDouble(), expected.values.CGPoint[2].y);
    EXPECT_EQ(json["cd_turb"].toDouble(), expected.drag->value().CD_turb);
    EXPECT_EQ(json["file"], "") << "the built-in example has no file";
    EXPECT_EQ(json["unit"], "");
    EXPECT_EQ(json["mach"].toDouble(), 0.85);
    const QJsonArray rows = json["loading_table"].toArray();
    const LoadingTable loading = table();
    ASSERT_EQ(static_cast<std::size_t>(rows.size()), loading.rows());
    const std::size_t y = loading.rows() / 2;
    EXPECT_EQ(rows[static_cast<qsizetype>(y)]["Cl(sin^2)"].toDouble(), loading.row(y).Cl[1]);
    EXPECT_EQ(rows[static_cast<qsizetype>(y)]["chord"].toDouble(), loading.row(y).chord);
}

TEST_F(SaveResults, NothingIsOfferedBeforeARunOrAfterANewPicture)
{
    open();
    QAction* saveResults = form->findChild<QAction*>("actSaveResults");
    ASSERT_NE(saveResults, nullptr);
    EXPECT_FALSE(saveResults->isEnabled()) << "no results yet";
    EXPECT_TRUE(save("early.csv").isEmpty());
    analyze();
    EXPECT_TRUE(saveResults->isEnabled());
    EXPECT_FALSE(save("late.csv").isEmpty());
    QImage other(20, 10, QImage::Format_RGB32);
    other.fill(Qt::red);
    ASSERT_TRUE(other.save(dir.filePath("other.png")));
    form->openPictureFile(dir.filePath("other.png"));
    EXPECT_FALSE(saveResults->isEnabled()) << "the old picture's results are not this one's";
    EXPECT_TRUE(save("stale.csv").isEmpty());
    EXPECT_EQ(form->messages, QStringList{});
}

TEST_F(SaveResults, AFailedWriteLeavesTheOldFileAndSaysWhichAndWhy)
{
    analyseInGerman();
    const QByteArray old = "old results\r\n";
    // A name too long for the new file to be made beside the old one, a
    // folder the user may not write in (no bar to root), and a disk that
    // fills up on the way.
    const QString locked = dir.filePath("locked");
    ASSERT_TRUE(QDir().mkdir(locked));
    const QStringList paths{dir.filePath(QString(250, u'n') + ".csv"), locked + "/results.csv",
                            dir.filePath("full.csv")};
    for (const QString& path : paths) {
        setStoreBytes(old, path);
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (QFileInfo(path).absolutePath() == locked && QFileInfo(locked).isWritable())
            continue;
        form->messages.clear();
        form->fileToSave = path;
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        const auto ignored = std::signal(SIGXFSZ, SIG_IGN);
        if (path.endsWith("full.csv")) {
            rlimit small = before;
            small.rlim_cur = 4096;
            setrlimit(RLIMIT_FSIZE, &small);
        }
        form->saveResults();
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, ignored);
        EXPECT_EQ(storeBytes(path), old) << path.toStdString();
        const QString said = path + ": die Datei kann nicht geschrieben werden (";
        EXPECT_TRUE(status().startsWith(said)) << status().toStdString();
        ASSERT_EQ(form->messages.size(), 1);
        EXPECT_EQ(form->messages[0], status());
    }
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(SaveResults, TheSavedPictureIsTheCopiedBitmapPixelForPixel)
{
    open();
    mouse(QEvent::MouseButtonPress, Qt::RightButton, QPoint(40, 120));
    get<QCheckBox>("chkAreaAC")->setChecked(true);
    get<QCheckBox>("chkAreaCG")->setChecked(true);
    analyze();
    form->fileToSave = dir.filePath("marked"); // no extension: PNG
    form->savePicture();
    EXPECT_EQ(status(), "Bild in marked.png gespeichert.");
    click("btnCopyBitmap");
    const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    const QImage saved = QImage(dir.filePath("marked.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(saved.size(), copied.size());
    ASSERT_FALSE(copied.isNull());
    for (int y = 0; y < saved.height(); ++y)
        ASSERT_EQ(std::memcmp(saved.constScanLine(y), copied.constScanLine(y), 4 * std::size_t(saved.width())), 0)
            << "row " << y;
    // The marks are in it: it is not the bare picture.
    EXPECT_NE(saved, workingCopy().picture().convertToFormat(QImage::Format_RGB32));
}

} // namespace
