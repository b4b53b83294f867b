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
