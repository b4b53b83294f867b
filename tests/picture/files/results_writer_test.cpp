// Everything a run produced, saved for other programs: read back with a
// reader of our own (CSV) and QJsonDocument (JSON), every number must be the
// run's own to the last digit and the loading table the run's table.

#include "csv_reader.h"
#include "test_raster.h"

#include "engine/analysis_run.h"
#include "engine/loading_table.h"
#include "picture/files/results_writer.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace centrafix;
using centrafix::test::CsvCell;
using centrafix::test::ReadCsv;
using centrafix::test::TextPicture;

namespace {

class ResultsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        in.ticked.fill(true);
        in.ticked[0] = false;
        in.scaleText = "1/3";
        in.unit = "mm, \"scaled\""; // a unit needing quotes in CSV
        in.OriginX = 2.0 / 3.0;
        in.OriginY = 5.0 / 3.0;
        in.OriginRow = 5.0;
        in.machText = "0.2";
        objects = MakeColorObjects(kEnglish);
        objects[1].Name = "wing, left"; // a name needing quotes
        objects[3].Weight = 0.7;
        setup = *PrepareRun(in);
        AnalysisObserver quiet;
        result = RunAnalysis(picture.view(), objects, setup, in, quiet);
        ASSERT_TRUE(result.completed);
    }

    QByteArray written(bool json)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        const ResultFacts facts{in, 2.0, 5.0, setup, objects, result};
        EXPECT_FALSE(json ? WriteResultsJson(buffer, facts, "plane, v2.png")
                          : WriteResultsCsv(buffer, facts, "plane, v2.png"));
        return bytes;
    }

    LoadingTable table() const { return LoadingTable(result.values.RowChord, result.values.height, in.OriginRow, "."); }

    // The row's values in the order of the loading table's columns, then the chord.
    static std::vector<double> Values(const LoadingTable::Row& r)
    {
        return {r.Eta, r.G[0], r.Cl[0], r.G[1], r.Cl[1], r.G[2], r.Cl[2], r.G[3], r.Cl[3], r.chord};
    }

    TextPicture picture{
        "..........", "..kkkk....", "..kkkkkk..", "....rrr...", "...rrrrr..", "..rrrrrrr.", "....bb....", "....bbb...",
    };
    AnalysisInputs in;
    RunSetup setup;
    ColorObjectTable objects{};
    AnalysisResult result;
};

