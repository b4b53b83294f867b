// The batch command's numbers for the built-in example at a scale other than
// 1 and an origin away from the corner, pinned to the last digit: every
// place where the scale or the origin enters a result shows here.

#include "cli_runner.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using centrafix::test::RunCli;

namespace {

const QStringList kRun = {"--scale", "0.01", "--origin", "100,157"};

TEST(BatchGolden, ExampleAtScaleAndOriginGivesThePinnedResults)
{
    const auto o = RunCli(QStringList{"--json"} + kRun);
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(o.out.toUtf8()).object();
    EXPECT_EQ(root["cd_lam"].toDouble(), 0.0008330260557085852);
    EXPECT_EQ(root["cd_turb"].toDouble(), 0.005809131052144001);
    EXPECT_EQ(root["origin"]["x"].toDouble(), 1.0);
    EXPECT_EQ(root["origin"]["y"].toDouble(), 1.57);

    struct Pinned {
        int index;
        double area, cgX, cgY, acX, outline, refLength;
    };
    const Pinned pinned[] = {
        {0, 4.0471, 0.8812148204887451, -0.0050966123891182935, 0.5150571396802648, 0, 0},
        {1, 1.3777000000000001, 0.5195735646367134, -0.0050000000000001155, -0.15018490963199538, 7.640000000000001,
         2.679033897074835},
        {2, 1.9724000000000002, 0.9036123504360172, -0.0016624416953965326, 0.6840458324883392, 13.540000000000001,
         0.879629892516731},
        {4, 0.40700000000000003, 2.040449631449632, -0.0027542997542997494, 1.9356744471744474, 3.9,
         0.41910073710073714},
        {5, 0, -1, -1.57, -1, 0, 0},
    };
    const QJsonArray objects = root["objects"].toArray();
    for (const Pinned& p : pinned) {
        SCOPED_TRACE(p.index);
        const QJsonValue object = objects[p.index];
        EXPECT_EQ(object["area"].toDouble(), p.area);
        EXPECT_EQ(object["cg_x"].toDouble(), p.cgX);
        EXPECT_EQ(object["cg_y"].toDouble(), p.cgY);
        EXPECT_EQ(object["ac_x"].toDouble(), p.acX);
        EXPECT_EQ(object["outline"].toDouble(), p.outline);
        EXPECT_EQ(object["ref_length"].toDouble(), p.refLength);
    }
}

TEST(BatchGolden, LoadingTableRowsAroundTheOriginRow)
{
    const auto o = RunCli(QStringList{"--loading-table", "-"} + kRun);
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    const QStringList lines = o.out.split("\r\n");
    ASSERT_EQ(lines.size(), 316); // header, 314 rows, nothing after the last CR LF
    EXPECT_EQ(lines[1],
              "-1\t7.79634366503876E-17\t1.4992968586613E-16\t1.12481983699639E-32\t"
              "2.16311507114691E-32\t1.55901902408476E-48\t2.9981135078553E-48\t"
              "2.10869944283432E-64\t4.05519123621985E-64");
    EXPECT_EQ(lines[157],
              "-0.00636942675159236\t0.636606858532754\t0.193497525389895\t"
              "0.749969572802142\t0.22795427744746\t0.848774708865286\t"
              "0.257986233697655\t0.937423933548379\t0.28493128679282");
    EXPECT_EQ(lines[158],
              "0\t0.636619772367582\t0.196487584064069\t0.75\t0.231481481481481\t"
              "0.848826363156776\t0.261983445418758\t0.9375\t0.289351851851852");
    EXPECT_EQ(lines[301],
              "0.910828025477707\t0.26278774956648\t0.453082326838759\t"
              "0.127794231003286\t0.220334881040149\t0.0597026815518799\t"
              "0.102935657848069\t0.0272189424628688\t0.0469292111428772");
}

} // namespace
