// The balance in the window: roles and fields kept in the settings, refused
// fields that change nothing, the panel's words, and the marks' switch.

#include "form1_fixture.h"

#include "shell/balance_panel.h"
#include "shell/balance_text.h"

#include "engine/balance_fields.h"

#include <QMenu>

using namespace centrafix;
using test::Form1Test;

namespace {

aero::Balance HandMadeBalance()
{
    aero::Balance balance;
    aero::SurfaceBalance wing;
    wing.objects = {2};
    wing.geometry.mac = 20.0;
    wing.geometry.macLeadX = 5.0;
    wing.geometry.middleY = 30.0;
    wing.geometry.macY = 10.0;
    wing.clAlpha = 4.25;
    wing.liftShare = 0.875;
    aero::SurfaceBalance tail;
    tail.objects = {4};
    tail.role = aero::SurfaceRole::Tail;
    tail.geometry.mac = 10.0;
    tail.geometry.macLeadX = 60.0;
    tail.geometry.middleY = 30.0;
    tail.geometry.macY = 5.0;
    tail.clAlpha = 3.5;
    tail.liftShare = 0.125;
    balance.surfaces = {wing, tail};
    balance.neutralPointX = 16.25;
    balance.clAlpha = 4.5;
    balance.estimate.neutralPointX = 15.75;
    balance.estimate.wingClAlpha = 4.375;
    balance.marginLow = 5.0;
    balance.marginHigh = 15.0;
    balance.range = {13.25, 15.25, 8.25, 10.25};
    balance.typedCgX = 14.0;
    balance.typedCgMargin = 11.75;
    return balance;
}

class BalanceWindow : public Form1Test {
protected:
    QComboBox* role(int i) { return get<QComboBox>(QStringLiteral("balanceRole%1").arg(i).toLatin1().constData()); }
    aero::SurfaceRole roleShown(int i) { return static_cast<aero::SurfaceRole>(role(i)->currentData().toInt()); }
    void choose(int i, aero::SurfaceRole r)
    {
        const int index = role(i)->findData(static_cast<int>(r));
        role(i)->setCurrentIndex(index);
        emit role(i)->activated(index);
    }
    void type(const char* name, const QString& text)
    {
        field(name)->setText(text);
        emit field(name)->editingFinished();
    }
    QString stored(const QString& key)
    {
        return QSettings(storePath(), QSettings::IniFormat).value("Centrafix/" + key).toString();
    }
};

} // namespace

TEST_F(BalanceWindow, RolesComeBackFromTheSettingsAndAnUnknownOneKeepsItsDefault)
{
    open();
    EXPECT_EQ(roleShown(1), aero::SurfaceRole::Fuselage) << "nothing stored: the built-in example's roles";
    EXPECT_EQ(roleShown(3), aero::SurfaceRole::Other);
    EXPECT_EQ(roleShown(2), aero::SurfaceRole::Wing);
    EXPECT_EQ(roleShown(4), aero::SurfaceRole::Tail);
    EXPECT_EQ(role(2)->currentText(), "Flügel");
    choose(5, aero::SurfaceRole::Canard);
    form->close();
    EXPECT_EQ(stored("Role5"), "canard");
    EXPECT_FALSE(QSettings(storePath(), QSettings::IniFormat).contains("Centrafix/Role2"))
        << "a default is not written into a file that never had it";

    store("Role2", "Flugzeug");
    store("Role1", "Ente");
    store("MarginHigh", "abc");
    open();
    EXPECT_EQ(roleShown(5), aero::SurfaceRole::Canard);
    EXPECT_EQ(roleShown(2), aero::SurfaceRole::Wing) << "an unknown role keeps the default";
    EXPECT_EQ(roleShown(1), aero::SurfaceRole::Canard) << "German names are roles too";
    EXPECT_EQ(field("txtMarginHigh")->text(), "15");

    // Set back to its default, a role once stored is written again.
    choose(5, aero::SurfaceRole::Other);
    form->close();
    EXPECT_EQ(stored("Role5"), "other");
    EXPECT_EQ(stored("Role1"), "canard");
}

