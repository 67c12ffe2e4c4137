#include "world/geometry.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(GeometryTest, DistanceIsEuclideanInDouble) {
    EXPECT_EQ(Distance(0, 0, 3, 4), 5.0);
    EXPECT_EQ(Distance(3, 4, 0, 0), 5.0);
    EXPECT_EQ(Distance(7.5f, -2, 7.5f, -2), 0.0);
    // Not rounded to float on the way out.
    EXPECT_EQ(Distance(0, 0, 1, 1), std::sqrt(2.0));
}

TEST(GeometryTest, AngleToGrowsClockwiseOnScreenFromPlusX) {
    EXPECT_EQ(AngleTo(10, 10, 20, 10), 0.0f);  // right
    EXPECT_EQ(AngleTo(10, 10, 10, 20), 90.0f); // below
    EXPECT_EQ(AngleTo(10, 10, 0, 10), 180.0f); // left
    EXPECT_EQ(AngleTo(10, 10, 10, 0), 270.0f); // above: wrapped, not -90
    EXPECT_EQ(AngleTo(10, 10, 0, 0), 225.0f);
    EXPECT_EQ(AngleTo(5, 5, 5, 5), 0.0f);
}

TEST(GeometryTest, WrapAngleAddsOrSubtractsWholeTurns) {
    EXPECT_EQ(WrapAngle(360), 0.0f);
    EXPECT_EQ(WrapAngle(-90), 270.0f);
    EXPECT_EQ(WrapAngle(725), 5.0f);
    EXPECT_EQ(WrapAngle(0), 0.0f);
    EXPECT_EQ(WrapAngle(359.5f), 359.5f);
    EXPECT_EQ(WrapAngle(-720), 0.0f);
    EXPECT_EQ(WrapAngle(-359.5f), 0.5f);
}

TEST(GeometryTest, WrapAngleEndsForHugeAndNonFiniteValues) {
    // Whole turns are removed exactly, however many there are.
    EXPECT_EQ(WrapAngle(720000.5f), 0.5f);
    EXPECT_EQ(WrapAngle(-720000.5f), 359.5f);
    // Here subtracting 360 no longer changes the float at all.
    const float huge = WrapAngle(1e30f);
    EXPECT_GE(huge, 0.0f);
    EXPECT_LT(huge, 360.0f);
    EXPECT_TRUE(std::isnan(WrapAngle(INFINITY)));
    EXPECT_TRUE(std::isnan(WrapAngle(NAN)));
}
