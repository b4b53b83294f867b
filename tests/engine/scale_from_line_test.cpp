// The scale a line over a known length gives must read back from the scale
// field as the factor it was made from, in either decimal convention and at
// any magnitude a drawing may have.

#include "engine/eval_number.h"
#include "engine/scale_from_line.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace centrafix;

TEST(ScaleFromLine, TheFieldTextReadsBackToTheFactorAtEveryMagnitude)
{
    const double pixels = PixelDistance(3, 4, 40, 60);
    EXPECT_DOUBLE_EQ(pixels, std::hypot(37.0, 56.0));
    EXPECT_EQ(PixelDistance(7, 7, 7, 7), 0.0);
    for (const char* separator : {".", ","}) {
        for (const double length : {1.0 / 3, 2500.0, 1e-7, 4.2e18}) {
            SCOPED_TRACE(testing::Message() << separator << " " << length);
            const std::string text = ScaleTextFromLine(length, pixels, separator);
            const Result<double> back = EvalNumber(text, Field::ScaleFactor, separator);
            ASSERT_TRUE(back.ok()) << text;
            // Fifteen significant digits: as close as the general format gets.
            EXPECT_NEAR(*back, length / pixels, length / pixels * 1e-14) << text;
        }
    }
    EXPECT_EQ(ScaleTextFromLine(125, 50, ","), "2,5");
}

TEST(ScaleFromLine, ALengthIsANumberOrExpressionAboveZero)
{
    EXPECT_DOUBLE_EQ(*ReadRealLength("2*1250", "."), 2500);
    EXPECT_DOUBLE_EQ(*ReadRealLength("12,5", ","), 12.5);
    EXPECT_DOUBLE_EQ(*ReadRealLength("12.5", ","), 12.5);
    for (const char* bad : {"", "abc", "0", "-3", "1/0", "12,5"}) {
        SCOPED_TRACE(bad);
        const Result<double> length = ReadRealLength(bad, ".");
        ASSERT_FALSE(length.ok());
        EXPECT_EQ(length.error().field, Field::Length);
        EXPECT_NE(ErrorText(length.error(), kEnglish).find("Length"), std::string::npos);
    }
}
