#include "util/clock.h"

#include <gtest/gtest.h>

TEST(ClockTest, AdvancesAcrossADelay) {
    const int32_t before = MillisecondClock();
    EXPECT_EQ(DelayMillisecs(20), 20);
    // Unsigned difference: the counter may wrap between the two reads.
    const uint32_t elapsed =
        static_cast<uint32_t>(MillisecondClock()) - static_cast<uint32_t>(before);
    EXPECT_GE(elapsed, 20u);
}

TEST(ClockTest, NegativeDelayReturnsAtOnce) {
    EXPECT_EQ(DelayMillisecs(-5), -5);
}
