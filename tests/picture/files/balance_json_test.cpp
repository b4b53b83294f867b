// The balance as it leaves the program for other programs: the JSON keys
// scripts read, the CSV columns of the total row, and nothing at all where no
// lifting surface was found.

#include "csv_reader.h"

#include "picture/files/result_facts.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

using namespace centrafix;
using centrafix::test::ReadCsv;

namespace {

constexpr int kRed = 2, kGreen = 3, kBlue = 4;

aero::Balance TwoSurfaces()
{
    aero::Balance b;
    aero::SurfaceBalance wing;
    wing.objects = {kRed, kGreen};
    wing.role = aero::SurfaceRole::Wing;
    wing.geometry = {1200.0, 100.0, 100.0 / 12.0, 12.25, 30.5, 22.75, 50.0, 3.5, 2.0, 28.0};
    wing.clAlpha = 4.75;
    wing.liftShare = 0.875;
    aero::SurfaceBalance tail;
    tail.objects = {kBlue};
    tail.role = aero::SurfaceRole::Tail;
    tail.geometry.area = 200.0;
    tail.clAlpha = 3.5;
    tail.liftShare = 0.125;
    b.surfaces = {wing, tail};
    b.neutralPointX = 36.125;
    b.clAlpha = 5.0625;
    b.panels = 512;
    b.estimate = {35.5, 4.5, 0.375, {3.25}};
    b.marginLow = 5.0;
    b.marginHigh = 15.0;
    b.range = {34.3, 35.5, 6.3, 7.5};
    b.typedCgX = 35.0;
    b.typedCgMargin = 9.1836734693877551;
    return b;
}

class BalanceJson : public ::testing::Test {
protected:
    BalanceJson() { in.ticked.fill(true); }

    QJsonObject json() const { return ResultJson(ResultFacts{in, 0.0, 0.0, setup, objects, result}); }

    AnalysisInputs in;
    RunSetup setup;
    ColorObjectTable objects = MakeColorObjects(kEnglish);
    AnalysisResult result;
};

} // namespace

TEST_F(BalanceJson, TheBalanceObjectHasEveryKeyUnrounded)
{
    objects[kBlue].Name = "Tail, left";
    result.balance = TwoSurfaces();
    const QJsonObject b = json()["balance"].toObject();
    EXPECT_EQ(b["neutral_point_x"].toDouble(), 36.125);
    EXPECT_EQ(b["cl_alpha"].toDouble(), 5.0625);
    EXPECT_EQ(b["panels"].toInt(), 512);
    EXPECT_EQ(b["mac"].toDouble(), 12.25);
    EXPECT_EQ(b["mac_x_le"].toDouble(), 30.5);
    EXPECT_EQ(b["mac_y"].toDouble(), 22.75);
    EXPECT_EQ(b["root_le_x"].toDouble(), 28.0);
    EXPECT_EQ(b["static_margin"].toArray(), (QJsonArray{5.0, 15.0}));
    EXPECT_EQ(b["cg_forward_x"].toDouble(), 34.3);
    EXPECT_EQ(b["cg_aft_x"].toDouble(), 35.5);
    EXPECT_EQ(b["cg_forward_behind_root_le"].toDouble(), 6.3);
    EXPECT_EQ(b["cg_aft_behind_root_le"].toDouble(), 7.5);
    EXPECT_EQ(b["cg_typed_x"].toDouble(), 35.0);
    EXPECT_EQ(b["cg_typed_static_margin"].toDouble(), 9.1836734693877551);
    EXPECT_EQ(b["estimate"].toObject(),
              (QJsonObject{{"neutral_point_x", 35.5}, {"cl_alpha", 4.5}, {"downwash_gradient", 0.375}}));
    const QJsonArray surfaces = b["surfaces"].toArray();
    ASSERT_EQ(surfaces.size(), 2);
    const QJsonObject wing = surfaces[0].toObject();
    EXPECT_EQ(wing["colour"].toString(), "red+green");
    EXPECT_EQ(wing["name"].toString(), "red+green");
    EXPECT_EQ(wing["role"].toString(), "wing");
    EXPECT_EQ(wing["area"].toDouble(), 1200.0);
    EXPECT_EQ(wing["span"].toDouble(), 100.0);
    EXPECT_EQ(wing["aspect_ratio"].toDouble(), 100.0 / 12.0);
    EXPECT_EQ(wing["mac"].toDouble(), 12.25);
    EXPECT_EQ(wing["mac_x_le"].toDouble(), 30.5);
    EXPECT_EQ(wing["mac_y"].toDouble(), 22.75);
    EXPECT_EQ(wing["sweep_c4_deg"].toDouble(), 3.5);
    EXPECT_EQ(wing["cl_alpha"].toDouble(), 4.75);
    EXPECT_EQ(wing["lift_share"].toDouble(), 0.875);
    const QJsonObject tail = surfaces[1].toObject();
    EXPECT_EQ(tail["colour"].toString(), "blue");
    EXPECT_EQ(tail["name"].toString(), "Tail, left");
    EXPECT_EQ(tail["role"].toString(), "tail");
}

TEST_F(BalanceJson, NoWingIsNullWithItsReasonAndNoLiftingSurfaceNoKeyAtAll)
{
    EXPECT_FALSE(json().contains("balance"));
    EXPECT_FALSE(json().contains("balance_reason"));
    constexpr Message reason{"Schwerpunktlage: kein Flügel.", "Balance: no wing."};
    result.noBalance = &reason;
    in.languageIndex = kGerman;
    EXPECT_TRUE(json()["balance"].isNull());
    EXPECT_TRUE(json().contains("balance"));
    EXPECT_EQ(json()["balance_reason"].toString(), "Schwerpunktlage: kein Flügel.");
}

