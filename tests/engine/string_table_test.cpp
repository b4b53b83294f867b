#include "engine/color_object.h"
#include "engine/message.h"
#include "engine/results_grid.h"
#include "engine/string_table.h"

#include <gtest/gtest.h>

using namespace centrafix;

TEST(StringTable, NumberedMessagesReadAsTheyAlwaysHave)
{
    EXPECT_EQ(ObjectStatusText(msg::Analyzing, "rot", kGerman), "Analysiere rote Flächen...");
    EXPECT_EQ(ObjectStatusText(msg::SearchingVertical, "red", kEnglish), "Searching vertical edges: red area(s)...");
    EXPECT_EQ(Tr(msg::Aborting, kGerman), "Abbrechen...");
    EXPECT_EQ(Tr(msg::Aborting, kEnglish), "Aborting...");
    EXPECT_EQ(Tr(msg::Open, kGerman), "Ö&ffnen...");
    EXPECT_EQ(Tr(msg::NoClipboardBitmap, kEnglish), "Clipboard contains no bitmap image!");
    for (int i = 0; i < 8; ++i) {
        EXPECT_FALSE(Tr(ColorNameMessage(i), kGerman).empty()) << i;
        EXPECT_FALSE(Tr(ColorNameMessage(i), kEnglish).empty()) << i;
    }
    EXPECT_EQ(Tr(ColorNameMessage(7), kGerman), "violett");
}

TEST(StringTable, ColourNamesAndGridHeaderFollowTheLanguage)
{
    const ColorObjectTable german = MakeColorObjects(kGerman);
    EXPECT_EQ(german[0].Name, "Gesamt");
    EXPECT_EQ(german[3].Name, "grün");
    EXPECT_EQ(german[6].Name, "hellblau");
    EXPECT_EQ(german[7].Color, Rgb(255, 0, 255));
    EXPECT_DOUBLE_EQ(german[0].Weight, 0);
    EXPECT_DOUBLE_EQ(german[1].Weight, 1);
    EXPECT_EQ(MakeColorObjects(kEnglish)[6].Name, "cyan");

    EXPECT_EQ(GridHeaderText(kEnglish),
              "Object\tX  C.G.\tY  C.G.\tX  A.C.\tArea\t% Area\tOutline\tAero L ref.\tEfficiency");
    EXPECT_EQ(GridHeaderText(kGerman),
              "Objekt\tX  S.P.\tY  S.P.\tX  A.Z.\tFläche\t% Fläche\tUmfang\tAero L bez.\tWirkung");
}

TEST(MarkerTint, LightensEveryComponent)
{
    EXPECT_EQ(MarkerTintOf(Rgb(0, 0, 0)), Rgb(171, 171, 171));
    EXPECT_EQ(MarkerTintOf(Rgb(255, 0, 0)), Rgb(255, 171, 171));
    EXPECT_EQ(MarkerTintOf(Rgb(0, 255, 255)), Rgb(171, 255, 255));
    EXPECT_EQ(MarkerTintOf(Rgb(3, 1, 2)), Rgb(172, 171, 171));
}

TEST(Message, ArgumentsFillTheirPlaceholdersAndNothingElse)
{
    constexpr Message m{"Datensatz %1 bei Byte %2 (1 bis 7, 100%)", "record %1 at byte %2 (1 to 7, 100%)"};
    EXPECT_EQ(Tr(m, kGerman, {"5", "120"}), "Datensatz 5 bei Byte 120 (1 bis 7, 100%)");
    EXPECT_EQ(Tr(m, kEnglish, {"5"}), "record 5 at byte %2 (1 to 7, 100%)") << "a missing argument stays a placeholder";
    EXPECT_EQ(Tr(m, 7), m.german) << "an unknown language reads German";
}
