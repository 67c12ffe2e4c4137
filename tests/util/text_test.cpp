#include "util/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>

TEST(TextToIntTest, ReadsSignsAndThreeBases) {
    EXPECT_EQ(TextToInt(u" -$1f"), -31);
    EXPECT_EQ(TextToInt(u"%101"), 5);
    EXPECT_EQ(TextToInt(u"$FFfF"), 65535);
    EXPECT_EQ(TextToInt(u"12abc"), 12);
    EXPECT_EQ(TextToInt(u"\t+42"), 42);
    EXPECT_EQ(TextToInt(u"%102"), 2) << "stops at the first non-binary digit";
    EXPECT_EQ(TextToInt(u""), 0);
    EXPECT_EQ(TextToInt(u"-"), 0);
    EXPECT_EQ(TextToInt(u"x1"), 0);
}

TEST(TextToIntTest, WrapsAroundInThirtyTwoBits) {
    EXPECT_EQ(TextToInt(u"2147483648"), -2147483647 - 1);
    EXPECT_EQ(TextToInt(u"4294967297"), 1);
    EXPECT_EQ(TextToInt(u"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(TextToInt(u"$FFFFFFFF"), -1);
}

TEST(TextToFloatTest, ParsesCDecimalLiterals) {
    EXPECT_EQ(TextToFloat(u"0.25 "), 0.25f);
    EXPECT_EQ(TextToFloat(u"  -1.5e2xyz"), -150.0f);
    EXPECT_EQ(TextToFloat(u"x"), 0.0f);
    EXPECT_EQ(TextToFloat(u""), 0.0f);
    EXPECT_EQ(TextToFloat(u"0.1"), 0.1f) << "rounded to single precision";
}

// Only a decimal literal counts, read as far as it goes: no hex forms, no
// infinities, no NaNs, and an exponent needs digits of its own.
TEST(TextToFloatTest, ReadsOnlyTheDecimalLiteralItStartsWith) {
    const struct {
        const char16_t* text;
        float value;
    } cases[] = {
        {u"0x10", 0.0f},   {u"0X1p3", 0.0f},  {u"inf", 0.0f},   {u"-INFINITY", 0.0f},
        {u"nan", 0.0f},    {u"NaN(1)", 0.0f}, {u"1e", 1.0f},    {u"1e+", 1.0f},
        {u"2.5E-x", 2.5f}, {u"2=3", 2.0f},    {u".5", 0.5f},    {u"5.", 5.0f},
        {u".", 0.0f},      {u"-.e1", 0.0f},   {u"+7e1", 70.0f}, {u"\t\n-3e-1", -0.3f},
        {u"1,5", 1.0f},    {u"1.5.2", 1.5f},  {u"- 1", 0.0f},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(TextToFloat(cases[i].text), cases[i].value) << "case " << i;
    }
    EXPECT_TRUE(std::signbit(TextToFloat(u"-0")));
}

TEST(IntToTextTest, WritesDecimalDigits) {
    EXPECT_EQ(IntToText(0), u"0");
    EXPECT_EQ(IntToText(-45), u"-45");
    EXPECT_EQ(IntToText(-2147483647 - 1), u"-2147483648");
}

TEST(CompareTest, OrdersByCodeUnitThenLength) {
    EXPECT_LT(Compare(u"ab", u"abc"), 0);
    EXPECT_GT(Compare(u"b", u"abc"), 0);
    EXPECT_EQ(Compare(u"abc", u"abc"), 0);
    EXPECT_EQ(Compare(u"a", u"c"), -2);
    EXPECT_GT(Compare(u"\xFFFF", u"a"), 0) << "code units compare unsigned";
}

TEST(FindTextTest, SearchesOneBasedFromAStart) {
    EXPECT_EQ(FindText(u"a=b", u"=", 1), 2);
    EXPECT_EQ(FindText(u"ab", u"=", 1), 0);
    EXPECT_EQ(FindText(u"a=b=c", u"=", 0), 2);
    EXPECT_EQ(FindText(u"a=b=c", u"=", -5), 2);
    EXPECT_EQ(FindText(u"a=b=c", u"=", 3), 4);
    EXPECT_EQ(FindText(u"abc", u"c", 4), 0);
    EXPECT_EQ(FindText(u"abc", u"c", 100), 0);
}

TEST(LeftRightTextTest, ClampToTheText) {
    EXPECT_EQ(LeftText(u"hello", 2), u"he");
    EXPECT_EQ(RightText(u"hello", 2), u"lo");
    EXPECT_EQ(LeftText(u"hi", 10), u"hi");
    EXPECT_EQ(RightText(u"hi", 10), u"hi");
    EXPECT_EQ(LeftText(u"hi", -1), u"");
    EXPECT_EQ(RightText(u"hi", 0), u"");
}

TEST(LowerTextTest, LowersAsciiAndTheTableBeyondIt) {
    EXPECT_EQ(LowerText(u"R1234.PNG"), u"r1234.png");
    EXPECT_EQ(LowerText(u"\u00C9COLE \u0100\u0391\u0416"), u"\u00E9cole \u0101\u03B1\u0436");
    EXPECT_EQ(LowerText(u"\u00D7\u00DF"), u"\u00D7\u00DF") << "no case: unchanged";
    EXPECT_EQ(LowerText(u"\uFF21"), u"\uFF41") << "fullwidth letters have a lower case too";
    EXPECT_EQ(LowerText(u"@[`{"), u"@[`{");
    EXPECT_EQ(LowerText(u""), u"");
}

TEST(ConcatTest, JoinsTexts) {
    EXPECT_EQ(Concat(u"ab", u"c"), u"abc");
}