TEST_F(BalanceWindow, FieldsAreKeptAndARefusedOneSaysWhyAndChangesNothing)
{
    open();
    type("txtMarginLow", "60"); // above the high margin of 15
    ASSERT_EQ(form->messages.size(), 1);
    EXPECT_EQ(form->messages[0].toStdString(), ErrorText(ReadStaticMargins("60", "15", ".").error(), kGerman));
    EXPECT_EQ(field("txtMarginLow")->text(), "5") << "the field shows what counts again";
    type("txtTailEfficiency", "0");
    type("balanceHeight4", "abc");
    type("txtBalanceCg", "1/0");
    ASSERT_EQ(form->messages.size(), 4);
    EXPECT_EQ(form->messages[2].toStdString(), ErrorText(ReadHeight("abc", ".").error(), kGerman));
    EXPECT_EQ(field("txtTailEfficiency")->text(), "0.9");
    EXPECT_EQ(field("balanceHeight4")->text(), "0");
    EXPECT_EQ(field("txtBalanceCg")->text(), "");

    type("txtMarginLow", "8");
    type("balanceHeight4", "0.12");
    type("txtTailEfficiency", "0.8");
    type("txtBalanceCg", "120.5");
    EXPECT_EQ(form->messages.size(), 4);
    form->close();
    EXPECT_EQ(stored("MarginLow"), "8");
    EXPECT_FALSE(QSettings(storePath(), QSettings::IniFormat).contains("Centrafix/MarginHigh"));
    EXPECT_EQ(stored("Height4"), "0.12");
    EXPECT_EQ(stored("TailEfficiency"), "0.8");
    EXPECT_EQ(stored("TypedCg"), "120.5");

    open();
    EXPECT_EQ(field("txtMarginLow")->text(), "8");
    EXPECT_EQ(field("balanceHeight4")->text(), "0.12");
    EXPECT_EQ(field("txtTailEfficiency")->text(), "0.8");
    EXPECT_EQ(field("txtBalanceCg")->text(), "120.5");
    type("txtBalanceCg", ""); // no typed C.G. any more
    form->close();
    EXPECT_EQ(stored("TypedCg"), "");
    open();
    EXPECT_EQ(field("txtBalanceCg")->text(), "");
}

TEST_F(BalanceWindow, ARoleChangedFromTheColourListsMenuMakesTheResultsOutOfDate)
{
    open();
    analyze();
    waitForWork();
    ASSERT_FALSE(form->resultsOutOfDate());
    list()->setCurrentCell(3, 0); // blue
    auto* canard = form->findChild<QAction*>("actRole_canard");
    ASSERT_TRUE(canard);
    form->findChild<QMenu*>("menuRole")->aboutToShow();
    EXPECT_TRUE(form->findChild<QAction*>("actRole_tail")->isChecked()) << "the menu shows the colour's role";
    canard->trigger();
    EXPECT_TRUE(form->resultsOutOfDate());
    EXPECT_EQ(roleShown(4), aero::SurfaceRole::Canard) << "the panel shows the role the menu chose";
}

TEST_F(BalanceWindow, TheViewMenuSwitchesTheMarksOffAndRemembersIt)
{
    open();
    view()->setBalance(HandMadeBalance(), BalancePlacement{0.5, 10.0, 20.0, std::nullopt, std::nullopt}, kGerman);
    EXPECT_TRUE(view()->balanceDrawn());
    EXPECT_EQ(shown().pixel(50, 80) & 0xFFFFFFu, 0xFF8C00u) << "a MAC bar over the picture";
    auto* toggle = form->findChild<QAction*>("actShowBalance");
    toggle->trigger();
    EXPECT_FALSE(view()->balanceDrawn());
    EXPECT_NE(shown().pixel(50, 80) & 0xFFFFFFu, 0xFF8C00u);
    form->close();
    open();
    EXPECT_FALSE(form->findChild<QAction*>("actShowBalance")->isChecked());
}

TEST(BalanceText, SaysTheHandMadeBalanceInBothLanguages)
{
    ColorObjectTable objects = MakeColorObjects(kEnglish);
    const std::string english = BalanceText(HandMadeBalance(), objects, kEnglish, ".", "mm");
    for (const char* said :
         {"Neutral point x = 16.250 mm (vortex lattice), 15.750 mm (estimate)",
          "Lift slope 4.500 /rad (vortex lattice), 4.375 /rad (estimate)",
          "Wing MAC 20.000 mm, leading edge x = 5.000 mm, station y = ±10.000 mm", "red (wing): lift share 87.5 %",
          "blue (tailplane): lift share 12.5 %", "C.G. range x = 13.250 … 15.250 mm (static margin 15.0 … 5.0 % MAC)",
          "8.250 … 10.250 mm", "C.G. x = 14.000 mm: static margin 11.8 % MAC"})
        EXPECT_NE(english.find(said), std::string::npos) << said << "\n" << english;
    objects = MakeColorObjects(kGerman);
    const std::string german = BalanceText(HandMadeBalance(), objects, kGerman, ",", "mm");
    for (const char* said :
         {"Neutralpunkt x = 16,250 mm (Wirbelgitter), 15,750 mm (Schätzung)", "rot (Flügel): Auftriebsanteil 87,5 %",
          "Schwerpunktbereich x = 13,250 … 15,250 mm", "Stabilitätsmaß 11,8 % MAC"})
        EXPECT_NE(german.find(said), std::string::npos) << said << "\n" << german;

    aero::Balance untyped = HandMadeBalance();
    untyped.typedCgX.reset();
    untyped.typedCgMargin.reset();
    EXPECT_EQ(BalanceText(untyped, objects, kGerman, ",", "mm").find("Schwerpunkt x"), std::string::npos);
    EXPECT_EQ(BalanceText(aero::Balance{}, objects, kGerman, ",", "mm"), "");
}
