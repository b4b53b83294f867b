#include "engine/weight_balance_report.h"

#include "engine/message.h"

#include <gtest/gtest.h>

namespace centrafix {
namespace {

// Range 370 to 390 (neutral point 400, MAC 200, margins 5 to 15 %), the
// aircraft from 0 to 900.
aero::BalanceFrame Frame()
{
    return {400.0, 200.0, aero::RangeOfCg(400.0, 200.0, 0.0, 5.0, 15.0), 0.0, 900.0};
}

// Motor 300 at 100, battery 200 at 250, wing 400 at 420, tail 100 at 900:
// C.G. 338, margin 31 %; the battery moved by 210 to 460, or 80.77 of
// ballast at 900, puts it at 380.
const aero::MassList kNoseHeavy{
    {"motor", 300.0, 100.0}, {"battery", 200.0, 250.0}, {"wing", 400.0, 420.0}, {"tail", 100.0, 900.0}};

std::string Lines(const aero::MassList& items, const aero::AdviceChoice& choice, int language)
{
    return WeightBalanceLines(*aero::WeighBalance(items, choice, Frame()), items, language, ",", "mm");
}

TEST(WeightBalanceLines, MovingAnItemInBothLanguages)
{
    EXPECT_EQ(Lines(kNoseHeavy, {1, std::nullopt}, kEnglish),
              "Weight and balance: total mass 1000,00\r\n"
              "C.G. from the masses x = 338,00 mm\r\n"
              "  static margin 31,0 %\r\n"
              "  outside: too far forward (nose-heavy)\r\n"
              "Fix: move \"battery\" by 210,00 mm, to x = 460,00 mm\r\n"
              "  C.G. then x = 380,00 mm (middle of the range)\r\n");
    EXPECT_EQ(Lines(kNoseHeavy, {1, std::nullopt}, kGerman),
              "Gewicht und Schwerpunkt: Gesamtmasse 1000,00\r\n"
              "Schwerpunkt aus den Massen x = 338,00 mm\r\n"
              "  Stabilitätsmaß 31,0 %\r\n"
              "  außerhalb: zu weit vorn (kopflastig)\r\n"
              "Abhilfe: \"battery\" um 210,00 mm verschieben, nach x = 460,00 mm\r\n"
              "  Schwerpunkt dann x = 380,00 mm (Mitte des Bereichs)\r\n");
}

TEST(WeightBalanceLines, BallastInsideAndCannotHelp)
{
    EXPECT_NE(Lines(kNoseHeavy, {}, kEnglish).find("Fix: ballast 80,77 at x = 900,00 mm\r\n"), std::string::npos);
    // 1000 at 395: tail-heavy, 39.47 of ballast at the nose.
    const std::string aft = Lines({{"all", 1000.0, 395.0}}, {}, kEnglish);
    EXPECT_NE(aft.find("  outside: too far aft (tail-heavy)\r\n"), std::string::npos);
    EXPECT_NE(aft.find("Fix: ballast 39,47 at x = 0,00 mm\r\n"), std::string::npos);
    EXPECT_EQ(Lines({{"all", 1000.0, 380.0}}, {}, kEnglish),
              "Weight and balance: total mass 1000,00\r\n"
              "C.G. from the masses x = 380,00 mm\r\n"
              "  static margin 10,0 %\r\n"
              "  inside the C.G. range\r\n");
    EXPECT_NE(Lines(kNoseHeavy, {-1, 200.0}, kGerman)
                  .find("Ballast bei x = 200,00 mm hilft nicht: er liegt auf der falschen Seite\r\n"),
              std::string::npos);
    aero::MassList withServo = kNoseHeavy;
    withServo.push_back({"servo", 0.0, 10.0});
    EXPECT_NE(Lines(withServo, {4, std::nullopt}, kEnglish).find("\"servo\" has no mass; moving it cannot help\r\n"),
              std::string::npos);
}

} // namespace
} // namespace centrafix