TEST_F(BalanceJson, CsvColumnsHoldTheBalanceOnTheTotalRowOnly)
{
    objects[kRed].Found = true;
    result.balance = TwoSurfaces();
    const QByteArray table = CsvHeader() + CsvRows("plane.png", json()) + CsvRows("none.png", [&] {
                                 AnalysisResult plain;
                                 return ResultJson(ResultFacts{in, 0.0, 0.0, setup, objects, plain});
                             }());
    const std::optional<std::vector<QStringList>> records = ReadCsv(QString::fromUtf8(table));
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 5u) << "header, red and total of each picture";
    const QStringList& header = records->front();
    const auto column = [&](const char* name) { return header.indexOf(QLatin1String(name)); };
    ASSERT_EQ(column("balance_neutral_point_x"), header.size() - 13);
    EXPECT_EQ(column("balance_cg_x"), header.size() - 2);
    EXPECT_EQ(column("balance_cg_static_margin"), header.size() - 1);
    const QStringList& red = (*records)[1];
    const QStringList& total = (*records)[2];
    EXPECT_EQ(red[column("index")], "2");
    EXPECT_EQ(red[column("balance_neutral_point_x")], "");
    EXPECT_EQ(total[column("index")], "0");
    EXPECT_EQ(total[column("balance_neutral_point_x")], "36.125");
    EXPECT_EQ(total[column("balance_cl_alpha")], "5.0625");
    EXPECT_EQ(total[column("balance_mac")], "12.25");
    EXPECT_EQ(total[column("balance_mac_x_le")], "30.5");
    EXPECT_EQ(total[column("balance_mac_y")], "22.75");
    EXPECT_EQ(total[column("balance_root_le_x")], "28");
    EXPECT_EQ(total[column("balance_static_margin_low")], "5");
    EXPECT_EQ(total[column("balance_static_margin_high")], "15");
    EXPECT_EQ(total[column("balance_cg_forward_x")], "34.3");
    EXPECT_EQ(total[column("balance_cg_aft_x")], "35.5");
    EXPECT_EQ(total[column("balance_estimate_neutral_point_x")], "35.5");
    EXPECT_EQ((*records)[4][column("balance_neutral_point_x")], "") << "a picture without a balance";
    EXPECT_EQ((*records)[4].size(), header.size());
}

// The weight and balance's keys for each kind of advice, as scripts read
// them; the values are the weighing's own, unrounded.
TEST_F(BalanceJson, TheWeighedCgAndEachKindOfAdvice)
{
    result.balance = TwoSurfaces();
    WeighedRun run;
    run.items = {{"motor", 300.0, 20.0}, {"battery, 3S", 200.0, 60.0}};
    run.weighed.totalMass = 500.0;
    run.weighed.cgX = 36.0;
    run.weighed.staticMargin = 1.0204081632653061;
    const auto balance = [&] {
        ResultFacts facts{in, 0.0, 0.0, setup, objects, result};
        facts.weighed = &run;
        return ResultJson(facts)["balance"].toObject();
    };

    run.weighed.inside = true;
    QJsonObject b = balance();
    EXPECT_EQ(b["total_mass"].toDouble(), 500.0);
    EXPECT_EQ(b["cg_x"].toDouble(), 36.0);
    EXPECT_EQ(b["cg_static_margin"].toDouble(), 1.0204081632653061);
    EXPECT_TRUE(b["cg_inside"].toBool());
    ASSERT_TRUE(b.contains("advice"));
    EXPECT_TRUE(b["advice"].isNull());

    run.weighed.inside = false;
    run.weighed.advice = {aero::AdviceKind::MoveItem, 1, -3.25, 56.75, 0.0, 34.9};
    b = balance();
    EXPECT_FALSE(b["cg_inside"].toBool());
    EXPECT_EQ(b["advice"].toObject(),
              (QJsonObject{{"item", "battery, 3S"}, {"shift", -3.25}, {"x", 56.75}, {"cg_x", 34.9}}));

    run.weighed.advice = {aero::AdviceKind::Ballast, -1, 0.0, 5.5, 12.125, 34.9};
    EXPECT_EQ(balance()["advice"].toObject(), (QJsonObject{{"ballast_mass", 12.125}, {"ballast_x", 5.5}, {"cg_x", 34.9}}));

    run.weighed.advice = {aero::AdviceKind::BallastCannotHelp, -1, 0.0, 80.0, 0.0, 0.0};
    EXPECT_EQ(balance()["advice"].toObject(),
              (QJsonObject{{"ballast_x", 80.0}, {"cannot_help", true}, {"cg_x", QJsonValue(QJsonValue::Null)}}));

    run.weighed.advice = {aero::AdviceKind::ItemCannotHelp, 0, 0.0, 0.0, 0.0, 0.0};
    EXPECT_EQ(balance()["advice"].toObject(),
              (QJsonObject{{"item", "motor"}, {"cannot_help", true}, {"cg_x", QJsonValue(QJsonValue::Null)}}));

    // Without a mass list the balance has none of these keys.
    for (const char* key : {"total_mass", "cg_x", "cg_static_margin", "cg_inside", "advice"})
        EXPECT_FALSE(json()["balance"].toObject().contains(key)) << key;
}
