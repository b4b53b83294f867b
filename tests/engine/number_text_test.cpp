#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace centrafix;

TEST(NumberText, FixedPatternsRoundPadAndUseTheLocaleSeparator)
{
    EXPECT_EQ(FormatFixed(45.714285, 2), "45.71");
    EXPECT_EQ(FormatFixed(40, 1), "40.0");
    EXPECT_EQ(FormatFixed(0.25, 4), "0.2500");
    EXPECT_EQ(FormatFixed(-3.25, 2), "-3.25");
    EXPECT_EQ(FormatFixed(0.5, 2, ","), "0,50");
    EXPECT_EQ(FormatFixed(330, 0), "330");
    EXPECT_EQ(FormatFixed(1234567.891, 2), "1234567.89") << "no grouping";
    EXPECT_EQ(FormatFixed(0.0000004, 6), "0.000000");
    EXPECT_EQ(FormatFixed(-0.001, 2), "0.00") << "no minus on a zero";
    EXPECT_EQ(FormatFixed(-0.006, 2, ","), "-0,01");
    EXPECT_EQ(FormatFixed(1e300, 2).size(), 304u);
}

// Lengths and areas at any scale: the pattern where it shows four significant
// digits, more decimals where a value that is not zero would show fewer.
TEST(NumberText, LengthsShowAtLeastFourSignificantDigits)
{
    EXPECT_EQ(FormatLength(45.714285, 2), "45.71") << "the pattern where it shows enough";
    EXPECT_EQ(FormatLength(1234567.891, 1), "1234567.9");
    EXPECT_EQ(FormatLength(0.013777, 2), "0.01378");
    EXPECT_EQ(FormatLength(0.2, 1), "0.2000");
    EXPECT_EQ(FormatLength(1.5, 1, ","), "1,500");
    EXPECT_EQ(FormatLength(0.013777, 4, ","), "0,01378");
    // Negative values, and those the pattern would show as an unsigned zero.
    EXPECT_EQ(FormatLength(-0.004, 2), "-0.004000");
    EXPECT_EQ(FormatLength(-12.5, 2), "-12.50");
    EXPECT_EQ(FormatLength(-0.00012344, 1), "-0.0001234");
    // Zero stays in the pattern, whatever its sign.
    EXPECT_EQ(FormatLength(0.0, 2), "0.00");
    EXPECT_EQ(FormatLength(-0.0, 1), "0.0");
    // Values the rounding carries into the next decade show four digits there.
    EXPECT_EQ(FormatLength(9.9995, 2), "10.00");
    EXPECT_EQ(FormatLength(9.9995, 1), "10.00");
    EXPECT_EQ(FormatLength(99.996, 1), "100.0");
    EXPECT_EQ(FormatLength(0.00099995, 2), "0.001000");
    EXPECT_EQ(FormatLength(-0.00099995, 2), "-0.001000");
    EXPECT_EQ(FormatLength(0.00099994, 2), "0.001000");
    EXPECT_EQ(FormatLength(0.0009994, 2), "0.0009994");
    EXPECT_EQ(FormatLength(0.001, 2), "0.001000") << "an exact power of ten";
    EXPECT_EQ(FormatLength(1e-5, 2), "0.00001000");
    // The extremes of a double.
    const std::string tiny = FormatLength(4.9406564584124654e-324, 2);
    EXPECT_EQ(tiny.size(), 2u + 327u);
    EXPECT_EQ(tiny.substr(tiny.size() - 5), "04941");
    EXPECT_EQ(FormatLength(1e300, 2).size(), 304u);
    EXPECT_EQ(FormatLength(std::nan(""), 2), "nan");
}

TEST(NumberText, GeneralFormatIsShortestWithFifteenDigits)
{
    EXPECT_EQ(FormatGeneral(1), "1");
    EXPECT_EQ(FormatGeneral(0.5), "0.5");
    EXPECT_EQ(FormatGeneral(2.25), "2.25");
    EXPECT_EQ(FormatGeneral(0), "0");
    EXPECT_EQ(FormatGeneral(-0.99), "-0.99");
    EXPECT_EQ(FormatGeneral(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FormatGeneral(1.2246467991473532e-16), "1.22464679914735E-16");
    EXPECT_EQ(FormatGeneral(1e20), "1E+20");
    EXPECT_EQ(FormatGeneral(0.75, ","), "0,75");
    EXPECT_EQ(FormatGeneral(0.1 + 0.2), "0.3");
}

TEST(NumberText, LeadingNumberReadsUpToTheFirstOtherCharacter)
{
    EXPECT_DOUBLE_EQ(LeadingNumber("2.5x"), 2.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("2,5"), 2);
    EXPECT_DOUBLE_EQ(LeadingNumber(""), 0);
    EXPECT_DOUBLE_EQ(LeadingNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(LeadingNumber("  -1.5e2 m"), -150);
    EXPECT_DOUBLE_EQ(LeadingNumber("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("1e"), 1);
    EXPECT_DOUBLE_EQ(LeadingNumber("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(LeadingNumber("1/50"), 1);
    EXPECT_DOUBLE_EQ(LeadingNumber("-"), 0);
    EXPECT_DOUBLE_EQ(LeadingNumber("1e999"), 0) << "an infinite weight would make every total NaN";
    EXPECT_DOUBLE_EQ(LeadingNumber("1e-999"), 0);
}

TEST(NumberText, StrictDecimalAcceptsOnlyAWholeNumber)
{
    EXPECT_EQ(ParseStrictDecimal("0,85", ","), 0.85);
    EXPECT_EQ(ParseStrictDecimal(" 10000 ", "."), 10000);
    EXPECT_EQ(ParseStrictDecimal("-1.5e3", "."), -1500);
    for (const char* bad : {"", "0.85x", "1/2", "abc", ".", "1e", "1,000.5", "1e999"})
        EXPECT_FALSE(ParseStrictDecimal(bad, ".")) << bad;
    EXPECT_FALSE(ParseStrictDecimal("0.85", ",")) << "a dot is no decimal point in a German locale";
}

TEST(NumberText, TypedNumbersTakeEitherSeparatorTheLocaleAllows)
{
    EXPECT_EQ(TypedDecimal("0.85", ","), 0.85);
    EXPECT_EQ(TypedDecimal("0,85", ","), 0.85);
    EXPECT_EQ(TypedDecimal("0.85", "."), 0.85);
    EXPECT_FALSE(TypedDecimal("0,85", "."));
    EXPECT_FALSE(TypedDecimal("1,000.5", ","));

    EXPECT_EQ(TypedLeadingNumber("2,5", ","), 2.5);
    EXPECT_EQ(TypedLeadingNumber(" -2,5 ", ","), -2.5);
    EXPECT_EQ(TypedDecimal("+3", "."), 3.0);
    EXPECT_EQ(TypedLeadingNumber(" 2.5x", "."), 2.5);
    EXPECT_EQ(TypedLeadingNumber("", "."), 0.0) << "nothing typed reads as 0";
    EXPECT_FALSE(TypedLeadingNumber("2,5", ".")) << "cut short to 2 without anyone noticing";
    EXPECT_FALSE(TypedLeadingNumber("1,000.5", ","));
    EXPECT_FALSE(TypedLeadingNumber("2.,5", ".")) << "digits after the stop, whatever stands before it";
    EXPECT_EQ(TypedLeadingNumber("3,", "."), 3.0) << "no digit follows: nothing is cut";
}