TEST_F(ResultsFile, CsvHoldsEveryDigitOfTheObjectsAndAfterAnEmptyLineTheLoadingTable)
{
    const std::optional<std::vector<QStringList>> records = ReadCsv(QString::fromUtf8(written(false)));
    ASSERT_TRUE(records);
    const QStringList header = records->front();
    EXPECT_EQ(header.join(','),
              "file,index,name,colour,found,area,area_percent,cg_x,cg_y,ac_x,outline,ref_length,weight,"
              "width,height,scale,unit,origin_x,origin_y,origin_column,origin_row,tolerance,"
              "cd_lam,cd_turb,"
              "balance_neutral_point_x,balance_cl_alpha,balance_mac,balance_mac_x_le,balance_mac_y,balance_root_le_x,"
              "balance_static_margin_low,balance_static_margin_high,balance_cg_forward_x,balance_cg_aft_x,"
              "balance_estimate_neutral_point_x,balance_cg_x,balance_cg_static_margin");
    // Black, red, blue, the total; then the empty line.
    ASSERT_GE(records->size(), 6u);
    const std::vector<std::size_t> listed{1, 2, 4, 0};
    for (std::size_t k = 0; k < listed.size(); ++k) {
        const QStringList& row = (*records)[k + 1];
        const std::size_t i = listed[k];
        const auto number = [&](const char* column) { return CsvCell(header, row, column).toDouble(); };
        SCOPED_TRACE(row.join(',').toStdString());
        ASSERT_EQ(row.size(), header.size());
        EXPECT_EQ(CsvCell(header, row, "file"), "plane, v2.png");
        EXPECT_EQ(CsvCell(header, row, "name"), QString::fromStdString(objects[i].Name));
        EXPECT_EQ(number("index"), static_cast<double>(i));
        EXPECT_EQ(number("area"), objects[i].Area);
        EXPECT_EQ(number("area_percent"), objects[i].AreaPercent);
        EXPECT_EQ(number("cg_x"), result.values.CGPoint[i].x);
        EXPECT_EQ(number("cg_y"), result.values.CGPoint[i].y);
        EXPECT_EQ(number("ac_x"), result.values.ACPoint[i].x);
        EXPECT_EQ(number("outline"), objects[i].Outline);
        EXPECT_EQ(number("ref_length"), objects[i].RefLength);
        EXPECT_EQ(number("weight"), objects[i].Weight);
        EXPECT_EQ(number("scale"), 1.0 / 3.0);
        EXPECT_EQ(CsvCell(header, row, "unit"), "mm, \"scaled\"");
        EXPECT_EQ(number("origin_x"), in.OriginX);
        EXPECT_EQ(number("origin_y"), in.OriginY);
        EXPECT_EQ(number("origin_column"), 2.0);
        EXPECT_EQ(number("origin_row"), 5.0);
        EXPECT_EQ(number("tolerance"), setup.Tolerance);
        EXPECT_EQ(number("cd_lam"), result.drag->value().CD_lam);
        EXPECT_EQ(number("cd_turb"), result.drag->value().CD_turb);
    }
    EXPECT_EQ((*records)[5], QStringList{QString()}) << "one empty line between the two tables";

    const QStringList loadingHeader = (*records)[6];
    EXPECT_EQ(loadingHeader.join(','),
              "Eta,G(sin),Cl(sin),G(sin^2),Cl(sin^2),G(sin^3),Cl(sin^3),G(sin^4),Cl(sin^4),chord");
    const LoadingTable expected = table();
    ASSERT_EQ(records->size(), 7 + expected.rows());
    for (std::size_t y = 0; y < expected.rows(); ++y) {
        const QStringList& row = (*records)[7 + y];
        const std::vector<double> values = Values(expected.row(y));
        ASSERT_EQ(row.size(), static_cast<qsizetype>(values.size()));
        for (std::size_t c = 0; c < values.size(); ++c)
            EXPECT_EQ(row[static_cast<qsizetype>(c)].toDouble(), values[c]) << "row " << y << " column " << c;
    }
}

TEST_F(ResultsFile, JsonIsTheBatchObjectWithTheFileTheUnitTheDragInputsAndTheLoadingTable)
{
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(written(true), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();

    // Every key the batch command writes, with its value unchanged.
    const QJsonObject batch = ResultJson(ResultFacts{in, 2.0, 5.0, setup, objects, result});
    for (auto it = batch.begin(); it != batch.end(); ++it)
        EXPECT_EQ(json[it.key()], it.value()) << it.key().toStdString();
    EXPECT_EQ(json["objects"][1]["cg_x"].toDouble(), result.values.CGPoint[1].x);
    EXPECT_EQ(json["file"], "plane, v2.png");
    EXPECT_EQ(json["unit"], "mm, \"scaled\"");
    EXPECT_EQ(json["altitude"].toDouble(), 10000.0);
    EXPECT_EQ(json["mach"].toDouble(), 0.2);

    const QJsonArray rows = json["loading_table"].toArray();
    const LoadingTable expected = table();
    ASSERT_EQ(static_cast<std::size_t>(rows.size()), expected.rows());
    QStringList names;
    for (const std::string_view name : LoadingTable::kColumns)
        names << QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    names << "chord";
    for (std::size_t y = 0; y < expected.rows(); ++y) {
        const QJsonObject row = rows[static_cast<qsizetype>(y)].toObject();
        const std::vector<double> values = Values(expected.row(y));
        EXPECT_EQ(row.size(), names.size());
        for (std::size_t c = 0; c < values.size(); ++c)
            EXPECT_EQ(row[names[static_cast<qsizetype>(c)]].toDouble(), values[c]) << "row " << y << " column " << c;
    }
}

TEST_F(ResultsFile, TheBatchObjectNamesAUnitOnlyWhereOneWasGiven)
{
    EXPECT_EQ(ResultJson(ResultFacts{in, 2.0, 5.0, setup, objects, result})["unit"], "mm, \"scaled\"");
    in.unit.clear();
    EXPECT_FALSE(ResultJson(ResultFacts{in, 2.0, 5.0, setup, objects, result}).contains("unit"));
}

} // namespace
