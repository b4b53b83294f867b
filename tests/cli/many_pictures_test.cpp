// Many pictures in one run: printed in the order given whatever finishes
// first, a refused picture named while the others go on, and tables that
// read back as the single-picture results.

#include "cli_runner.h"
#include "csv_reader.h"
#include "metafile_builder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using centrafix::test::CsvCell;
using centrafix::test::ReadCsv;
using centrafix::test::RunCli;

namespace {

class ManyPictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A slow big one first, then small ones of different colours, a
        // file that is no picture, and the big one again.
        big = picture("big.png", 2400, 2400, Qt::red);
        small1 = picture("small1.bmp", 40, 30, Qt::blue);
        small2 = picture("small2.png", 25, 50, Qt::black);
        broken = dir.filePath("broken.png");
        QFile(broken).open(QIODevice::WriteOnly);
    }

    QString picture(const char* name, int w, int h, Qt::GlobalColor colour)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (int y = h / 4; y < h / 2; ++y)
            for (int x = w / 4; x < w / 2; ++x)
                image.setPixel(x, y, QColor(colour).rgb());
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    QTemporaryDir dir;
    QString big, small1, small2, broken;
};

TEST_F(ManyPictures, JsonLinesInTheOrderGivenAndARefusalNamedWhileTheOthersGoOn)
{
    const auto o = RunCli({"--json", "-j", "2", big, small1, broken, small2});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_EQ(o.err, "centrafix-cli: " + broken + ": the file is empty\n");
    const QStringList lines = o.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    QStringList files;
    for (const QString& line : lines) {
        const QJsonObject result = QJsonDocument::fromJson(line.toUtf8()).object();
        files << result["file"].toString();
        // Each line is the single-picture result plus its file.
        QJsonObject single = QJsonDocument::fromJson(RunCli({"--json", files.last()}).out.toUtf8()).object();
        single["file"] = files.last();
        EXPECT_EQ(result, single) << files.last().toStdString();
    }
    EXPECT_EQ(files, (QStringList{big, small1, small2}));
}

TEST_F(ManyPictures, OneCsvTableOfObjectsAndTotalsWithFullPrecision)
{
    const QString table = dir.filePath("table.csv");
    ASSERT_EQ(RunCli({"--csv", table, "--scale", "1/3", small1, small2}).exitCode, 0);
    QFile file(table);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 5) << "header, blue and total, black and total";
    EXPECT_EQ(rows[0],
              "file,index,name,colour,found,area,area_percent,cg_x,cg_y,ac_x,outline,ref_length,weight,"
              "width,height,scale,unit,origin_x,origin_y,origin_column,origin_row,tolerance,cd_lam,cd_turb,"
              "balance_neutral_point_x,balance_cl_alpha,balance_mac,balance_mac_x_le,balance_mac_y,balance_root_le_x,"
              "balance_static_margin_low,balance_static_margin_high,balance_cg_forward_x,balance_cg_aft_x,"
              "balance_estimate_neutral_point_x,balance_cg_x,balance_cg_static_margin");
    const QStringList blue = rows[1].split(',');
    EXPECT_EQ(blue[0], small1);
    EXPECT_EQ(blue[2], "blue");
    EXPECT_EQ(blue[3], "blue");
    // 10 x 8 pixels a third of a unit wide each, written in full.
    EXPECT_DOUBLE_EQ(blue[5].toDouble(), 80.0 / 9.0);
    EXPECT_GE(blue[5].size(), 17);
    EXPECT_EQ(blue[15], "0.3333333333333333");
    EXPECT_EQ(rows[2].split(',')[2], "total");
    EXPECT_EQ(rows[3].split(',')[0], small2);
}

