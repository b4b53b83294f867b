#include "engine/mass_list_text.h"

#include <gtest/gtest.h>

namespace centrafix {
namespace {

TEST(ParseMassList, ReadsItemsWithHeaderBlankLinesQuotesAndCrLf)
{
    const Result<aero::MassList> list = ParseMassList("\xEF\xBB\xBF"
                                                      "name,mass,x\r\n"
                                                      "\r\n"
                                                      "motor,300,100.5\r\n"
                                                      "  \"battery, 3S\" , 200.25 , -12\n"
                                                      "\"the \"\"big\"\" servo\",0,1e2\n"
                                                      "\n",
                                                      "masses.csv");
    ASSERT_TRUE(list) << ErrorText(list.error(), kEnglish);
    ASSERT_EQ(list->size(), 3u);
    EXPECT_EQ((*list)[0], (aero::MassItem{"motor", 300.0, 100.5}));
    EXPECT_EQ((*list)[1], (aero::MassItem{"battery, 3S", 200.25, -12.0}));
    EXPECT_EQ((*list)[2], (aero::MassItem{"the \"big\" servo", 0.0, 100.0}));

    // Without a header, the first line is an item; a header later is not one.
    EXPECT_EQ(ParseMassList("a,1,2", "f")->size(), 1u);
    EXPECT_FALSE(ParseMassList("a,1,2\nname,mass,x\n", "f"));
    EXPECT_TRUE(ParseMassList("", "f")->empty());
}

// Each broken line is refused naming the file and the line (blank lines count).
TEST(ParseMassList, RefusesTheFirstBrokenLineByFileAndNumber)
{
    const struct {
        const char* text;
        const char* english;
    } cases[] = {
        {"a,1,2\n\nb,1\n", "m.csv: line 3: expected NAME,MASS,X, found 2 fields"},
        {"a,1,2,3\n", "m.csv: line 1: expected NAME,MASS,X, found 4 fields"},
        {"name,mass,x\n\"open,1,2\n", "m.csv: line 2: a quotation mark is not closed"},
        {" ,1,2\n", "m.csv: line 1: the name is missing"},
        {"a,-1,2\n", "m.csv: line 1: mass of \"a\": \"-1\" is negative"},
        {"a,abc,2\n", "m.csv: line 1: mass of \"a\": \"abc\" is not a number"},
        {"a,1e999,2\n", "m.csv: line 1: mass of \"a\": \"1e999\" is not a finite number"},
        {"a,nan,2\n", "m.csv: line 1: mass of \"a\": \"nan\" is not a finite number"},
        {"a,1,inf\n", "m.csv: line 1: x of \"a\": \"inf\" is not a finite number"},
        {"a,1,2,5\n", "m.csv: line 1: expected NAME,MASS,X, found 4 fields"},
        {"a,\"1,5\",2\n", "m.csv: line 1: mass of \"a\": \"1,5\" is not a number"},
        {"a,1,\n", "m.csv: line 1: x of \"a\": \"\" is not a number"},
    };
    for (const auto& c : cases) {
        const Result<aero::MassList> list = ParseMassList(c.text, "m.csv");
        ASSERT_FALSE(list) << c.text;
        EXPECT_EQ(ErrorText(list.error(), kEnglish), c.english);
    }
    const Result<aero::MassList> german = ParseMassList("a,1\nb,-2,0\n", "m.csv");
    EXPECT_EQ(ErrorText(german.error(), kGerman), "m.csv: Zeile 1: NAME,MASSE,X erwartet, 2 Felder gefunden");
    EXPECT_EQ(ErrorText(ParseMassList("b,-2,0\n", "m.csv").error(), kGerman),
              "m.csv: Zeile 1: Masse von \"b\": \"-2\" ist negativ");
}

TEST(ReadMassCell, TypedNumbersAsEveryFieldTakesThemAndRefusalsNamingTheItem)
{
    EXPECT_DOUBLE_EQ(*ReadMassCell("12,5", MassField::Mass, "akku", ","), 12.5);
    EXPECT_DOUBLE_EQ(*ReadMassCell(" 2*3 ", MassField::X, "akku", "."), 6.0);
    EXPECT_DOUBLE_EQ(*ReadMassCell("-40", MassField::X, "akku", "."), -40.0);
    EXPECT_DOUBLE_EQ(*ReadMassCell("0", MassField::Mass, "akku", "."), 0.0);
    EXPECT_EQ(ErrorText(ReadMassCell("-1", MassField::Mass, "akku", ".").error(), kEnglish),
              "mass of \"akku\": \"-1\" is negative");
    EXPECT_EQ(ErrorText(ReadMassCell("1/0", MassField::Mass, "akku", ".").error(), kEnglish),
              "mass of \"akku\": \"1/0\" is not a finite number");
    EXPECT_EQ(ErrorText(ReadMassCell("zwei", MassField::X, "akku", ".").error(), kGerman),
              "x von \"akku\": \"zwei\" ist keine Zahl");
    EXPECT_EQ(ErrorText(ReadMassCell("", MassField::Mass, "akku", ".").error(), kEnglish),
              "mass of \"akku\": \"\" is not a number");
}

} // namespace
} // namespace centrafix
