#include "engine/eval_number.h"

#include <gtest/gtest.h>

using namespace centrafix;

TEST(EvalNumber, EvaluatesArithmeticExpressions)
{
    const std::pair<const char*, double> cases[] = {
        {"1/100", 0.01}, {"2*5", 10},      {"10", 10},         {" 7 ", 7},
        {"2*0.75", 1.5}, {"(1+2)*3", 9},   {"2^3", 8},         {"-2", -2},
        {"sqrt(4)", 2},  {"1.5e2", 150},   {"1/3", 1.0 / 3.0},
    };
    for (const auto& [text, value] : cases) {
        const EvalResult r = EvalNumber(text);
        EXPECT_TRUE(r.ok()) << text << ": " << r.error;
        EXPECT_DOUBLE_EQ(r.value, value) << text;
    }
}

TEST(EvalNumber, RefusesWhatItCannotEvaluateInsteadOfGivingZero)
{
    for (const char* text : {"1+", "", "   ", "abc", "1/0", "0/0", "sqrt(-1)", "0,5", "2**3", "(1"}) {
        const EvalResult r = EvalNumber(text);
        EXPECT_FALSE(r.ok()) << text << " gave " << r.value;
        EXPECT_FALSE(r.error.empty()) << text;
    }
}