TEST_F(ManyPictures, AUnitNamedGoesToEveryWorkerAndOnePictureMakesTheSameTable)
{
    const QString table = dir.filePath("table.csv");
    const QStringList common{"--unit", "cm", "--scale", "0.1", "--origin", "3,4", "--csv", table};
    for (const QStringList& pictures : {QStringList{small1}, QStringList{small1, small2}}) {
        // A German locale changes nothing: the table is for programs.
        ASSERT_EQ(RunCli(common + pictures, "de_DE.UTF-8").exitCode, 0);
        QFile file(table);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const std::optional<std::vector<QStringList>> records = ReadCsv(QString::fromUtf8(file.readAll()));
        ASSERT_TRUE(records);
        ASSERT_EQ(records->size(), 1 + 2 * pictures.size()) << "the header, then a colour and the total each";
        const QStringList& header = records->front();
        for (std::size_t r = 1; r < records->size(); ++r) {
            const QStringList& row = (*records)[r];
            ASSERT_EQ(row.size(), header.size());
            const QString picture = CsvCell(header, row, "file");
            EXPECT_EQ(picture, pictures[static_cast<qsizetype>((r - 1) / 2)]);
            EXPECT_EQ(CsvCell(header, row, "unit"), "cm");
            EXPECT_EQ(CsvCell(header, row, "origin_column"), "3");
            EXPECT_EQ(CsvCell(header, row, "origin_row"), "4");
            EXPECT_EQ(CsvCell(header, row, "tolerance"), "10");
            // The same numbers as that picture's JSON, to the last digit.
            const QJsonObject json = QJsonDocument::fromJson(RunCli(QStringList{"--json", "--unit", "cm", "--scale",
                                                                                "0.1", "--origin", "3,4", picture})
                                                                 .out.toUtf8())
                                         .object();
            EXPECT_EQ(json["unit"], "cm");
            const QJsonObject object = json["objects"][CsvCell(header, row, "index").toInt()].toObject();
            for (const char* key : {"area", "area_percent", "cg_x", "cg_y", "ac_x", "outline", "ref_length"})
                EXPECT_EQ(CsvCell(header, row, key).toDouble(), object[key].toDouble()) << key;
            EXPECT_EQ(CsvCell(header, row, "origin_x").toDouble(), json["origin"]["x"].toDouble());
            EXPECT_EQ(CsvCell(header, row, "cd_lam").toDouble(), json["cd_lam"].toDouble());
        }
    }
}

TEST_F(ManyPictures, TextNamesEachPictureAndAListComesFromAFile)
{
    const QString list = dir.filePath("list.txt");
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write((small1 + "\r\n\r\n" + small2 + "\n").toUtf8());
    file.close();
    const auto o = RunCli({"--files-from", list, "-j", "1"}); // one worker takes both in turn
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_TRUE(o.out.startsWith(small1 + "\r\nObject\t")) << o.out.toStdString();
    EXPECT_TRUE(o.out.contains("\r\n\r\n" + small2 + "\r\nObject\t"));
    EXPECT_TRUE(o.err.isEmpty()) << "no progress line when stderr is no terminal";
}

TEST_F(ManyPictures, AWorkerDrawsTheTextOfAMetafileNamedOnlyInTheList)
{
    // Text needs fonts, which a worker starts although no argument of the
    // run names a metafile.
    centrafix::test::Metafile labelled;
    labelled.placeable(0, 0, 200, 100, 96).font(-40, 700, false, {}).select(0).textColour(0x0000FF);
    const QString metafile = dir.filePath("label.wmf"), list = dir.filePath("list.txt");
    QFile drawing(metafile), names(list);
    ASSERT_TRUE(drawing.open(QIODevice::WriteOnly) && names.open(QIODevice::WriteOnly));
    drawing.write(labelled.record(centrafix::test::kSetBkMode, {1}).text(10, 10, "Rumpf").bytes());
    names.write((small1 + "\n" + metafile + "\n").toUtf8());
    drawing.close();
    names.close();
    const auto o = RunCli({"--json", "--files-from", list, "-j", "1"});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    const QStringList lines = o.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    const QJsonObject label = QJsonDocument::fromJson(lines[1].toUtf8()).object();
    EXPECT_TRUE(label["objects"][4]["found"].toBool()) << "blue: the label";
}

} // namespace
