#include "engine/eval_number.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace centrafix;

TEST(EvalNumber, EvaluatesArithmeticExpressions)
{
    const std::pair<const char*, double> cases[] = {
        {"1/100", 0.01}, {"2*5", 10}, {"10", 10},     {" 7 ", 7},     {"2*0.75", 1.5},    {"(1+2)*3", 9},
        {"2^3", 8},      {"-2", -2},  {"sqrt(4)", 2}, {"1.5e2", 150}, {"1/3", 1.0 / 3.0},
    };
    for (const auto& [text, value] : cases) {
        const Result<double> r = EvalNumber(text, Field::ScaleFactor);
        ASSERT_TRUE(r.ok()) << text << ": " << ErrorText(r.error(), kEnglish);
        EXPECT_DOUBLE_EQ(*r, value) << text;
    }
}

TEST(EvalNumber, RefusesWhatItCannotEvaluateNamingTheFieldAndWhere)
{
    for (const char* text : {"1+", "", "   ", "abc", "1/0", "0/0", "sqrt(-1)", "0,5", "2**3", "(1"}) {
        const Result<double> r = EvalNumber(text, Field::Tolerance);
        ASSERT_FALSE(r.ok()) << text << " gave " << *r;
        EXPECT_EQ(r.error().field, Field::Tolerance) << text;
    }
    const Error unknown = EvalNumber("2*abc", Field::ScaleFactor).error();
    EXPECT_EQ(unknown.kind, ErrorKind::Unevaluable);
    EXPECT_EQ(unknown.position, 2);
    EXPECT_EQ(unknown.token, "abc");
    EXPECT_EQ(ErrorText(unknown, kEnglish),
              "Scale Factor \"2*abc\" has \"abc\" at position 3, which is no number, operator or function");
    EXPECT_EQ(ErrorText(EvalNumber("0,5", Field::ScaleFactor).error(), kGerman).rfind("Maßstabsfaktor \"0,5\" ", 0),
              0u);
    EXPECT_EQ(ErrorText(EvalNumber(" ", Field::Tolerance).error(), kGerman), "Toleranz ist leer");
}

TEST(EvalNumber, ReadsTheDecimalCommaWhereTheLocaleWritesOne)
{
    // "." reads everywhere; "," only where the locale writes it, with ";"
    // between function values.
    const std::tuple<const char*, const char*, double> read[] = {
        {"0.5", ".", 0.5},    {"0.5", ",", 0.5},    {"0,5", ",", 0.5},   {"2*0,75", ",", 1.5},
        {"max(1;5)", ",", 5}, {"max(1,5)", ".", 5}, {"1/50", ",", 0.02}, {"1,5e2", ",", 150},
    };
    for (const auto& [text, separator, value] : read) {
        const Result<double> r = EvalNumber(text, Field::ScaleFactor, separator);
        ASSERT_TRUE(r.ok()) << text << " with " << separator << ": " << ErrorText(r.error(), kEnglish);
        EXPECT_DOUBLE_EQ(*r, value) << text;
    }
    // Two readings that differ, a decimal comma where none is written, and
    // the logical operators the evaluator mishandles, are all refused.
    const std::pair<const char*, const char*> refused[] = {
        {"max(1,5)", ","}, {"1,5", "."}, {"1e10&&1", "."}, {"2<3", ","}, {"1.5;2", ","},
    };
    for (const auto& [text, separator] : refused)
        EXPECT_FALSE(EvalNumber(text, Field::ScaleFactor, separator).ok()) << text << " with " << separator;
    EXPECT_EQ(ErrorText(EvalNumber("max(1,5)", Field::ScaleFactor, ",").error(), kEnglish),
              "Scale Factor \"max(1,5)\" can mean 1,5 or 5; separate function values with \";\"");
    EXPECT_EQ(ErrorText(EvalNumber("1&&1", Field::Tolerance).error(), kEnglish),
              "Tolerance \"1&&1\" has \"&\" at position 2, which has no place in a number or calculation");
}

TEST(ErrorText, ANameWithALineBreakStaysOnOneLine)
{
    constexpr Message reason{"kaputt", "damaged"};
    EXPECT_EQ(ErrorText(Described("wing\n2.png", reason), kEnglish), "\"wing\\n2.png\": damaged");
    EXPECT_EQ(ErrorText(Described("wing 2.png", reason), kGerman), "wing 2.png: kaputt");
}
