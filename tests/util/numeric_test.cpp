#include "util/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(TruncToIntTest, TruncatesTowardZeroNeverRounds) {
    EXPECT_EQ(TruncToInt(2.9), 2);
    EXPECT_EQ(TruncToInt(-2.9), -2);
    EXPECT_EQ(TruncToInt(0.5), 0);
    EXPECT_EQ(TruncToInt(-0.5), 0);
    EXPECT_EQ(TruncToInt(1.5), 1);
    EXPECT_EQ(TruncToInt(-1.5), -1);
    EXPECT_EQ(TruncToInt(63.99), 63);
    EXPECT_EQ(TruncToInt(-64.5), -64);
    EXPECT_EQ(TruncToInt(2147483647.0), 2147483647);
    EXPECT_EQ(TruncToInt(-2147483648.0), std::numeric_limits<int32_t>::min());
}

TEST(TruncToIntTest, OutOfRangeValuesSaturateInsteadOfMisbehaving) {
    EXPECT_EQ(TruncToInt(1e12), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(TruncToInt(-1e12), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(TruncToInt(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(DegreeTrigonometryTest, WorksInDegrees) {
    EXPECT_NEAR(SinDeg(90.0), 1.0, 1e-15);
    EXPECT_NEAR(CosDeg(180.0), -1.0, 1e-15);
    EXPECT_NEAR(TanDeg(45.0), 1.0, 1e-15);
    EXPECT_NEAR(ASinDeg(1.0), 90.0, 1e-12);
    EXPECT_NEAR(ACosDeg(0.0), 90.0, 1e-12);
    EXPECT_NEAR(ATanDeg(1.0), 45.0, 1e-12);
    EXPECT_DOUBLE_EQ(ATan2Deg(0.0, -1.0), 180.0);
    EXPECT_DOUBLE_EQ(ATan2Deg(-1.0, 0.0), -90.0);
    // The range is (-180, 180]: straight left is +180 from either side of zero.
    EXPECT_EQ(ATan2Deg(-0.0, -1.0), 180.0);
    EXPECT_EQ(ATan2Deg(-0.0, -0.0), 180.0);
    EXPECT_EQ(ATan2Deg(-1e-300, -1.0), 180.0);
    EXPECT_GT(ATan2Deg(-1e-3, -1.0), -180.0);
    EXPECT_LT(ATan2Deg(-1e-3, -1.0), -179.9);
    // The exact constant matters for bit-for-bit reproduction.
    EXPECT_EQ(SinDeg(30.0), std::sin(30.0 * 0.017453292519943295));
}

TEST(SmallArithmeticTest, SignsAbsolutesAndExtremes) {
    EXPECT_EQ(AbsInt(-5), 5);
    EXPECT_EQ(AbsInt(std::numeric_limits<int32_t>::min()), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(AbsFloat(-2.5), 2.5);
    EXPECT_EQ(SignFloat(-0.1), -1.0);
    EXPECT_EQ(SignFloat(0.0), 0.0);
    EXPECT_EQ(SignFloat(3.0), 1.0);
    EXPECT_EQ(MinFloat(1.0, 2.0), 1.0);
    EXPECT_EQ(MaxFloat(1.0, 2.0), 2.0);
    EXPECT_EQ(SquareRoot(16.0), 4.0);
}
